#!/usr/bin/env bash
# Draws the skins from the box for the README, docs/skins.png: each skin of
# the build's program folder rendered by vellamor-tool at ten past ten, in
# rows of seven with its name below. Run it after a build (default build/)
# when a skin changed; the picture is kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
program_folder=${1:-build}/bin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

labelled=()
while IFS= read -r skin; do
    name=$(basename "$skin" .clk)
    "$program_folder/vellamor-tool" render --skin "$skin" --time 10:08:30 --size 128 -o "$work/$name.png" 2>/dev/null
    labelled+=(-label "$name" "$work/$name.png")
done < <(find "$program_folder" -maxdepth 1 -name '*.clk' | sort -f)
montage -background none -fill '#707070' -pointsize 13 "${labelled[@]}" \
    -tile 7x -geometry 128x128+10+6 -strip docs/skins.png
