#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a while over a copy of its seed corpus.
#   fuzz/run.sh [SECONDS]         SECONDS per target (default 60)
#   fuzz/run.sh --total SECONDS   SECONDS shared out among all targets (at least 10 each)
#   fuzz/run.sh --runs N          N executions of each target (a long run; no time limit)
#   fuzz/run.sh ... TARGET...     only the targets named (after the options above)
# Exits non-zero when a target crashes, leaks, runs out of memory or allocates beyond the limit
# below (the input is left in build/fuzz/artifacts/), and when the targets cannot be built.
set -euo pipefail

# The targets and their seed corpora under fuzz/corpus/. A new target is a fuzz_<name>.cpp in
# this folder and one line here.
TARGETS="
fuzz_archive_reader  archive
fuzz_dib             dib
fuzz_riff_wave       wave
fuzz_save_reader     save
fuzz_score_submission score
fuzz_input_script    input
fuzz_replay_reader   replay
fuzz_controls_file   controls
"

# No single allocation may exceed 48 MB: the largest picture the pixel budget admits takes
# 32 MB, while a 4096 x 4096 picture (64 MB) trips the limit. The whole process stays in 2 GB.
MALLOC_LIMIT_MB=48
RSS_LIMIT_MB=2048

fail() {
    echo "fuzz/run.sh: $*" >&2
    exit 1
}

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/fuzz"

names=()
corpora=()
while read -r name corpus; do
    [ -z "$name" ] && continue
    [ -f "$root/fuzz/$name.cpp" ] || fail "$name is in the table but fuzz/$name.cpp does not exist"
    [ -d "$root/fuzz/corpus/$corpus" ] || fail "$name has no seed corpus fuzz/corpus/$corpus"
    names+=("$name")
    corpora+=("$corpus")
done <<<"$TARGETS"
for source in "$root"/fuzz/fuzz_*.cpp; do
    name="$(basename "$source" .cpp)"
    [[ " ${names[*]} " == *" $name "* ]] || fail "fuzz/$name.cpp has no line in the table of fuzz/run.sh"
done

usage="usage: fuzz/run.sh [SECONDS | --total SECONDS | --runs N] [TARGET...]"
limit=(-max_total_time=60)
total=""
case "${1:-}" in
    --total)
        [[ "${2:-}" =~ ^[0-9]+$ ]] || fail "$usage"
        total="$2"
        shift 2
        ;;
    --runs)
        [[ "${2:-}" =~ ^[0-9]+$ ]] || fail "$usage"
        limit=(-runs="$2")
        shift 2
        ;;
    "" | fuzz_*) ;;
    *)
        [[ "$1" =~ ^[0-9]+$ ]] || fail "$usage"
        limit=(-max_total_time="$1")
        shift
        ;;
esac
if [ "$#" -gt 0 ]; then
    chosen=()
    chosenCorpora=()
    for wanted in "$@"; do
        found=""
        for i in "${!names[@]}"; do
            if [ "${names[$i]}" = "$wanted" ]; then
                chosen+=("$wanted")
                chosenCorpora+=("${corpora[$i]}")
                found=1
            fi
        done
        [ -n "$found" ] || fail "no fuzz target $wanted (the table lists: ${names[*]})"
    done
    names=("${chosen[@]}")
    corpora=("${chosenCorpora[@]}")
fi
if [ -n "$total" ]; then
    seconds=$((total / ${#names[@]}))
    [ "$seconds" -ge 10 ] || seconds=10
    limit=(-max_total_time="$seconds")
fi

command -v clang++ >/dev/null 2>&1 ||
    fail "clang++ is missing, so the fuzz targets cannot be built; scripts/install-deps.sh installs it"

# The "fuzz" preset of CMakePresets.json holds the build's flags (clang, optimised a little with
# the debug build's assertions kept: several times the executions a second of an unoptimised
# build), so this script and a hand-made `cmake --preset fuzz` share one build folder.
mkdir -p "$build"
(cd "$root" && cmake --preset fuzz) >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log" >&2; fail "the fuzz build cannot be configured (see above)"; }
(cd "$root" && cmake --build --preset fuzz --target "${names[@]}") ||
    fail "the fuzz targets cannot be built (see above)"

mkdir -p "$build/artifacts" "$build/logs"
status=0
summary=()
for i in "${!names[@]}"; do
    target="${names[$i]}"
    work="$build/corpus/${corpora[$i]}"
    log="$build/logs/$target.log"
    rm -rf "$work"
    mkdir -p "$work"
    cp -R "$root/fuzz/corpus/${corpora[$i]}/." "$work/"
    echo "fuzz/run.sh: running $target (${limit[*]})"
    # The whole output goes to the log; the terminal gets the lines that say something.
    if UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "$build/fuzz/$target" "$work" "${limit[@]}" \
            -rss_limit_mb="$RSS_LIMIT_MB" -malloc_limit_mb="$MALLOC_LIMIT_MB" \
            -artifact_prefix="$build/artifacts/$target-" -print_final_stats=1 >"$log" 2>&1; then
        verdict="clean"
    else
        verdict="FAILED"
        status=1
        tail -n 60 "$log" >&2
        echo "fuzz/run.sh: $target failed; the input is in $build/artifacts/, the log in $log" >&2
    fi
    runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
    seconds="$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -n 1)"
    summary+=("$(printf '%-22s %-6s %12s executions%s' "$target" "$verdict" "${runs:-?}" \
        "${seconds:+ in $seconds s}")")
done
echo "fuzz/run.sh: summary"
printf '  %s\n' "${summary[@]}"
exit "$status"
