#!/usr/bin/env bash
# Makes the Debian package build/korvel_<version>_<arch>.deb from the install
# rules: installs what is missing, builds build/ (what is built already is
# reused), and runs CPack. The package's path is the last line printed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build
log=$(cd build && cpack -G DEB)
printf '%s\n' "$log"
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' <<<"$log")
[[ -f $deb ]] || { echo "package.sh: CPack named no package" >&2; exit 1; }
echo "$deb"
