#!/bin/sh
# Whole-command timings of 4-bpp LVGL fonts, side by side: dotrix-cli against lv_font_conv (from
# the npm registry, installed into build/npm by scripts/install-deps.sh --bench) for GB2312's
# 6,763 hanzi in AR PL UMing (face 0 of uming.ttc) at 16 pixels, plain and compressed. Each
# command runs RUNS times (default 5) after one warm-up; GNU time prints wall seconds, CPU seconds
# and peak memory. The floor beneath both, FreeType alone rendering the same glyphs, is
# BM_FreeTypeFloor in dotrix-bench.
# Usage: bench/lvgl-vs-lv_font_conv.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-5}
cli="$build/src/cli/dotrix-cli"
conv="$build/npm/node_modules/.bin/lv_font_conv"
face=/usr/share/fonts/truetype/arphic/uming.ttc
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for need in "$cli" "$conv" /usr/bin/time "$face"; do
  command -v "$need" >/dev/null 2>&1 || [ -e "$need" ] || {
    echo "lvgl-vs-lv_font_conv: $need is missing (scripts/install-deps.sh --bench installs lv_font_conv and fontTools)" >&2
    exit 1
  }
done

# lv_font_conv reads no font collections: face 0 of uming.ttc as a font file of its own.
/usr/bin/python3 -c 'import sys; from fontTools.ttLib import TTCollection; TTCollection(sys.argv[1]).fonts[0].save(sys.argv[2])' \
  "$face" "$out/uming.ttf"

"$cli" --charset gb2312 --filter --print-list 2>/dev/null | tr -d '\n' >"$out/hanzi.txt"
hanzi=$(cat "$out/hanzi.txt")

. "$(dirname "$0")/measure.sh"

measure "dotrix-cli LVGL 4 bpp, GB2312 hanzi" "$cli" --export lvgl --bpp 4 --font "AR PL UMing CN" --font-size 12 \
  --size 16x16 --charset gb2312 --filter --out "$out/dotrix.c"
measure "dotrix-cli LVGL 4 bpp compressed, GB2312 hanzi" "$cli" --export lvgl --bpp 4 --compress \
  --font "AR PL UMing CN" --font-size 12 --size 16x16 --charset gb2312 --filter --out "$out/dotrix-compressed.c"
measure "lv_font_conv LVGL 4 bpp, GB2312 hanzi" "$conv" --font "$out/uming.ttf" --size 16 --bpp 4 --format lvgl --no-compress \
  --no-kerning --symbols "$hanzi" -o "$out/conv.c"
measure "lv_font_conv LVGL 4 bpp compressed, GB2312 hanzi" "$conv" --font "$out/uming.ttf" --size 16 --bpp 4 --format lvgl \
  --no-kerning --symbols "$hanzi" -o "$out/conv-compressed.c"
# The bytes of each font's glyph_bitmap array, and of the whole C file.
bitmap() { awk '/glyph_bitmap\[\] *=/{f=1} f&&/^};/{f=0} f' "$1" | tr ',' '\n' | grep -c 0x; }
for f in dotrix dotrix-compressed conv conv-compressed; do
  echo "$f: glyph bitmaps $(bitmap "$out/$f.c") bytes, file $(wc -c <"$out/$f.c") bytes"
done
