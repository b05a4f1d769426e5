#!/usr/bin/env bash
# Installs what is missing, builds the programs (not the tests), and starts
# Korvel. Arguments are passed to the program (e.g. a .sin file to open).
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"
scripts/install-deps.sh
scripts/build.sh build -- korvel korvel-cli korvel-radiosim
if [[ -x build/src/app/korvel ]]; then
  if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: run it from a desktop session, or under a virtual one: xvfb-run -a ./run.sh" >&2
    exit 1
  fi
  exec build/src/app/korvel "$@"
fi
# Without the window: show a demo image through the command-line tool.
demo=$(mktemp --suffix=.sin)
build/tools/cli/korvel-cli new "$demo"
build/tools/cli/korvel-cli settings "$demo"
build/tools/cli/korvel-cli channels "$demo"
echo "Demo channel data file: $demo"
