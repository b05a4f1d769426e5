#!/usr/bin/env bash
# scripts/windows-icons.sh: draws the Windows icons (packaging/windows/*.ico:
# the program's and the channel data file's) from the SVG icons, at the sizes
# Explorer and the taskbar ask for; run it when an SVG icon changes. Needs
# rsvg-convert and ImageMagick's convert.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 64 256)
for name in korvel application-x-korvel-sin; do
  pngs=()
  for size in "${sizes[@]}"; do
    rsvg-convert --width="$size" --height="$size" --output="$work/$name-$size.png" "$root/src/app/resources/icons/$name.svg"
    pngs+=("$work/$name-$size.png")
  done
  convert "${pngs[@]}" "$root/packaging/windows/$name.ico"
done
