#!/usr/bin/env bash
# Audio files that nobody here wrote, for the readers' and the tag component's tests:
#   audio-corpus.sh OUT
# OUT/taglib/  the sample and regression files of taglib's own test suite, from the Debian
#              source package that tools/build-thirdparty.sh unpacks into its cache;
# OUT/made/    files made by third-party encoders (lame, oggenc, sox, ffmpeg) and taggers
#              (mutagen), and a few cut or padded by hand the way broken files are;
# OUT/corpus.tsv  one line a file: path below OUT, what ffmpeg calls its first audio stream
#              (codec, rate, channels; "-" when ffmpeg finds none) and the sample frames the
#              reference decoder gives (libvorbisfile's oggdec for Vorbis, libmpg123's mpg123 for
#              MP3, ffmpeg for the rest).
# The tests read the list; nothing here is kept in the repository. Runs again only when
# this script is newer than the list.
set -euo pipefail
out=$1
list="$out/corpus.tsv"
[ -s "$list" ] && [ "$list" -nt "$0" ] && exit 0

for tool in lame oggenc oggdec mpg123 sox ffmpeg ffprobe /usr/bin/python3; do
  command -v $tool >/dev/null || { echo "audio-corpus: $tool is missing (tools/setup.sh installs it)" >&2; exit 1; }
done
cache=${TALVO_THIRDPARTY_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/talvo-thirdparty}
taglib=$(ls -d "$cache"/sources/taglib-*/tests/data 2>/dev/null | sort -V | tail -1)
[ -n "$taglib" ] || { echo "audio-corpus: no taglib source in $cache/sources (run tools/build-thirdparty.sh)" >&2; exit 1; }

rm -rf "$out"; mkdir -p "$out/taglib" "$out/made"
cp "$taglib"/* "$out/taglib/"
made=$out/made q=(-hide_banner -loglevel error -nostdin -y)

# Twelve seconds of sound that changes all the time (so a sample off shows), stereo at CD rate.
# -R: the same dither in every run, so that every build makes the same files.
sox -R -n -r 44100 -c 2 -b 16 "$made/source.wav" synth 12 sine 300-3000 sine 440-220 tremolo 3 40 gain -6
sox -R "$made/source.wav" -c 1 "$made/source-mono.wav"

# MP3: MPEG-1, 2 and 2.5, constant and variable bitrate, with and without the Xing/Info frame.
lame --quiet -b 128 "$made/source.wav" "$made/lame-cbr128.mp3"
lame --quiet -V 2 "$made/source.wav" "$made/lame-vbr.mp3"
lame --quiet -t -b 192 "$made/source.wav" "$made/lame-noinfo.mp3"
lame --quiet --resample 22.05 -b 64 "$made/source.wav" "$made/lame-mpeg2-22050.mp3"
lame --quiet --resample 24 -m m -b 32 "$made/source-mono.wav" "$made/lame-mpeg2-24000-mono.mp3"
lame --quiet --resample 16 -V 5 "$made/source.wav" "$made/lame-mpeg2-16000-vbr.mp3"
lame --quiet --resample 11.025 -b 32 "$made/source.wav" "$made/lame-mpeg25-11025.mp3"
lame --quiet --resample 8 -m m -b 16 "$made/source-mono.wav" "$made/lame-mpeg25-8000-mono.mp3"
lame --quiet --resample 24 -m m -b 8 "$made/source-mono.wav" "$made/lame-mpeg2-24000-8kbps.mp3"
lame --quiet -b 128 --id3v2-only --tt "Title" --ta "Artist" --tl "Album" --ty 1999 \
  "$made/source.wav" "$made/lame-id3v23.mp3"
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a libmp3lame -b:a 160k -id3v2_version 4 \
  -metadata title="Four" "$made/ffmpeg-id3v24.mp3"
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a libmp3lame -b:a 96k -id3v2_version 3 -write_id3v1 1 \
  -metadata title="Both" "$made/ffmpeg-id3v23-v1.mp3"
sox -R "$made/source.wav" -C 192 "$made/sox.mp3"
head -c 20000 "$made/lame-cbr128.mp3" > "$made/lame-cut-short.mp3"
lame --quiet -b 320 -t "$made/source.wav" "$made/two-frames.tmp"
head -c 1200 "$made/two-frames.tmp" > "$made/lame-two-frames.mp3"; rm "$made/two-frames.tmp"

# Ten minutes of sweeping tones at a variable bitrate, for seeks far into a file, and the same
# file with 150 bytes cut out of its frame at 4:00, 2/5 of it (a frame cut in two).
sox -V1 -R -n -r 44100 -c 2 -b 16 -t wav - synth 600 sine 200-4000 sine 3000-150 tremolo 3.3 40 gain -6 |
  lame --quiet -V 4 - "$made/lame-ten-minutes.mp3"
cut=$(ffprobe -v error -select_streams a -show_entries packet=pts_time,pos -of csv=p=0 "$made/lame-ten-minutes.mp3" |
      awk -F, '!cut && $1 >= 240 { cut = $2 + 100; print cut }')
{ head -c "$cut" "$made/lame-ten-minutes.mp3"; tail -c +$(( cut + 151 )) "$made/lame-ten-minutes.mp3"; } \
  > "$made/ten-minutes-frame-cut.mp3"

# Ogg Vorbis.
oggenc -Q -q 3 -o "$made/oggenc-q3.ogg" "$made/source.wav"
oggenc -Q -q 0 --resample 22050 -o "$made/oggenc-22050.ogg" "$made/source.wav"
oggenc -Q -b 64 -o "$made/oggenc-mono.ogg" "$made/source-mono.wav"
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a libvorbis -q:a 5 "$made/ffmpeg-vorbis.ogg"
sox -R "$made/source.wav" -C 4 "$made/sox.ogg"

# WMA versions 1 and 2 from ffmpeg's encoders; Pro and Lossless only come as taglib's samples.
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a wmav1 -b:a 128k "$made/ffmpeg-wmav1.wma"
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a wmav2 -b:a 192k -metadata title="Wma" "$made/ffmpeg-wmav2.wma"
ffmpeg "${q[@]}" -i "$made/source-mono.wav" -ar 22050 -c:a wmav2 -b:a 32k "$made/ffmpeg-wmav2-22050-mono.wma"

# WAV: plain, with an INFO list, with an ID3 chunk, with both, and not 16-bit.
sox -R "$made/source.wav" "$made/sox-copy.wav"
sox -R "$made/source.wav" -r 22050 -c 1 "$made/sox-22050-mono.wav"
sox -R "$made/source.wav" -b 24 "$made/sox-24bit.wav"
ffmpeg "${q[@]}" -i "$made/source.wav" -c:a pcm_s16le -metadata title="Info title" \
  -metadata artist="Info artist" "$made/ffmpeg-info.wav"
cp "$made/source.wav" "$made/mutagen-id3.wav"
cp "$made/ffmpeg-info.wav" "$made/mutagen-id3-and-info.wav"
/usr/bin/python3 - "$made/mutagen-id3.wav" "$made/mutagen-id3-and-info.wav" <<'EOF'
import sys
from mutagen.wave import WAVE
from mutagen.id3 import TIT2, TPE1
for path in sys.argv[1:]:
    wav = WAVE(path)
    wav.add_tags()
    wav.tags.add(TIT2(encoding=3, text="Id3 title"))
    wav.tags.add(TPE1(encoding=3, text="Id3 artist"))
    wav.save()
EOF

# MP3 files as other tools leave them: junk or zero padding before the first frame, an ID3v2.4
# tag with an extended header and a footer, an unsynchronised ID3v2.3 tag, a frame cut in the
# middle of the stream, a header frame that miscounts, and content that is no MP3 at all under
# an .mp3 name; an Ogg file whose last granule position claims more than its audio.
/usr/bin/python3 - "$made" <<'EOF'
import os, sys
made = sys.argv[1]
mp3 = open(os.path.join(made, "lame-cbr128.mp3"), "rb").read()
def syncsafe(n):
    return bytes([(n >> 21) & 0x7F, (n >> 14) & 0x7F, (n >> 7) & 0x7F, n & 0x7F])
def frame23(fid, text):
    body = b"\x00" + text.encode("latin-1")
    return fid + len(body).to_bytes(4, "big") + b"\x00\x00" + body
def frame24(fid, text):
    body = b"\x03" + text.encode("utf-8")
    return fid + syncsafe(len(body)) + b"\x00\x00" + body
def write(name, data):
    open(os.path.join(made, name), "wb").write(data)

write("junk-before-frames.mp3", b"JUNK" * 300 + bytes(517) + mp3)
ext = syncsafe(6) + b"\x01\x00"
frames = frame24(b"TIT2", "Extended") + bytes(64)
body = ext + frames
write("id3v24-extended-footer.mp3",
      b"ID3\x04\x00\x50" + syncsafe(len(body)) + body + b"3DI\x04\x00\x50" + syncsafe(len(body)) + mp3)
raw = frame23(b"TIT2", "Unsynch \xff\xe0 title") + frame23(b"APIC", "\xff\xfb\x90\x64\xff\xf3") + bytes(32)
unsync = raw.replace(b"\xff", b"\xff\x00")
write("id3v23-unsynchronised.mp3", b"ID3\x03\x00\x80" + syncsafe(len(unsync)) + unsync + mp3)
middle = len(mp3) // 2
write("frame-cut-in-stream.mp3", mp3[:middle] + mp3[middle + 150:])
# A LAME header frame that counts fewer frames than the file has.
vbr = bytearray(open(os.path.join(made, "lame-vbr.mp3"), "rb").read())
xing = vbr.find(b"Xing")
frames = int.from_bytes(vbr[xing + 8:xing + 12], "big")
vbr[xing + 8:xing + 12] = (frames - 40).to_bytes(4, "big")
write("xing-count-short.mp3", bytes(vbr))
# An Ogg Vorbis file whose last page's granule position lies past its audio.
def ogg_crc(data):
    crc = 0
    for b in data:
        crc ^= b << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7 if crc & 0x80000000 else crc << 1) & 0xFFFFFFFF
    return crc
def ogg_last_granule(name, claim):
    ogg = bytearray(open(os.path.join(made, "oggenc-q3.ogg"), "rb").read())
    last = ogg.rfind(b"OggS")
    granule = int.from_bytes(ogg[last + 6:last + 14], "little")
    ogg[last + 6:last + 14] = claim(granule).to_bytes(8, "little")
    ogg[last + 22:last + 26] = bytes(4)
    ogg[last + 22:last + 26] = ogg_crc(ogg[last:]).to_bytes(4, "little")
    write(name, bytes(ogg))
ogg_last_granule("granule-past-audio.ogg", lambda granule: granule + 30000)
# As far past as a damaged or crafted page may claim.
ogg_last_granule("granule-2e40.ogg", lambda granule: 1 << 40)
ogg_last_granule("granule-7e18.ogg", lambda granule: 0x7000000000000000)
# WAV files whose writer could not go back to fill in the RIFF and data sizes, which it left 0:
# a recorder cut off (in the middle of a frame) and a camera's empty memo.
wav = bytearray(open(os.path.join(made, "sox-copy.wav"), "rb").read())
data = wav.find(b"data")
wav[4:8] = wav[data + 4:data + 8] = bytes(4)
write("wav-sizes-zero.wav", bytes(wav[:len(wav) - 3001]))
write("wav-sizes-zero-empty.wav", bytes(wav[:data + 8]))
write("wav-named.mp3", open(os.path.join(made, "sox-copy.wav"), "rb").read())
write("random.mp3", os.urandom(50000))
write("random.wma", os.urandom(50000))
write("random.ogg", os.urandom(50000))
EOF
rm "$made/source-mono.wav"

# What the reference decoders make of every file of the kinds the player lists; the rest are
# listed with "-" (they are there to be refused without a crash or a hang).
describe() {
  local f=$1 info codec rate ch bytes
  case "${f,,}" in
    *.mp3|*.ogg|*.wma|*.wav) ;;
    *) printf '%s\t-\t0\t0\t0\n' "$f"; return ;;
  esac
  info=$(ffprobe -v error -select_streams a:0 -show_entries stream=codec_name,sample_rate,channels \
         -of csv=p=0 "$f" 2>/dev/null </dev/null | head -1 || true)
  IFS=, read -r codec rate ch <<<"$info"
  if [ -z "$codec" ] || ! [ "${ch:-0}" -gt 0 ] 2>/dev/null; then
    printf '%s\t-\t0\t0\t0\n' "$f"; return
  fi
  if [ "$codec" = vorbis ]; then
    bytes=$(oggdec -Q -R -b 16 -e 0 -s 1 -o - "$f" 2>/dev/null </dev/null | wc -c)
  elif [ "$codec" = mp3 ]; then
    bytes=$(mpg123 -q -s "$f" 2>/dev/null </dev/null | wc -c)
  else
    bytes=$(ffmpeg -loglevel error -nostdin -i "$f" -map 0:a:0 -f s16le -c:a pcm_s16le - 2>/dev/null | wc -c)
  fi
  printf '%s\t%s\t%s\t%s\t%s\n' "$f" "$codec" "$rate" "$ch" $(( bytes / (2 * ch) ))
}
export -f describe
(cd "$out" && ls taglib/* made/* | xargs -d '\n' -P "$(nproc)" -I{} bash -c 'describe "$1"' _ {} |
  sort > corpus.tsv.tmp && mv corpus.tsv.tmp corpus.tsv)
