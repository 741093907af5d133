#!/usr/bin/env bash
# Draws the options window's tab icons and button glyphs and the alarm
# editor's icons into resources/icons/ with ImageMagick: each is drawn at
# 64 x 64 and scaled down to 16 x 16, which smooths its edges. Run it after changing a drawing; the
# pictures are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"

draw() { # NAME DRAW-ARGUMENTS...
    local name=$1
    shift
    convert -size 64x64 xc:none "$@" -filter Lanczos -resize 16x16 -strip "PNG32:$name.png"
}

# Skin Design: a painter's palette with three colours.
draw tab-design \
    -fill '#e9d3a5' -stroke '#7a5a2a' -strokewidth 3 -draw 'ellipse 32,34 28,24 0,360' \
    -fill none -stroke none -fill '#ffffff' -draw 'circle 42,46 48,46' \
    -stroke none -fill '#d62828' -draw 'circle 18,30 24,30' \
    -fill '#2a9d3f' -draw 'circle 32,20 38,20' \
    -fill '#1d5fd1' -draw 'circle 46,28 52,28'

# Skins Gallery: four thumbnails.
draw tab-gallery \
    -stroke '#3b4a5a' -strokewidth 3 \
    -fill '#f4a259' -draw 'roundrectangle 4,6 29,29 4,4' \
    -fill '#5b8e7d' -draw 'roundrectangle 35,6 60,29 4,4' \
    -fill '#8cb4e0' -draw 'roundrectangle 4,35 29,58 4,4' \
    -fill '#bc4b51' -draw 'roundrectangle 35,35 60,58 4,4'

# Alarms: an alarm clock with two bells.
draw tab-alarms \
    -fill '#c0392b' -stroke '#6e1f17' -strokewidth 3 \
    -draw 'ellipse 14,12 10,10 180,360' -draw 'ellipse 50,12 10,10 180,360' \
    -draw 'line 16,54 10,62' -draw 'line 48,54 54,62' \
    -fill '#fdfdfd' -draw 'circle 32,36 32,12' \
    -stroke '#222222' -strokewidth 4 -draw 'line 32,36 32,20' -draw 'line 32,36 43,40'

# Help: a question mark on a blue disc.
draw tab-help \
    -fill '#2d6cdf' -stroke '#163f8c' -strokewidth 3 -draw 'circle 32,32 32,3' \
    -fill white -stroke none -font DejaVu-Sans-Bold -pointsize 48 -gravity center -annotate +0+2 '?'

# Texture: a square with a diagonal hatch.
draw texture \
    -fill '#f3ead3' -stroke '#5a4a2a' -strokewidth 3 -draw 'rectangle 6,6 58,58' \
    -stroke '#8a6d3b' -strokewidth 4 \
    -draw 'line 8,28 28,8' -draw 'line 8,44 44,8' -draw 'line 8,58 58,8' -draw 'line 22,58 58,22' -draw 'line 38,58 58,38'

# Save: a disk.
draw save \
    -fill '#2f5d9e' -stroke '#1b355c' -strokewidth 3 -draw 'roundrectangle 5,5 59,59 6,6' \
    -stroke none -fill '#e8eef7' -draw 'rectangle 16,7 48,26' \
    -fill '#2f5d9e' -draw 'rectangle 38,10 44,23' \
    -fill '#ffffff' -draw 'rectangle 14,36 50,56'

# Close Clock: a white cross on a red disc.
draw close \
    -fill '#d83a2e' -stroke '#7d1d16' -strokewidth 3 -draw 'circle 32,32 32,3' \
    -stroke white -strokewidth 8 -draw 'line 20,20 44,44' -draw 'line 44,20 20,44'

# Done: a green tick.
draw done \
    -fill none -stroke '#1f8a3a' -strokewidth 11 -draw 'stroke-linecap round stroke-linejoin round polyline 8,34 25,51 56,14'

# The alarm editor. Create alarm: a bell with a green plus.
draw alarm-new \
    -stroke none -fill '#a0700a' -draw 'circle 32,10 32,5' -draw 'circle 32,54 32,47' \
    -fill '#e8b224' -draw 'polygon 14,48 18,26 24,15 32,13 40,15 46,26 50,48' \
    -fill '#a0700a' -draw 'rectangle 10,45 54,50' \
    -fill white -draw 'circle 46,46 46,28' -fill '#2ea043' -draw 'circle 46,46 46,30' \
    -fill white -draw 'rectangle 43,36 49,56' -draw 'rectangle 36,43 56,49'

# Delete alarm: a red cross.
draw alarm-delete \
    -fill none -stroke '#96191a' -strokewidth 13 -draw 'stroke-linecap round line 14,14 50,50' -draw 'stroke-linecap round line 50,14 14,50' \
    -stroke '#cd2d2d' -strokewidth 9 -draw 'stroke-linecap round line 14,14 50,50' -draw 'stroke-linecap round line 50,14 14,50'

# Edit selected: a pencil.
draw alarm-edit \
    -fill none -stroke '#3c3c3c' -strokewidth 17 -draw 'line 17,47 49,15' \
    -stroke '#e8b224' -strokewidth 12 -draw 'line 18,46 46,18' \
    -stroke '#e6788c' -draw 'line 46,18 50,14' \
    -stroke none -fill '#ebcda0' -draw 'polygon 6,58 10,41 23,54' \
    -fill '#3c3c3c' -draw 'polygon 6,58 8,50 14,56'

# Test It: a play mark on a green disc.
draw alarm-test \
    -stroke none -fill '#1e7832' -draw 'circle 32,32 32,4' -fill '#2ea043' -draw 'circle 32,32 32,7' \
    -fill white -draw 'polygon 25,18 46,32 25,46'

# The picture: a framed landscape with a sun.
draw alarm-picture \
    -stroke none -fill '#3c3c3c' -draw 'rectangle 4,10 60,54' -fill '#78b4eb' -draw 'rectangle 8,14 56,50' \
    -fill '#fad73c' -draw 'circle 44,25 44,19' \
    -fill '#2ea043' -draw 'polygon 8,50 8,40 24,26 40,42 48,36 56,44 56,50'

# The sound: a note.
draw alarm-sound \
    -fill none -stroke '#285aaa' -strokewidth 6 -draw 'line 26,50 26,13' -draw 'line 52,44 52,7' \
    -stroke none -fill '#285aaa' -draw 'polygon 23,10 55,4 55,14 23,21' \
    -draw 'circle 18,50 18,41' -draw 'circle 44,44 44,35'

# The document: a page with a folded corner.
draw alarm-document \
    -stroke none -fill '#3c3c3c' -draw 'polygon 10,3 40,3 54,17 54,61 10,61' \
    -fill '#fcfcfa' -draw 'polygon 14,7 38,7 50,19 50,57 14,57' \
    -fill '#969696' -draw 'polygon 38,7 38,19 50,19' \
    -draw 'rectangle 20,26 44,29' -draw 'rectangle 20,35 44,38' -draw 'rectangle 20,44 44,47'
