#!/usr/bin/env bash
# scripts/build-windows.sh [DIR] [cmake options...]: cross-builds the core
# for 64-bit Windows into DIR (build-windows unless given): installs the
# cross compiler, Wine and the library sources it needs, fetches and builds
# libcsv from Debian's source package (Debian has no Windows build of it),
# builds the Linux korvel-radiosim and korvel-cli into DIR/host (the Windows
# tests talk to the simulated radio through a Wine COM port), configures
# once and builds. Run the tests with: ctest --test-dir DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build-windows}
(($#)) && shift
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
"$root/scripts/install-deps.sh" "$root/scripts/packages-windows.txt"

# apt's lists and its source entries for this one fetch live under DIR: the
# system's package sources are read, never changed.
deps=$dir/deps
apt_options=(-o Dir::Etc::SourceList=/dev/null -o "Dir::Etc::SourceParts=$deps/apt"
  -o "Dir::State::Lists=$deps/apt/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)

# The source entries of the archive this machine installs from, for its own
# release: its deb822 stanzas, or its one-line entries, as deb-src.
write_source_entries() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$deps/apt/lists/partial"
  local out=$deps/apt/archive.sources
  : >"$out"
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file ]] || continue
    awk -v codename="$codename" '
      function flush() {
        if (stanza != "" && deb && suite) print stanza "Suites: " codename "\n"
        stanza = ""; deb = 0; suite = 0
      }
      /^[[:space:]]*$/ { flush(); next }
      /^#/ { next }
      /^Types:/ { deb = ($0 ~ /[[:space:]]deb([[:space:]]|$)/); stanza = stanza "Types: deb-src\n"; next }
      /^Suites:/ { for (i = 2; i <= NF; i++) if ($i == codename) suite = 1; next }
      { stanza = stanza $0 "\n" }
      END { flush() }' "$file" >>"$out"
  done
  if [[ -f /etc/apt/sources.list ]]; then
    awk -v codename="$codename" '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i == codename) { $1 = "deb-src"; print; next } }' \
      /etc/apt/sources.list >"$deps/apt/archive.list"
  fi
  if [[ ! -s $out && ! -s $deps/apt/archive.list ]]; then
    echo "No package source for $codename found in /etc/apt" >&2
    exit 1
  fi
}

libcsv=$deps/libcsv
if [[ ! -f $libcsv/libcsv.c ]]; then
  write_source_entries
  apt-get "${apt_options[@]}" update -qq
  rm -rf "$deps/fetch" && mkdir -p "$deps/fetch"
  (cd "$deps/fetch" && apt-get "${apt_options[@]}" source --download-only libcsv &&
    dpkg-source --no-check -x ./*.dsc unpacked >/dev/null)
  rm -rf "$libcsv" && mv "$deps/fetch/unpacked" "$libcsv"
fi

# The Linux programs only: no window, tests, package or benchmarks.
host=$dir/host
"$root/scripts/build.sh" "$host" -DKORVEL_BUILD_GUI=OFF -DKORVEL_BUILD_TESTS=OFF -DKORVEL_PACKAGE=OFF \
  -DKORVEL_BUILD_BENCH=OFF -- korvel-radiosim korvel-cli

host_programs=(-DKORVEL_HOST_RADIOSIM="$host/tools/radiosim/korvel-radiosim"
  -DKORVEL_HOST_CLI="$host/tools/cli/korvel-cli")
if [[ ! -f "$dir/build.ninja" ]]; then
  cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DKORVEL_LIBCSV_SOURCE_DIR="$libcsv" "${host_programs[@]}" "$@"
elif ! grep -q '^KORVEL_HOST_RADIOSIM:FILEPATH=.' "$dir/CMakeCache.txt"; then
  # A build configured before the Linux programs were made here.
  cmake -S "$root" -B "$dir" "${host_programs[@]}"
fi
cmake --build "$dir" -j "$(nproc)"
