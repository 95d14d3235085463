#!/usr/bin/env bash
# The flake hunt: every test program of a build runs ROUNDS times in a row (10 unless given)
# while two busy loops compete with it for the cores, as on a machine that is building something
# else. A test that assumes how far a thread, a child process or a clock has got fails here.
#   scripts/stress-tests.sh PRESET [ROUNDS]      PRESET: debug, asan or tsan
# Each program runs whole, once per round, from the folder and with the selection of tests that
# CTest gives it (the preset's filter included). Builds the preset
# first. Fails when any run fails; the output of every failed run is kept in
# build/PRESET/stress/.
set -euo pipefail

usage() {
    echo "usage: scripts/stress-tests.sh debug|asan|tsan [ROUNDS]" >&2
    exit 2
}
[ "$#" -ge 1 ] && [ "$#" -le 2 ] || usage
preset="$1"
rounds="${2:-10}"
[[ "$preset" =~ ^(debug|asan|tsan)$ ]] && [[ "$rounds" =~ ^[1-9][0-9]*$ ]] || usage

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
build="build/$preset"
logs="$build/stress"

echo "stress: building the $preset preset"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" >/dev/null ||
    { echo "stress: the $preset build failed (cmake --build --preset $preset shows why)" >&2; exit 1; }
rm -rf "$logs"
mkdir -p "$logs"

# One line per test program: the program, its working folder and the gtest filter naming the
# tests CTest would run, split by tabs. (The test programs set their environment themselves.)
ctest --preset "$preset" --show-only=json-v1 >"$logs/tests.json"
python3 - "$logs/tests.json" >"$logs/programs.txt" <<'EOF'
import json, os, sys
programs = {}
for test in json.load(open(sys.argv[1]))["tests"]:
    command = test.get("command") or []
    if not command or not os.path.basename(command[0]).startswith("zarvex_tests_"):
        continue  # not a test program (the format, layer and tidy checks)
    # One test of the program, or (ThreadSanitizer's build) the whole program.
    filters = [a[len("--gtest_filter="):] for a in command if a.startswith("--gtest_filter=")]
    properties = {p["name"]: p["value"] for p in test.get("properties", [])}
    entry = programs.setdefault(command[0], {
        "folder": properties.get("WORKING_DIRECTORY", "."), "filters": []})
    entry["filters"].append(filters[0] if filters else "*")
for program, entry in programs.items():
    print("\t".join([program, entry["folder"], ":".join(entry["filters"])]))
EOF
[ -s "$logs/programs.txt" ] || { echo "stress: CTest lists no test programs in $build" >&2; exit 1; }

busy=()
stopBusy() {
    for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done
}
trap stopBusy EXIT
for _ in 1 2; do
    sh -c 'while :; do :; done' &
    busy+=("$!")
done
echo "stress: two busy loops running (pids ${busy[*]}); $rounds rounds of each test program"

failures=0
started=$SECONDS
while IFS=$'\t' read -r program folder filter; do
    name="$(basename "$program")"
    count="$(tr ':' '\n' <<<"$filter" | wc -l) tests"
    [ "$filter" != "*" ] || count="all tests"
    passed=0
    programStart=$SECONDS
    for ((round = 1; round <= rounds; round++)); do
        log="$logs/$name-$round.log"
        if (cd "$folder" && "$program" --gtest_filter="$filter") \
            >"$log" 2>&1 </dev/null; then
            passed=$((passed + 1))
            rm -f "$log"
        else
            failures=$((failures + 1))
            echo "stress: $name failed in round $round; its output is in $log" >&2
            grep -E "^\[  FAILED  \]|Sanitizer|runtime error" "$log" | head -n 20 >&2 || true
        fi
    done
    printf 'stress: %-24s %9s  %2d of %2d rounds passed  %5d s\n' "$name" "$count" \
        "$passed" "$rounds" "$((SECONDS - programStart))"
done <"$logs/programs.txt"

if [ "$failures" -ne 0 ]; then
    echo "stress: FAILED: $failures failed runs in $((SECONDS - started)) s" >&2
    exit 1
fi
echo "stress: clean: every test program of $preset passed $rounds rounds in a row under load" \
    "($((SECONDS - started)) s)"
