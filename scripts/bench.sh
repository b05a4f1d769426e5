#!/usr/bin/env bash
# scripts/bench.sh [NAME...]: installs what is missing, builds the benchmarks
# in build/ and runs the named ones (bench_channels, bench_link, bench_fleet,
# bench_window), or all of them. They print figures; none is a test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build -- benchmarks
names=("$@")
((${#names[@]})) || names=(bench_channels bench_link bench_fleet bench_window)
for name in "${names[@]}"; do
  program=$(find build/bench -type f -name "$name" -perm -u+x | head -n 1)
  if [[ -z "$program" ]]; then
    echo "bench.sh: no benchmark named $name in this build" >&2
    exit 2
  fi
  echo "== $name"
  QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$program"
done
