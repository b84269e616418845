#!/usr/bin/env bash
# Starts or stops a throw-away PostgreSQL cluster for the tests.
#   pg-cluster.sh start DIR PORT   prints the libpq connection string
#   pg-cluster.sh stop DIR
# The cluster listens on a Unix socket in DIR only and trusts local users.
set -euo pipefail
cmd=$1 dir=$2
bindir=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -1)
as_pg() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}
case "$cmd" in
  start)
    port=$3
    if [ -d "$dir" ]; then as_pg "$bindir/pg_ctl" -D "$dir/db" -m immediate stop >/dev/null 2>&1 || true; rm -rf "$dir"; fi
    mkdir -p "$dir"
    [ "$(id -u)" -eq 0 ] && chown postgres "$dir"
    as_pg "$bindir/initdb" -D "$dir/db" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1
    as_pg "$bindir/pg_ctl" -D "$dir/db" -l "$dir/server.log" -w \
      -o "-k $dir -p $port -c listen_addresses='' -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=100" start >/dev/null
    as_pg "$bindir/psql" -h "$dir" -p "$port" -U postgres -d postgres -qc "CREATE ROLE vantel LOGIN SUPERUSER" >/dev/null
    echo "host=$dir port=$port user=vantel dbname=postgres"
    ;;
  stop)
    as_pg "$bindir/pg_ctl" -D "$dir/db" -m fast stop >/dev/null 2>&1 || true
    ;;
esac
