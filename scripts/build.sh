#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...] [-- targets...]: configures (once) and
# builds into DIR: everything, or only the named targets this configuration has
# (so a start builds the programs without the tests and benchmarks).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
options=()
targets=()
while (($#)); do
  if [[ $1 == -- ]]; then
    shift
    targets=("$@")
    break
  fi
  options+=("$1")
  shift
done
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
fi
if ((${#targets[@]} == 0)); then
  cmake --build "$dir" -j "$(nproc)"
  exit
fi
known=$(ninja -C "$dir" -t targets all | cut -d: -f1)
chosen=()
for target in "${targets[@]}"; do
  if grep -qxF -- "$target" <<<"$known"; then chosen+=(--target "$target"); fi
done
if ((${#chosen[@]} > 0)); then cmake --build "$dir" -j "$(nproc)" "${chosen[@]}"; fi
