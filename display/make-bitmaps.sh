#!/usr/bin/env bash
# Writes the control's bitmaps into the folder $1 (run by the build):
#   strip201.bmp, strip202.bmp, strip203.bmp   1 x 185 colour strips of the column styles
#                                               (kryptonite, glass, fire), 24-bit
#   toolbox.bmp                                 16 x 16 toolbox picture, 24-bit
# A strip runs through five colours at rows 0, 46, 92, 138 and 184 (counted from the top) and
# blends linearly between them.
set -euo pipefail
out=$1
mkdir -p "$out"

# Little-endian bytes of a number, as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
pixel() { printf '\\x%02x\\x%02x\\x%02x' "$3" "$2" "$1"; }  # r g b -> BGR

# bmp WIDTH HEIGHT ROWS...: ROWS are printf-escaped pixel rows, top row first.
bmp() {
  local width=$1 height=$2; shift 2
  local stride=$(( (width * 3 + 3) / 4 * 4 ))
  local pad=$(( stride - width * 3 ))
  local size=$(( stride * height ))
  local data="BM$(le32 $((54 + size)))$(le32 0)$(le32 54)"
  data+="$(le32 40)$(le32 "$width")$(le32 "$height")$(le16 1)$(le16 24)$(le32 0)$(le32 "$size")"
  data+="$(le32 2835)$(le32 2835)$(le32 0)$(le32 0)"
  local rows=("$@") padding="" i
  for ((i = 0; i < pad; i++)); do padding+='\x00'; done
  for ((i = height - 1; i >= 0; i--)); do data+="${rows[i]}$padding"; done  # bottom-up
  printf '%b' "$data"
}

# strip FILE r,g,b x5: the anchor colours of rows 0, 46, 92, 138, 184.
strip() {
  local file=$1; shift
  local anchors=("$@") rows=() row
  for ((row = 0; row < 185; row++)); do
    local k=$((row / 46)); ((k > 3)) && k=3
    local at=$((row - 46 * k))
    IFS=, read -r r0 g0 b0 <<<"${anchors[k]}"
    IFS=, read -r r1 g1 b1 <<<"${anchors[k + 1]}"
    rows+=("$(pixel $((r0 + (r1 - r0) * at / 46)) $((g0 + (g1 - g0) * at / 46)) $((b0 + (b1 - b0) * at / 46)))")
  done
  bmp 1 185 "${rows[@]}" >"$out/$file"
}

strip strip203.bmp 227,85,78 238,156,105 246,194,80 255,237,0 255,254,213
strip strip202.bmp 167,160,199 62,143,202 0,147,221 83,186,237 255,255,255
strip strip201.bmp 56,170,106 156,205,25 246,241,0 255,249,123 255,255,255

# The toolbox picture: two green level bars on black, the upper one longer, in a grey frame.
rows=()
for ((y = 0; y < 16; y++)); do
  row=""
  for ((x = 0; x < 16; x++)); do
    if ((y == 0 || y == 15 || x == 0 || x == 15)); then row+=$(pixel 128 128 128)
    elif ((y >= 4 && y <= 6 && x >= 2 && x <= 12)); then row+=$(pixel 0 192 0)
    elif ((y >= 9 && y <= 11 && x >= 2 && x <= 8)); then row+=$(pixel 0 192 0)
    else row+=$(pixel 0 0 0)
    fi
  done
  rows+=("$row")
done
bmp 16 16 "${rows[@]}" >"$out/toolbox.bmp"
