#!/usr/bin/env bash
# cli-manual-text.sh PROGRAM --help|--version: the text help2man makes the
# manual page of PROGRAM from. --help prints PROGRAM's own --help, then a
# Commands section: for every command (and every command of a command group),
# its usage line as heading, its description and its options, each as that
# command's --help gives them.
set -euo pipefail
program=$1
case ${2:-} in
  --version) exec "$program" --version ;;
  --help) ;;
  *) echo "usage: $0 PROGRAM --help|--version" >&2; exit 2 ;;
esac

# The command names listed under "Subcommands:" in a help text.
commands() { sed -n '/^Subcommands:$/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p' <<<"$1"; }

describe() {
  local text
  text=$("$program" "$@" --help)
  if grep -qx 'Subcommands:' <<<"$text"; then
    for name in $(commands "$text"); do describe "$@" "$name"; done
    return
  fi
  printf '\n%s:\n' "$(sed -n 's/^Usage: //p' <<<"$text")"
  sed -n "1s/^/  /p" <<<"$text"
  echo
  # The option lines, without their headings and without the help flag
  # every command has.
  sed -e '1,/^$/d' -e '/^$/d' -e '/^[A-Z][a-z]*:$/d' -e '/^  -h,--help /d' <<<"$text"
}

top=$("$program" --help)
printf '%s\n\n*Commands*\n' "$top"
for name in $(commands "$top"); do describe "$name"; done
