#!/usr/bin/env bash
# A throw-away PostgreSQL 15 for the tests: unix socket only, no TCP port.
#   pg-throwaway.sh start DIR   -> prints the socket folder
#   pg-throwaway.sh stop DIR
set -euo pipefail
cmd=$1
dir=$2
bin=/usr/lib/postgresql/15/bin
as_pg=()
if [ "$(id -u)" -eq 0 ]; then
  as_pg=(runuser -u postgres --)
fi
case "$cmd" in
  start)
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$dir"
    "${as_pg[@]}" "$bin/initdb" -D "$dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    "${as_pg[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" \
      -o "-k $dir -c listen_addresses='' -p 5432 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
      -w start >/dev/null
    echo "$dir"
    ;;
  stop)
    "${as_pg[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$dir"
    ;;
  *)
    echo "usage: $0 start|stop DIR" >&2
    exit 2
    ;;
esac
