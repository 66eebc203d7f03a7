#!/usr/bin/env bash
# Listens where no one can: a recorded item of the sample as the audio
# device receives it, and a headword spoken by the synthesizer, are written
# as WAVE files and measured with sox. Both must last as long as a spoken
# word does and must not be silence.
# Usage: sound_sox_test.sh LEXMORA_CLI PLAY_TO_DEVICE SAMPLE_FOLDER
set -euo pipefail
cli=$1 play=$2 sample=$3
command -v sox >/dev/null || { echo "sox is not installed"; exit 77; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

value() {  # value FILE.wav FIELD: one line of sox's statistics
  sox "$1" -n stat 2>&1 | awk -F: -v f="$2" '$1 ~ f {gsub(/ /, "", $2); print $2}'
}
check() {  # check FILE.wav MIN_SECONDS MAX_SECONDS WHAT
  local length rms peak
  length=$(value "$1" "^Length")
  rms=$(value "$1" "^RMS +amplitude")
  peak=$(value "$1" "^Maximum amplitude")
  echo "$4: $length s, RMS amplitude $rms, peak $peak"
  awk -v l="$length" -v lo="$2" -v hi="$3" 'BEGIN { exit !(l >= lo && l <= hi) }' ||
    { echo "FAIL: $4 lasts $length s, expected $2..$3"; exit 1; }
  awk -v r="$rms" -v p="$peak" 'BEGIN { exit !(r > 0.01 && p > 0.1) }' ||
    { echo "FAIL: $4 is silence"; exit 1; }
}

# Item 1 of the English group's general sub-dictionary ("apple"), as the
# device receives it. The device goes on taking buffers of silence until it
# closes, so both sides are measured without their silent ends.
"$cli" --dir "$sample" sound 1 0 1 --out "$tmp/item.ogg" >/dev/null
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$tmp/played.raw" SDL_DISKAUDIODELAY=0 "$play" "$tmp/item.ogg" 2>/dev/null
sox -t raw -r 44100 -e signed -b 16 -c 2 "$tmp/played.raw" "$tmp/played.wav"
trim="silence 1 0.001 0.5% reverse silence 1 0.001 0.5% reverse"
sox "$tmp/item.ogg" -r 44100 -c 2 "$tmp/item-sound.wav" $trim
sox "$tmp/played.wav" "$tmp/played-sound.wav" $trim
item_length=$(soxi -D "$tmp/item-sound.wav")
check "$tmp/played-sound.wav" "$(awk -v l="$item_length" 'BEGIN { print l - 0.02 }')" \
  "$(awk -v l="$item_length" 'BEGIN { print l + 0.02 }')" "played item (recorded $item_length s)"

# A headword spoken by the synthesizer: the row of "goodbye".
row=$("$cli" --dir "$sample" lookup 1 goodbye --json | sed -E 's/.*"row":([0-9]+).*/\1/')
"$cli" --dir "$sample" speak 1 "$row" --out "$tmp/goodbye.wav" >/dev/null
check "$tmp/goodbye.wav" 0.3 3 "spoken headword"

# An Azeri headword in the Azeri voice.
row=$("$cli" --dir "$sample" lookup 2 "çörək" --json | sed -E 's/.*"row":([0-9]+).*/\1/')
"$cli" --dir "$sample" speak 2 "$row" --out "$tmp/bread.wav" >/dev/null
check "$tmp/bread.wav" 0.3 3 "spoken Azeri headword"
echo "PASS"
