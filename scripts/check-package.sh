#!/usr/bin/env bash
# Makes the Debian package (scripts/package.sh) and checks it as a user gets
# it: lintian finds no error or warning (packaging/lintian-overrides says why
# the tags it is told to accept are fine); the desktop entry and the AppStream
# metadata validate; the package holds every file it must; unpacked into a
# throw-away root, the .sin type and the desktop entry register, the icons
# have their sizes, the programs run (the window starts in a virtual display
# and closes on SIGTERM), every manual page renders without a warning and
# names every command and option, and the completion completes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
deb=$(scripts/package.sh | tail -n 1)
version=$(dpkg-deb -f "$deb" Version)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# Each step passes when none of its checks failed.
failures=0 steps=0 failed_steps=0 step_failures=0
end_step() {
  ((steps == 0)) || ((failures == step_failures)) || failed_steps=$((failed_steps + 1))
  step_failures=$failures
}
step() {
  end_step
  steps=$((steps + 1))
  printf '\n== %s\n' "$*"
}
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

step "package $(basename "$deb"): $(stat -c %s "$deb") bytes, installed $(dpkg-deb -f "$deb" Installed-Size) KiB"
dpkg-deb -f "$deb" Depends Recommends Suggests

step "lintian"
lintian --fail-on error,warning --display-info --pedantic --show-overrides "$deb" || fail "lintian"

step "contents (dpkg-deb -c)"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./||' >"$tmp/contents"
expected=(usr/bin/korvel usr/bin/korvel-cli usr/bin/korvel-radiosim
  usr/share/applications/korvel.desktop usr/share/mime/packages/korvel.xml
  usr/share/metainfo/org.example.korvel.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/korvel.svg
  usr/share/icons/hicolor/scalable/mimetypes/application-x-korvel-sin.svg
  usr/share/man/man1/korvel.1.gz usr/share/man/man1/korvel-cli.1.gz usr/share/man/man1/korvel-radiosim.1.gz
  usr/share/bash-completion/completions/korvel-cli usr/share/lintian/overrides/korvel
  usr/share/doc/korvel/README.md usr/share/doc/korvel/copyright usr/share/doc/korvel/changelog.gz)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/korvel.png"
    "usr/share/icons/hicolor/${size}x${size}/mimetypes/application-x-korvel-sin.png")
done
for file in "${expected[@]}"; do
  grep -qxF "$file" "$tmp/contents" || fail "the package lacks $file"
done
echo "${#expected[@]} files present of $(grep -cv '/$' "$tmp/contents")"

dpkg -x "$deb" "$tmp/root"
share=$tmp/root/usr/share
bin=$tmp/root/usr/bin

step "desktop entry, AppStream metadata, file type, icons"
desktop-file-validate "$share/applications/korvel.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net --pedantic "$share/metainfo/org.example.korvel.metainfo.xml" || fail "appstreamcli"
cp -r "$share/mime" "$share/applications" "$tmp/"
XDG_DATA_DIRS=$tmp update-mime-database "$tmp/mime"
update-desktop-database "$tmp/applications"
grep -qxF 'application/x-korvel-sin:*.sin' "$tmp/mime/globs" || fail ".sin is not application/x-korvel-sin"
grep -qx 'application/x-korvel-sin=korvel.desktop;\?' "$tmp/applications/mimeinfo.cache" ||
  fail "korvel.desktop does not open application/x-korvel-sin"
for png in "$share"/icons/hicolor/*x*/*/*.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  file -b "$png" | grep -q "^PNG image data, ${size/x/ x }," || fail "$png is not $size"
done

step "programs"
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home/.config XDG_DATA_HOME=$tmp/home/.local/share
mkdir -p "$HOME"
if ldd "$bin"/* | grep 'not found'; then fail "a library is missing"; fi
for program in korvel-cli korvel-radiosim; do
  [[ $("$bin/$program" --version) == "$program $version" ]] || fail "$program --version"
done
[[ $(QT_QPA_PLATFORM=offscreen "$bin/korvel" --version) == "korvel $version" ]] || fail "korvel --version"
"$bin/korvel-cli" new "$tmp/new.sin" && [[ $(stat -c %s "$tmp/new.sin") == 2112 ]] || fail "korvel-cli new"
"$bin/korvel-cli" settings "$tmp/new.sin" >/dev/null || fail "korvel-cli settings"
# The window shows itself on a file from the command line, titled with its
# name, and a stop signal closes it as Exit does.
xvfb-run -a bash -c '
  "$1" "$2" & pid=$!
  if ! timeout 60 xdotool search --sync --onlyvisible --name "^new\.sin - Korvel Electronics  Programing Software$" >/dev/null; then
    kill $pid; exit 1
  fi
  kill -TERM $pid
  wait $pid' _ "$bin/korvel" "$tmp/new.sin" || fail "korvel did not start and quit"

step "manual pages"
for page in "$share"/man/man1/*.1.gz; do
  warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
done
MANWIDTH=200 man --nh --nj -l "$share/man/man1/korvel-cli.1.gz" 2>/dev/null >"$tmp/korvel-cli.txt"
# The lines under the heading "korvel-cli COMMAND [OPTIONS]...", to the next heading.
manual_section() {
  awk -v head="   korvel-cli $1 [OPTIONS]" 'index($0, head) == 1 {on = 1; next} on && /^ {0,3}[^ ]/ {exit} on' \
    "$tmp/korvel-cli.txt"
}
source "$share/bash-completion/completions/korvel-cli"
described=0
for command in $(_korvel_cli_commands "$("$bin/korvel-cli" --help)") "fleet write"; do
  [[ $command == fleet ]] && continue
  read -ra words <<<"$command"
  section=$(manual_section "$command")
  [[ -n $section ]] || fail "korvel-cli(1) lacks $command"
  for option in $(_korvel_cli_options "$("$bin/korvel-cli" "${words[@]}" --help)"); do
    [[ $option == -h || $option == --help ]] && continue
    grep -qE -- "^ +(-[a-z],)?$option([ ,]|$)" <<<"$section" || fail "korvel-cli(1) lacks $command $option"
  done
  described=$((described + 1))
done
echo "korvel-cli(1) describes $described commands"

step "bash completion"
source /usr/share/bash-completion/bash_completion
source "$share/bash-completion/completions/korvel-cli"
# complete WORD... : what Tab offers after the last word, one a line.
complete_words() {
  COMP_WORDS=("$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="$*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _korvel_cli
  printf '%s\n' "${COMPREPLY[@]}"
}
mkdir "$tmp/files" && touch "$tmp/files/radio.sin" "$tmp/files/list.csv" "$tmp/files/notes.txt"
cd "$tmp/files"
export PATH=$bin:$PATH
while IFS='|' read -r line offered refused; do
  read -ra words <<<"$line"
  [[ $line == *' ' ]] && words+=("")
  got=$(complete_words "${words[@]}")
  for word in $offered; do grep -qxF -- "$word" <<<"$got" || fail "'$line<Tab>' does not offer $word"; done
  for word in $refused; do ! grep -qxF -- "$word" <<<"$got" || fail "'$line<Tab>' offers $word"; done
done <<'EOF'
korvel-cli |new read fleet ports|--port
korvel-cli read --|--port --output --retries|new
korvel-cli read --port |COM1 COM4|radio.sin
korvel-cli write --port COM1 |radio.sin|list.csv notes.txt
korvel-cli import-csv radio.sin |list.csv radio.sin|notes.txt
korvel-cli export-csv radio.sin -o |list.csv|radio.sin
korvel-cli fleet |write|read
korvel-cli features radio.sin --beep |on off|radio.sin
EOF
cd "$root"

end_step
echo "check-package: $((steps - failed_steps)) passed, $failed_steps failed"
((failures == 0))
