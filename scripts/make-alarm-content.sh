#!/usr/bin/env bash
# Makes the wake-up pictures and alarm sounds shipped in the Alarm folder,
# resources/alarm/: pictures drawn from shapes with ImageMagick, sounds
# synthesised with sox (libsox-fmt-mp3 for the MP3 files). Nothing is taken
# from elsewhere: no photographs, recordings or fonts. Run it after changing a
# picture or a sound; the files are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/../resources/alarm"

width=400
height=300

# --- Pictures (JPEG, 400 x 300) -------------------------------------------

# Sunrise: a sky from night blue to amber, the sun rising behind two ranges
# of hills.
convert -size ${width}x170 gradient:'#1c2a5e'-'#d8707a' \
    \( -size ${width}x130 gradient:'#d8707a'-'#ffd27f' \) -append \
    \( -size ${width}x${height} xc:none -fill '#fff2b8' -draw 'circle 200,238 200,150' -blur 0x18 \) -composite \
    -fill '#fffbe6' -draw 'circle 200,238 200,180' \
    -fill '#6b4a6e' -draw 'path "M 0,244 C 70,214 130,226 186,246 C 260,222 330,212 400,236 L 400,300 L 0,300 Z"' \
    -fill '#2c2440' -draw 'path "M 0,272 C 90,248 170,262 240,272 C 300,256 360,252 400,262 L 400,300 L 0,300 Z"' \
    -quality 90 -strip Sunrise.jpg

# Coffee: a red cup of coffee on its saucer, steam rising, on a wooden table.
convert -size ${width}x${height} gradient:'#fbeedb'-'#ecd2ab' \
    -fill '#9a6535' -draw 'rectangle 0,210 400,300' \
    -fill '#8a592d' -draw 'rectangle 0,210 400,216' \
    -fill '#7e5129' -draw 'line 0,240 400,244' -draw 'line 0,268 400,262' \
    -fill '#00000033' -draw 'ellipse 206,246 112,16 0,360' \
    -fill '#f8f8f6' -stroke '#c9c3bb' -strokewidth 2 -draw 'ellipse 200,236 110,20 0,360' \
    -fill '#e8e4de' -stroke none -draw 'ellipse 200,234 70,11 0,360' \
    -fill none -stroke '#b8342a' -strokewidth 12 -draw 'ellipse 276,170 26,28 -90,90' \
    -fill '#d2453a' -stroke '#a52f26' -strokewidth 2 \
    -draw 'path "M 132,124 L 268,124 C 268,190 250,232 200,234 C 150,232 132,190 132,124 Z"' \
    -fill '#e4685d' -stroke none -draw 'path "M 146,134 C 146,180 156,210 176,222 C 160,200 154,170 156,134 Z"' \
    -fill '#f1e4d2' -stroke '#a52f26' -strokewidth 2 -draw 'ellipse 200,124 68,13 0,360' \
    -fill '#5a3519' -stroke none -draw 'ellipse 200,125 60,9 0,360' \
    -fill '#a8703e' -draw 'ellipse 196,124 26,4 0,360' \
    \( -size ${width}x${height} xc:none -fill none -stroke '#ffffffc0' -strokewidth 7 \
       -draw 'path "M 176,106 C 162,86 190,72 176,50 C 166,34 180,24 176,14"' \
       -draw 'path "M 204,106 C 190,84 218,70 204,46 C 194,30 208,18 204,6"' \
       -draw 'path "M 230,106 C 218,88 244,76 230,56 C 222,42 234,32 230,22"' \
       -blur 0x3 \) -composite \
    -quality 90 -strip Coffee.jpg

# Night: a crescent moon and stars over dark hills, for a bedtime reminder.
# The stars are placed by a seeded generator, so every run draws the same.
stars=()
RANDOM=20240
for _ in $(seq 1 90); do
    x=$((RANDOM % width))
    y=$((RANDOM % 220))
    r=$((RANDOM % 3 == 0 ? 2 : 1))
    # None behind the moon.
    (((x - 300) ** 2 + (y - 80) ** 2 < 50 ** 2)) && continue
    stars+=(-draw "circle $x,$y $((x + r)),$y")
done
convert -size ${width}x${height} gradient:'#060a1f'-'#23346b' \
    -fill '#fffbe8' "${stars[@]}" \
    \( -size ${width}x${height} xc:none -fill '#fff5cc' -draw 'circle 300,80 300,44' \
       \( -size ${width}x${height} xc:none -fill black -draw 'circle 318,70 318,38' \) -compose DstOut -composite \
       -compose Over \( +clone -blur 0x10 \) +swap -composite \) -composite \
    -fill '#141b33' -draw 'path "M 0,236 C 80,204 160,214 220,236 C 290,210 350,208 400,226 L 400,300 L 0,300 Z"' \
    -fill '#0a0f22' -draw 'path "M 0,268 C 100,244 180,256 260,270 C 320,254 370,252 400,260 L 400,300 L 0,300 Z"' \
    -quality 90 -strip Night.jpg

# --- Sounds -----------------------------------------------------------------

rate=22050
# Repeatable output and no dither: a run writes the same bytes every time.
sox() {
    command sox -R -D "$@"
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# calc EXPRESSION: the value of an arithmetic expression with fractions.
calc() {
    awk "BEGIN { print $* }"
}

# tone FILE SECONDS FREQUENCY DECAY [SYNTH-TYPE]: one struck note that dies
# away exponentially (a fade of DECAY seconds shaped as a logarithm).
tone() {
    sox -n -r $rate -c 1 "$1" synth "$2" "${5:-sine}" "$3" fade l 0.005 "$2" "$4"
}

# Chimes: four tuned tubes struck in turn (C6, E6, G6, C7), each with a
# faint partial a little sharp of its octave, ringing over each other.
chime_notes=(1046.5 1318.5 1568.0 2093.0)
chimes=()
for i in "${!chime_notes[@]}"; do
    f=${chime_notes[$i]}
    tone "$work/fundamental$i.wav" 2.6 "$f" 2.6
    tone "$work/partial$i.wav" 1.4 "$(calc "$f * 2.76")" 1.4
    sox -m -v 0.7 "$work/fundamental$i.wav" -v 0.2 "$work/partial$i.wav" "$work/tube$i.wav"
    sox "$work/tube$i.wav" "$work/chime$i.wav" pad "$(calc "$i * 0.45")"
    chimes+=(-v 0.4 "$work/chime$i.wav")
done
sox -m "${chimes[@]}" -b 16 Chimes.wav gain -n -3 fade t 0 0 0.3

# Bells: a bell's inharmonic partials (hum, prime, tierce, quint, nominal
# and two above), the higher ones dying away sooner, struck three times.
bell_base=392
bell_length=3
bell_partials=(0.5 1.0 1.2 1.5 2.0 2.5 3.0)
bell_weights=(0.22 0.25 0.17 0.1 0.15 0.06 0.05)
partials=()
for i in "${!bell_partials[@]}"; do
    f=$(calc "$bell_base * ${bell_partials[$i]}")
    length=$(calc "$bell_length / (${bell_partials[$i]} < 1 ? 1 : ${bell_partials[$i]})")
    tone "$work/bell$i.wav" "$length" "$f" "$length"
    partials+=(-v "${bell_weights[$i]}" "$work/bell$i.wav")
done
sox -m "${partials[@]}" "$work/strike.wav" gain -n -3
sox "$work/strike.wav" "$work/strike2.wav" pad 1.2
sox "$work/strike.wav" "$work/strike3.wav" pad 2.4
sox -m "$work/strike.wav" "$work/strike2.wav" "$work/strike3.wav" -b 16 Bells.wav gain -n -3

# Gentle rise: a soft major chord that swells from silence over ten seconds,
# with a slow shimmer.
sox -n -r $rate -c 1 "$work/rise.wav" synth 10 sine 261.63 sine 329.63 sine 392.0 sine 523.25 \
    remix - tremolo 0.5 30 fade q 8 10 1.5 gain -n -4
sox "$work/rise.wav" -C 64 GentleRise.mp3

# Beeps: the classic alarm clock, four short beeps and a pause, three times,
# for sleepers who need more than a chime.
sox -n -r $rate -c 1 "$work/beep.wav" synth 0.09 square 2048 fade 0.005 0.09 0.005 pad 0 0.06
sox "$work/beep.wav" "$work/beep.wav" "$work/beep.wav" "$work/beep.wav" "$work/burst.wav" pad 0 0.5
sox "$work/burst.wav" "$work/burst.wav" "$work/burst.wav" "$work/beeps.wav" gain -n -9
sox "$work/beeps.wav" -C 64 Beeps.mp3
