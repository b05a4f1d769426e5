#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test twice: once in the
# normal build and once under AddressSanitizer + UndefinedBehaviorSanitizer.
# The line-paced tests mostly wait on the simulated line, so two more tests
# than there are cores run at a time (they are started first).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
scripts/install-deps.sh
jobs=$(($(nproc) + 2))
scripts/build.sh build
(cd build && ctest --output-on-failure -j "$jobs")
scripts/build.sh build-asan -DKORVEL_SANITIZE=ON -DKORVEL_BUILD_BENCH=OFF -DKORVEL_PACKAGE=OFF
(cd build-asan && ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$jobs")
