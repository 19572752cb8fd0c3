#!/usr/bin/env bash
# `make bench`: builds the benchmark installations once (cached outside the
# source tree), then times each operation through the program's own code and
# the same work in the engine's own shell. Prints one table and the closing
# line "bench: N of M targets met".
#   MANAGER_BENCH_CACHE  cache folder (default /var/tmp/manager-bench)
#   MANAGER_BENCH_SIZES  SQLite sizes in ledger rows (default "1000000 10000000")
#   MANAGER_BENCH_PG     PostgreSQL size (default 1000000; 0 skips PostgreSQL)
set -euo pipefail
build=$(cd "$1" && pwd)
bin=$build/bin
cache=${MANAGER_BENCH_CACHE:-/var/tmp/manager-bench}
sizes=${MANAGER_BENCH_SIZES:-"1000000 10000000"}
pg_rows=${MANAGER_BENCH_PG:-1000000}
last_day=2026-11-30
mkdir -p "$cache"
chmod 755 "$cache"
rows_file=$(mktemp)
trap 'rm -f "$rows_file"' EXIT

label() { awk -v n="$1" 'BEGIN { if (n >= 1000000) printf "%dM", n / 1000000; else printf "%dK", n / 1000 }'; }

# A SQLite installation of about N ledger rows.
sqlite_db() {
  local rows=$1 file="$cache/sqlite-$(label "$1").db"
  if [ ! -f "$file" ]; then
    echo "generating $file ..." >&2
    rm -f "$file.tmp"*
    "$bin/pos-sim" --sqlite "$file.tmp" demo --bench-rows "$rows" --last-day "$last_day" \
      | tail -n 1 > "$file.log"
    mv "$file.tmp" "$file"
  fi
  echo "$file"
}

pg_bin=/usr/lib/postgresql/15/bin
as_pg=()
[ "$(id -u)" -eq 0 ] && as_pg=(runuser -u postgres --)
pg_dir="$cache/pg-$(label "$pg_rows")"
# The server flushes to disk as an installation's would; a commit does not wait
# for its flush (synchronous_commit=off), the same promise SQLite's
# synchronous=NORMAL makes: a crash may lose the last commits, never the data.
pg_start() {
  "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -l "$pg_dir/server.log" \
    -o "-k $pg_dir -c listen_addresses='' -p 5432 -c synchronous_commit=off -c shared_buffers=512MB" \
    -w start > /dev/null
}
pg_stop() { "${as_pg[@]}" "$pg_bin/pg_ctl" -D "$pg_dir/data" -m fast -w stop > /dev/null 2>&1 || true; }
pg_db() {
  if [ ! -f "$pg_dir/ready" ]; then
    echo "generating the PostgreSQL installation in $pg_dir ..." >&2
    rm -rf "$pg_dir"
    mkdir -p "$pg_dir"
    [ "$(id -u)" -eq 0 ] && chown postgres: "$pg_dir"
    "${as_pg[@]}" "$pg_bin/initdb" -D "$pg_dir/data" -A trust -U postgres -E UTF8 --locale=C.UTF-8 > "$pg_dir/initdb.log"
    pg_start
    "${as_pg[@]}" "$pg_bin/createdb" -h "$pg_dir" -U postgres bench
    "$bin/pos-sim" --pg-host "$pg_dir" --pg-db bench demo --bench-rows "$pg_rows" --last-day "$last_day" \
      | tail -n 1 > "$pg_dir/generation.log"
    pg_stop
    touch "$pg_dir/ready"
  fi
}

run_bench() { "$bin/manager_bench" "$@" 2>/dev/null | grep '^|' | tee -a "$rows_file"; }

printf '%s\n' "machine: $(nproc) cores, $(free -g | awk '/^Mem:/ { print $2 }') GiB; $(uname -sr)"
header="| size | operation                                                        |       rows | ours             | raw              |   ratio | target           | result |"
echo "$header"
echo "|------|------------------------------------------------------------------|-----------:|------------------|------------------|--------:|------------------|------|"

for n in $sizes; do
  db=$(sqlite_db "$n")
  # The targets are set for the largest installation; smaller ones are shown for scale.
  targets=no
  [ "$n" = "$(echo $sizes | awk '{ print $NF }')" ] && targets=yes
  run_bench --label "$(label "$n")" --sqlite "$db" --bin "$bin" --targets "$targets"
done

if [ "$pg_rows" != 0 ]; then
  pg_db
  pg_start
  trap 'pg_stop; rm -f "$rows_file"' EXIT
  # The program logs in with its built-in login when setup.INI names none;
  # fresh statistics for the planner after the generation.
  "${as_pg[@]}" psql -q -h "$pg_dir" -U postgres -d bench -c \
    "DO \$\$ BEGIN IF NOT EXISTS (SELECT 1 FROM pg_roles WHERE rolname = 'ruvo') THEN CREATE ROLE ruvo LOGIN SUPERUSER; END IF; END \$\$; ANALYZE;" > /dev/null
  run_bench --label "PG$(label "$pg_rows")" --pg-host "$pg_dir" --pg-db bench --bin "$bin" --only one,full,main,grid,bills \
    --targets pg
  pg_stop
fi

# The report engine: 10,000 rows to PDF.
report=$("$bin/bench_report" 10000 2>/dev/null)
total=$(echo "$report" | awk '/report to PDF, total/ { print $(NF-1) }')
select=$(echo "$report" | awk '/plain SELECT of the rows/ { print $(NF-1) }')
ratio=$(awk -v a="$total" -v b="$select" 'BEGIN { printf "%.1fx", a / b }')
result=$(awk -v a="$total" 'BEGIN { print (a <= 2000 ? "PASS" : "FAIL") }')
printf '| %-4s | %-64s | %10s | %-16s | %-16s | %7s | %-16s | %-4s |\n' "10K" "10,000-row tabular report to PDF" 10000 \
  "$total ms" "$select ms" "$ratio" "<= 2000 ms" "$result" | tee -a "$rows_file"

echo
for f in "$cache"/sqlite-*.db.log "$cache"/pg-*/generation.log; do
  [ -f "$f" ] && echo "generation ($(basename "$(dirname "$f")")/$(basename "$f")): $(cat "$f")"
done
met=$(grep -c '| PASS |' "$rows_file" || true)
all=$(grep -c -E '\| (PASS|FAIL) \|' "$rows_file" || true)
echo "bench: $met of $all targets met"
