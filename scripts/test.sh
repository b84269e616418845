#!/usr/bin/env bash
# Builds Meridox and runs every test on SQLite and on a throw-away PostgreSQL cluster.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/build.sh
pgdir=/tmp/meridox-pg-$$
port=$((54000 + $$ % 1000))
export MERIDOX_TEST_PG=$(bash scripts/pg-cluster.sh start "$pgdir" "$port")
trap 'bash "$root/scripts/pg-cluster.sh" stop "$pgdir"; rm -rf "$pgdir"' EXIT
echo "tests: PostgreSQL at $MERIDOX_TEST_PG"
cd build
ctest --output-on-failure -j"$(nproc)" "$@"
