#!/usr/bin/env bash
# Draws the program's two pictures from drawing commands and writes them into
# src/resources/:
#   Kalvenor.ico  the program's icon: one 48 x 48 image, 24-bit colour (BMP
#                 style with a 1-bit transparency mask, no alpha channel).
#   Acerca.jpg    the about window's picture: 77 x 72, baseline JPEG, 8-bit,
#                 three components, JFIF density 96 x 96 dpi.
# Both files are committed, so the build needs neither this script nor
# ImageMagick; run it only to remake them. It uses ImageMagick's `convert`
# and draws shapes only (no fonts, no downloaded images).
#
# The motif: a rose tile (the main window's colour, RGB 255,128,128) showing
# "A -> 8" (the code table turns a into 8) above a teal key (the colour of the
# main window's labels, RGB 0,128,128, a little darker).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/src/resources"

if ! command -v convert >/dev/null 2>&1; then
  echo "Falta ImageMagick (la orden 'convert'). Instálelo, p. ej.: apt-get install imagemagick" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Everything is drawn at S times the final size, in the final size's
# coordinates ("scale S,S"), and then averaged down with a box filter.
S=4

# Colours.
rose_light='rgb(255,184,176)'
rose_dark='rgb(232,92,104)'
rim='rgb(150,40,60)'
shadow='rgba(60,0,20,0.40)'
arrow='rgb(120,30,50)'
teal='rgb(0,96,100)'
teal_light='rgb(120,210,205)'

# Writes the value $1 as $2 little-endian bytes.
le() {
  local v=$1 n=$2 i
  for ((i = 0; i < n; i++)); do
    # shellcheck disable=SC2059
    printf "\\$(printf %03o $(((v >> (8 * i)) & 255)))"
  done
}

# ---------------------------------------------------------------------------
# The icon, 48 x 48.
N=$((48 * S))

# The tile: a rounded square filled with a vertical rose gradient, a soft
# gloss on its upper part, and a darker rim.
convert -size ${N}x${N} xc:black -fill white \
  -draw "scale $S,$S roundrectangle 1,1 46.9,46.9 8,8" "$work/shape.png"
convert -size ${N}x${N} gradient:"$rose_light-$rose_dark" \
  -fill 'rgba(255,255,255,0.22)' -stroke none \
  -draw "scale $S,$S ellipse 24,6 26,12 0,360" \
  "$work/shape.png" -alpha off -compose CopyOpacity -composite "$work/tile.png"

# "A", an arrow and "8" drawn as strokes (with a shadow), and the key.
a_glyph='line 9,21 14,7 line 14,7 19,21 line 10.8,16 17.2,16'
eight_glyph='ellipse 34,10.2 3.6,3.2 0,360 ellipse 34,17.4 4.2,3.6 0,360'
convert "$work/tile.png" \
  -fill none -strokewidth 1.2 -stroke "$rim" \
  -draw "scale $S,$S roundrectangle 1.6,1.6 46.3,46.3 7.4,7.4" \
  -stroke 'rgba(60,0,20,0.45)' -strokewidth 3.2 \
  -draw "scale $S,$S translate 0.8,0.8 $a_glyph $eight_glyph" \
  -stroke white \
  -draw "scale $S,$S $a_glyph $eight_glyph" \
  -stroke "$arrow" -strokewidth 1.6 -fill "$arrow" \
  -draw "scale $S,$S line 21.5,14 26,14 polygon 25,11.5 28.5,14 25,16.5" \
  -stroke "$teal" -strokewidth 3.6 -fill none \
  -draw "scale $S,$S circle 13,34 13,40.5" \
  -stroke none -fill "$teal" \
  -draw "scale $S,$S rectangle 19,32.2 41.5,35.8 rectangle 32.5,34 35.5,40 rectangle 37.8,34 41.5,38.8" \
  -stroke "$teal_light" -strokewidth 1.0 -fill none \
  -draw "scale $S,$S arc 8,29 18,39 190,260 line 21,32.8 40.5,32.8" \
  "$work/icon-big.png"

# Colour image (edge pixels over the rim colour) and 1-bit mask (opaque where
# the tile covers at least half of the pixel); transparent pixels are black,
# as the icon format expects.
convert "$work/icon-big.png" -alpha extract -filter box -resize 48x48 \
  -threshold 50% "$work/mask.png"
convert "$work/icon-big.png" -background "$rim" -alpha remove -alpha off \
  -filter box -resize 48x48 "$work/mask.png" -compose Multiply -composite \
  "$work/icon.png"

# The XOR bitmap: bottom-up rows of blue, green, red (144 bytes a row, already
# a multiple of 4).
convert "$work/icon.png" -flip -depth 8 BGR:"$work/xor.bin"
# The AND mask: bottom-up rows of 1 bit a pixel, 1 = transparent, each row
# padded to 32 bits. A PBM (1 = black) 64 pixels wide gives exactly 8 bytes a
# row; the header is dropped by keeping the last 48 * 8 bytes.
convert "$work/mask.png" -background white -gravity west -extent 64x48 \
  -flip -monochrome PBM:"$work/and.pbm"
tail -c $((48 * 8)) "$work/and.pbm" >"$work/and.bin"

xor_size=$((48 * 48 * 3))
and_size=$((48 * 8))
[ "$(stat -c %s "$work/xor.bin")" -eq "$xor_size" ] || { echo "Mapa de colores del icono de tamaño inesperado" >&2; exit 1; }
[ "$(stat -c %s "$work/and.bin")" -eq "$and_size" ] || { echo "Máscara del icono de tamaño inesperado" >&2; exit 1; }
image_size=$((40 + xor_size + and_size))

{
  # ICONDIR: reserved, type 1 (icon), one image.
  le 0 2; le 1 2; le 1 2
  # ICONDIRENTRY: 48 x 48, no palette, reserved, 1 plane, 24 bits a pixel,
  # size of the image data, its offset (6 + 16).
  le 48 1; le 48 1; le 0 1; le 0 1; le 1 2; le 24 2; le "$image_size" 4; le 22 4
  # BITMAPINFOHEADER: the height counts the XOR bitmap and the AND mask.
  le 40 4; le 48 4; le 96 4; le 1 2; le 24 2; le 0 4
  le $((xor_size + and_size)) 4; le 0 4; le 0 4; le 0 4; le 0 4
  cat "$work/xor.bin" "$work/and.bin"
} >"$out/Kalvenor.ico"

# ---------------------------------------------------------------------------
# The about window's picture, 77 x 72: the same motif, larger, on a radial
# rose gradient with a gloss band.
W=$((77 * S))
H=$((72 * S))
a_glyph='line 12,33 19.5,9 line 19.5,9 27,33 line 14.8,25 24.2,25'
eight_glyph='ellipse 57,14.6 5.4,4.8 0,360 ellipse 57,26.6 6.4,5.6 0,360'
key_ring='circle 19,52 19,61.5'
key_body='rectangle 28,49.3 66,54.7 rectangle 52,52 56.5,62 rectangle 59.5,52 66,60'
convert -size ${W}x${H} radial-gradient:'rgb(255,214,206)-rgb(226,84,100)' \
  -fill 'rgba(255,255,255,0.18)' -stroke none \
  -draw "scale $S,$S ellipse 38.5,4 48,16 0,360" \
  -stroke "$shadow" -strokewidth 5 -fill none \
  -draw "scale $S,$S translate 1.1,1.1 $a_glyph $eight_glyph" \
  -stroke white \
  -draw "scale $S,$S $a_glyph $eight_glyph" \
  -stroke "$arrow" -strokewidth 2.4 -fill "$arrow" \
  -draw "scale $S,$S line 31,21 39,21 polygon 37.5,17 43,21 37.5,25" \
  -stroke 'rgba(60,0,20,0.35)' -strokewidth 5.5 -fill none \
  -draw "scale $S,$S translate 1,1 $key_ring" \
  -stroke none -fill 'rgba(60,0,20,0.35)' \
  -draw "scale $S,$S translate 1,1 $key_body" \
  -stroke "$teal" -strokewidth 5.5 -fill none \
  -draw "scale $S,$S $key_ring" \
  -stroke none -fill "$teal" \
  -draw "scale $S,$S $key_body" \
  -stroke "$teal_light" -strokewidth 1.4 -fill none \
  -draw "scale $S,$S arc 11.5,44.5 26.5,59.5 190,265 line 30,50.6 64.8,50.6" \
  -filter box -resize '77x72!' "$work/acerca.png"

# Baseline JPEG, 8-bit, three components without subsampling, JFIF density
# 96 x 96 dots per inch, no other metadata.
convert "$work/acerca.png" -strip -type TrueColor -depth 8 \
  -units PixelsPerInch -density 96 -interlace none -sampling-factor 1x1 \
  -quality 95 JPEG:"$out/Acerca.jpg"

echo "Escritos: $out/Kalvenor.ico y $out/Acerca.jpg"
