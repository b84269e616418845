#!/usr/bin/env bash
# Builds Meridox, creates the demo server in ./data when it is not there yet,
# and opens the purchase order window of the demo company.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
[ -e data/VANTEL_CONFIG.db ] || ./build/src/meridox-server demo ./data
exec ./build/src/meridox 2 1 DEMO 0 2 "$(date +%d/%m/%Y)"
