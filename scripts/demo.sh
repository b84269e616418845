#!/usr/bin/env bash
# Builds Meridox, creates the demo server in ./data when it is not there yet,
# and opens the purchase order window of the demo company.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
[ -e data/VANTEL_CONFIG.db ] || ./build/meridox-server demo ./data
exec ./build/meridox 2 1 DEMO 2 N "$(date +%d/%m/%Y)"
