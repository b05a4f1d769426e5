#!/usr/bin/env bash
# windows_cli_e2e.sh WINDOWS_CLI LINUX_CLI
#
# korvel-cli.exe under Wine against korvel-cli on Linux, each with a
# simulated radio of its own started from the same memory: a read through
# the Win32 serial port (a Wine COM port wired to the radio's
# pseudo-terminal) brings the same 2112 bytes as a read through the Linux
# port, and a write with --verify leaves the radio holding the same memory
# as the same write from Linux. Needs what wine_radio_port.sh needs
# (KORVEL_RADIOSIM, WINEPREFIX, KORVEL_WINE) and runs beside it.
set -euo pipefail
(($# == 2)) || { echo "usage: $0 WINDOWS_CLI LINUX_CLI" >&2; exit 2; }
windows_cli=$(realpath "$1") linux_cli=$(realpath "$2")
: "${KORVEL_RADIOSIM:?names the Linux korvel-radiosim}" "${WINEPREFIX:?names the Wine prefix}"
wine=${KORVEL_WINE:-/usr/lib/wine/wine64}
wine_port=$(cd "$(dirname "$0")/../../support" && pwd)/wine_radio_port.sh

work=$(mktemp -d)
radio_pid=0
cleanup() {
  ((radio_pid)) && kill -TERM "$radio_pid" 2>/dev/null && wait "$radio_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work"

fail() { echo "FAILED: $*" >&2; exit 1; }

# The radio's memory at the start, and the file written to it: channels in
# use, optional features set, so every block carries something.
"$linux_cli" new blank.sin
"$linux_cli" insert-channels blank.sin --series 145.6,12.5,40,-0.6 --at 1 -o sets.sin
"$linux_cli" features sets.sin --squelch 7 --beep off -o radio.sin
"$linux_cli" insert-channels radio.sin --series 150,25,30 --at 80 -o more.sin
"$linux_cli" features more.sin --squelch 2 --tot 60 -o edited.sin

# Runs korvel-cli on Linux against a simulated radio of its own, started
# from radio.sin, which saves its memory to SAVE when it stops.
linux_radio() {
  local save=$1
  shift
  "$KORVEL_RADIOSIM" --fast --image radio.sin --save "$save" --link "$work/linux-radio" >radio.out 2>radio.err &
  radio_pid=$!
  for _ in $(seq 200); do [[ -e $work/linux-radio ]] && break; sleep 0.05; done
  [[ -e $work/linux-radio ]] || fail "the Linux radio did not start: $(cat radio.err)"
  "$linux_cli" "$@" --port "$work/linux-radio" || fail "korvel-cli $* on Linux"
  kill -TERM "$radio_pid" && wait "$radio_pid" || true
  radio_pid=0
}

# The same against a radio of its own through a Wine COM port. Windows
# programs are given paths relative to this folder, which Wine reaches as
# a drive of its own.
windows_radio() {
  local save=$1
  shift
  "$wine_port" --fast --image radio.sin --save "$save" -- \
    env WINEDEBUG=-all "$wine" "$windows_cli" "$@" --port @COM@ || fail "korvel-cli.exe $* under Wine"
}

linux_radio linux-after-read.sin read -o linux-read.sin
windows_radio windows-after-read.sin read -o windows-read.sin
cmp linux-read.sin windows-read.sin || fail "the memory read through the Win32 port differs from the Linux read"
cmp radio.sin windows-read.sin || fail "the memory read is not the radio's"

linux_radio linux-written.sin write --verify edited.sin
windows_radio windows-written.sin write --verify edited.sin
cmp linux-written.sin windows-written.sin || fail "the radio written from Windows holds other memory than from Linux"
cmp -s radio.sin windows-written.sin && fail "the write from Windows changed nothing"
echo "read and write --verify through the Win32 port match Linux byte for byte"
