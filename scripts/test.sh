#!/usr/bin/env bash
# Runs every test on SQLite, then the database tests again on a throw-away PostgreSQL.
set -euo pipefail
build=$1
jobs=${JOBS:-2}
echo "=== tests on SQLite ==="
(cd "$build" && ctest --output-on-failure -j "$jobs")
pgdir=$(mktemp -d /tmp/manager-pg.XXXXXX)
trap 'scripts/pg-throwaway.sh stop "$pgdir"' EXIT
scripts/pg-throwaway.sh start "$pgdir" >/dev/null
echo "=== database tests on PostgreSQL ==="
(cd "$build" && MANAGER_TEST_PG_HOST="$pgdir" MANAGER_TEST_PG_PORT=5432 MANAGER_TEST_PG_USER=postgres \
   ctest --output-on-failure -j "$jobs" -L db)
