#!/usr/bin/env bash
# wine_radio_port.sh [korvel-radiosim options...] -- COMMAND [ARGS...]
#
# Runs COMMAND (a Windows program under Wine) with a Wine COM port wired to
# a simulated radio of its own: starts the Linux korvel-radiosim with the
# options given on a pseudo-terminal, links WINEPREFIX/dosdevices/comN to
# that terminal for the first N from 20 that no other run holds, and stops
# the radio when COMMAND ends. COMMAND sees the port's name as
# KORVEL_RADIO_COM (e.g. COM20), and every @COM@ in ARGS is replaced by it.
# Exits with COMMAND's status (1 when the radio could not be started).
#
# Environment: KORVEL_RADIOSIM, the Linux korvel-radiosim (required);
# WINEPREFIX, the Wine prefix COMMAND runs in (required); KORVEL_WINE, the
# Wine loader that makes the prefix when it does not exist yet (default
# /usr/lib/wine/wine64). Safe to run many at once on one prefix: each takes
# its own COM number under a lock, and the prefix is made once, under a lock.
set -uo pipefail

sim_args=()
while (($#)) && [[ $1 != -- ]]; do
  sim_args+=("$1")
  shift
done
if (($# < 2)); then
  echo "usage: $0 [korvel-radiosim options...] -- COMMAND [ARGS...]" >&2
  exit 2
fi
shift
: "${KORVEL_RADIOSIM:?names the Linux korvel-radiosim}" "${WINEPREFIX:?names the Wine prefix}"
wine=${KORVEL_WINE:-/usr/lib/wine/wine64}

# A new prefix is made by the first Wine program that runs in it; two made
# at once in one prefix get in each other's way, so this run makes it first.
mkdir -p "$(dirname "$WINEPREFIX")"
exec {init_lock}>"$WINEPREFIX.lock"
flock "$init_lock"
if [[ ! -d $WINEPREFIX/dosdevices ]]; then
  # Not passed on: the Wine server it starts outlives this run.
  WINEDEBUG=-all "$wine" wineboot --init >/dev/null 2>&1 {init_lock}>&-
fi
flock -u "$init_lock"
if [[ ! -d $WINEPREFIX/dosdevices ]]; then
  echo "$0: Wine made no prefix at $WINEPREFIX" >&2
  exit 1
fi

# The first COM number no other run holds: its lock stays taken until this
# script exits.
mkdir -p "$WINEPREFIX/korvel-com"
com=0
for n in $(seq 20 250); do
  exec {com_lock}>"$WINEPREFIX/korvel-com/com$n.lock"
  if flock -n "$com_lock"; then
    com=$n
    break
  fi
  exec {com_lock}>&-
done
if ((com == 0)); then
  echo "$0: every COM number from 20 to 250 is in use" >&2
  exit 1
fi
link=$WINEPREFIX/dosdevices/com$com

# Wine's server holds the COM port's terminal, which becomes its
# controlling terminal: when the radio stops, the hang-up makes it print
# its object table to the standard error it was started with. Started
# here, it prints to nowhere (when it runs already, this ends at once).
WINEDEBUG=-all "${wine%/*}/wineserver" -p5 >/dev/null 2>&1 {init_lock}>&- {com_lock}>&- || true

work=$(mktemp -d)
sim_pid=0
cleanup() {
  if ((sim_pid)); then
    kill -TERM "$sim_pid" 2>/dev/null
    wait "$sim_pid" 2>/dev/null
  fi
  rm -f "$link"
  rm -rf "$work"
}
trap cleanup EXIT

# Neither lock is passed on, so that they end with this run.
"$KORVEL_RADIOSIM" "${sim_args[@]}" >"$work/out" 2>"$work/err" {init_lock}>&- {com_lock}>&- &
sim_pid=$!
# Its first line is the terminal it serves.
device=""
for _ in $(seq 200); do
  device=$(head -n 1 "$work/out" 2>/dev/null)
  [[ -n $device && -e $device ]] && break
  device=""
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.05
done
if [[ -z $device ]]; then
  echo "$0: korvel-radiosim did not start:" >&2
  cat "$work/err" >&2
  exit 1
fi
ln -sfn "$device" "$link"

export KORVEL_RADIO_COM=COM$com
command=()
for arg in "$@"; do command+=("${arg//@COM@/$KORVEL_RADIO_COM}"); done
"${command[@]}" {init_lock}>&- {com_lock}>&-
status=$?
exit "$status"
