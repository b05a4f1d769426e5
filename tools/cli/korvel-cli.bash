# bash completion for korvel-cli: its commands and each command's options,
# read from the program's own --help so they follow it; the values an
# option's help lists; channel data files (.sin), CSV and PDF files where a
# command takes them; folders for --backup-dir; and for --port COM1..COM4
# and the names `korvel-cli ports` lists.

# The help of a command, e.g. _korvel_cli_help korvel-cli fleet write
_korvel_cli_help() { LC_ALL=C "$@" --help 2>/dev/null; }

# The commands a help text lists under "Subcommands:".
_korvel_cli_commands() { sed -n '/^Subcommands:$/,/^$/s/^  \([a-z][a-z0-9-]*\) .*/\1/p' <<<"$1"; }

# The long and short options a help text lists.
_korvel_cli_options() { sed -n 's/^  \(-[a-z],\)\{0,1\}\(--[a-z0-9-]*\).*/\1\2/p' <<<"$1" | tr ',' '\n'; }

# The line of OPTION in a help text, from the option on.
_korvel_cli_option_line() { grep -E -m1 "^  (-[a-z],)?$2( |$)" <<<"$1" | sed -E "s/^  (-[a-z],)?$2//"; }

_korvel_cli() {
  local cur prev words cword
  _init_completion || return

  # The command (and the command of a command group) typed so far.
  local program=${words[0]} help command=() i names
  help=$(_korvel_cli_help "$program")
  for ((i = 1; i < cword; i++)); do
    names=$(_korvel_cli_commands "$help")
    [[ -n $names && $'\n'$names$'\n' == *$'\n'${words[i]}$'\n'* ]] || continue
    command+=("${words[i]}")
    help=$(_korvel_cli_help "$program" "${command[@]}")
  done

  # The value of the option before the cursor.
  if [[ $prev == -* ]]; then
    local line
    line=$(_korvel_cli_option_line "$help" "$prev")
    case $prev in
      --port)
        if [[ $cur == /* ]]; then
          _filedir
        else
          COMPREPLY=($(compgen -W "COM1 COM2 COM3 COM4 $("$program" ports 2>/dev/null | cut -f1)" -- "$cur"))
        fi
        return
        ;;
      --backup-dir) _filedir -d; return ;;
      --log) _filedir csv; return ;;
      -o | --output)
        case ${command[0]-} in
          export-csv) _filedir csv ;;
          print) _filedir pdf ;;
          *) _filedir sin ;;
        esac
        return
        ;;
    esac
    # An option whose help shows a type after its name takes a value: the
    # ones listed as {a,b} or as a|b, else anything.
    if [[ $line == ' '[A-Z]* ]]; then
      local choices
      choices=$(sed -nE 's/^ [A-Z]+:\{([^}]*)\}.*/\1/p; s/^ [A-Z]+ +([^ ]+\|[^ ]+)$/\1/p' <<<"$line" | tr ',|' '  ')
      COMPREPLY=($(compgen -W "$choices" -- "$cur"))
      return
    fi
  fi

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$(_korvel_cli_options "$help")" -- "$cur"))
    return
  fi
  names=$(_korvel_cli_commands "$help")
  if [[ -n $names ]]; then
    COMPREPLY=($(compgen -W "$names" -- "$cur"))
  elif grep -qx 'Positionals:' <<<"$help"; then
    case ${command[0]-} in
      import-csv) _filedir '@(sin|csv)' ;;
      *) _filedir sin ;;
    esac
  fi
} && complete -F _korvel_cli korvel-cli
