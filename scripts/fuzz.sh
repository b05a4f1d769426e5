#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS]: builds the libFuzzer targets with clang under
# AddressSanitizer and UndefinedBehaviorSanitizer in build-fuzz/, then runs
# both at once for SECONDS (default 300), each on a working copy of its seed
# corpus. Findings are written to build-fuzz/findings/; a finding that
# should stay fixed goes into fuzz/corpus/, which the tests replay.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-300}
cd "$root"
command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is needed (apt-get install clang)" >&2; exit 2; }
if [[ ! -f build-fuzz/build.ninja ]]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORVEL_BUILD_FUZZ=ON -DKORVEL_SANITIZE=ON -DKORVEL_BUILD_GUI=OFF -DKORVEL_BUILD_TESTS=OFF \
    -DKORVEL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-fuzz -j "$(nproc)" --target image_fuzzer transfer_fuzzer
mkdir -p build-fuzz/findings
pids=()
for target in image transfer; do
  work=build-fuzz/corpus/$target
  mkdir -p "$work"
  cp -n fuzz/corpus/$target/* "$work"/ 2>/dev/null || true
  build-fuzz/fuzz/${target}_fuzzer "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/findings/${target}- -print_final_stats=1 \
    >"build-fuzz/${target}.log" 2>&1 &
  pids+=($!)
done
status=0
for pid in "${pids[@]}"; do wait "$pid" || status=1; done
for target in image transfer; do
  echo "== ${target}_fuzzer"
  grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|==[0-9]+==ERROR|check failed|SUMMARY)' \
    "build-fuzz/${target}.log" | tail -6
  echo "corpus: $(ls build-fuzz/corpus/$target | wc -l) inputs; findings: $(ls build-fuzz/findings | grep -c "^${target}-" || true)"
done
exit $status
