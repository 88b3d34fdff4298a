#!/usr/bin/env bash
# Benchmark, run by hand (not a test): what the player window pays to list a folder. Makes 25
# five-minute files of each kind the player lists with the third-party encoders (lame, half at
# a constant and half at a variable bitrate; oggenc; ffmpeg's wmav2; sox's WAV), each of its own
# sound, in a scratch folder of the build; then times the tag component's OpenFile and Duration
# on 20 files of each kind (outside_tag_listing_benchmark), and the player window listing all
# 100 from the folder's choice to the last row (app_player_listing_benchmark; needs DISPLAY).
#   tests/outside/tag_listing_benchmark.sh [BUILD]     (BUILD: build/x86_64 by default)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build/x86_64}" && pwd)
work=$build/scratch/tag-listing-benchmark

make_file() {  # number kind
  local n=$1 kind=$2 source=$work/source-$1.wav
  case $kind in
    mp3) if ((10#$n % 2)); then lame --quiet -V 2 "$source" "$work/mp3/$n.mp3"
         else lame --quiet -b 128 "$source" "$work/mp3/$n.mp3"; fi ;;
    ogg) oggenc -Q -q 4 -o "$work/ogg/$n.ogg" "$source" ;;
    wma) ffmpeg -hide_banner -loglevel error -nostdin -y -i "$source" -c:a wmav2 -b:a 128k "$work/wma/$n.wma" ;;
    wav) cp "$source" "$work/wav/$n.wav" ;;
  esac
}
export -f make_file; export work

if [ ! -e "$work/made" ]; then
  rm -rf "$work"; mkdir -p "$work"/{mp3,ogg,wma,wav,mixed,empty}
  for n in $(seq -w 1 25); do
    sox -n -r 44100 -c 2 -b 16 "$work/source-$n.wav" synth 300 sine $((150 + 10#$n * 7))-$((2000 + 10#$n * 50)) \
      sine $((440 - 10#$n * 5))-220 tremolo 3 40 gain -6
  done
  for n in $(seq -w 1 25); do for kind in mp3 ogg wma wav; do echo "$n $kind"; done; done |
    xargs -P 4 -n 2 bash -c 'make_file "$0" "$1"'
  rm "$work"/source-*.wav
  for kind in mp3 ogg wma wav; do
    ln "$work/$kind"/* "$work/mixed/"
    mkdir -p "$work/$kind-20"; ln "$work/$kind"/{0?,1?,20}.$kind "$work/$kind-20/"
  done
  touch "$work/made"
fi

windows() { echo "Z:$1" | tr / '\\'; }
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/wine-run" "$build/bin/outside_tag_listing_benchmark.exe" \
  "$(windows "$work/mp3-20")" "$(windows "$work/ogg-20")" "$(windows "$work/wma-20")" "$(windows "$work/wav-20")"
if [ -n "${DISPLAY:-}" ]; then
  "$build/wine-run" "$build/bin/app_player_listing_benchmark.exe" "$(windows "$work/mixed")" "$(windows "$work/empty")"
else
  echo "no DISPLAY: the player window's listing is not timed"
fi
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
