#!/usr/bin/env bash
# Figures of the deployment on this machine: PostgreSQL and two zarvex2-scores processes behind
# the nginx front of deploy/nginx, all in a temporary folder on free loopback ports, measured by
# zarvex2-scores-bench. The front's per-address limits are lifted for the run (every request comes
# from 127.0.0.1); everything else in its file is as shipped. Afterwards the stored rows are
# counted against the submissions the bench saw answered.
#
#   tools/server/bench-deployment.sh [BUILD_DIR] [SECONDS]     (default build/release, 5)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
seconds="${2:-5}"
server="$build/tools/server/zarvex2-scores"
bench="$build/tools/server/zarvex2-scores-bench"
pgbin=/usr/lib/postgresql/15/bin
[ -x "$server" ] && [ -x "$bench" ] || {
    echo "build zarvex2-scores and zarvex2-scores-bench in $build first" >&2
    exit 1
}

work="$(mktemp -d /tmp/zarvex2-deploy-bench-XXXXXX)"
chmod 0755 "$work"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -f "$work/nginx.pid" ] && kill -QUIT "$(cat "$work/nginx.pid")" 2>/dev/null || true
    as_owner "$pgbin/pg_ctl" -D "$work/pg/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

free_port() {
    python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# PostgreSQL will not run as root: the cluster then belongs to the postgres user.
owner=""
if [ "$(id -u)" -eq 0 ]; then owner=postgres; fi
as_owner() {
    if [ -n "$owner" ]; then runuser -u "$owner" -- "$@"; else "$@"; fi
}

mkdir -p "$work/pg" "$work/nginx"
[ -n "$owner" ] && chown "$owner" "$work/pg"
pg_port="$(free_port)"
as_owner "$pgbin/initdb" -D "$work/pg/data" -U zarvex2 --auth=trust --no-sync --no-instructions \
    >/dev/null
as_owner "$pgbin/pg_ctl" -D "$work/pg/data" -l "$work/pg/log" -w \
    -o "-p $pg_port -k $work/pg -c listen_addresses=127.0.0.1" start >/dev/null
database="postgresql://zarvex2@127.0.0.1:$pg_port/postgres"

app_ports=()
for i in 1 2; do
    "$server" --port 0 --db "$database" --behind-proxy --rate-limit 0 >"$work/app$i.log" 2>&1 &
    pids+=($!)
    until grep -q "serving" "$work/app$i.log"; do
        kill -0 "${pids[-1]}" || { cat "$work/app$i.log" >&2; exit 1; }
        sleep 0.1
    done
    app_ports+=("$(sed -n 's|.*http://127.0.0.1:\([0-9]*\)/.*|\1|p' "$work/app$i.log")")
done

front_port="$(free_port)"
chmod 0777 "$work/nginx"
sed -e "s|listen 80;|listen 127.0.0.1:$front_port;|" -e "/listen \[::\]:80;/d" \
    -e "s|/var/log/nginx/|$work/nginx/|g" \
    -e "s|server 127.0.0.1:8701|server 127.0.0.1:${app_ports[0]}|" \
    -e "s|server 127.0.0.1:8702|server 127.0.0.1:${app_ports[1]}|" \
    -e "s|rate=[0-9]*r/[sm]|rate=100000r/s|g" -e "s|burst=[0-9]*|burst=100000|g" \
    -e "s|limit_conn zarvex2_connections [0-9]*;|limit_conn zarvex2_connections 60000;|" \
    "$root/deploy/nginx/zarvex2-scores.conf" >"$work/nginx/site.conf"
cat >"$work/nginx/nginx.conf" <<EOF
worker_processes auto;
pid $work/nginx.pid;
events { worker_connections 4096; }
http {
    client_body_temp_path $work/nginx/body;
    proxy_temp_path $work/nginx/proxy;
    fastcgi_temp_path $work/nginx/fastcgi;
    uwsgi_temp_path $work/nginx/uwsgi;
    scgi_temp_path $work/nginx/scgi;
    access_log off;
    include $work/nginx/site.conf;
}
EOF
nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" -e "$work/nginx/error.log"
until [ -s "$work/nginx.pid" ]; do sleep 0.1; done

url="http://127.0.0.1:$front_port"
echo "# PostgreSQL on :$pg_port, processes on :${app_ports[0]} and :${app_ports[1]}," \
    "nginx on :$front_port; load: $(cut -d' ' -f1-3 /proc/loadavg)"
submitted=0
for run in "submit 8" "table 4" "json 4" "keepalive 1" "submit 4"; do
    set -- $run
    line="$("$bench" --url "$url" --kind "$1" --clients "$2" --seconds "$seconds")"
    echo "$line"
    if [ "$1" = submit ]; then
        submitted=$((submitted + $(sed -n 's/.*"requests":\([0-9]*\).*/\1/p' <<<"$line")))
    fi
done
stored="$(as_owner psql -h "$work/pg" -p "$pg_port" -U zarvex2 -d postgres -Atc \
    'SELECT count(*) FROM scores')"
distinct="$(as_owner psql -h "$work/pg" -p "$pg_port" -U zarvex2 -d postgres -Atc \
    'SELECT count(DISTINCT name) FROM scores')"
echo "# submissions answered 200: $submitted; rows stored: $stored; distinct names: $distinct"
[ "$submitted" -eq "$stored" ] && [ "$stored" -eq "$distinct" ]
