#!/usr/bin/env bash
# Installs what is missing, cross-builds the core for 64-bit Windows into
# build-windows/ and runs its tests under Wine. Each Wine start costs a few
# seconds, so the tests run two more at a time than there are cores.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
scripts/build-windows.sh build-windows
ctest --test-dir build-windows --output-on-failure -j "$(($(nproc) + 2))"
