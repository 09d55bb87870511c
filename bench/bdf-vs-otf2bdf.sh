#!/bin/sh
# Whole-command timings of BDF fonts, side by side: dotrix-cli against otf2bdf (Debian package
# otf2bdf) for GB2312's 6,763 hanzi in AR PL UMing (face 0 of uming.ttc) at 16 pixels (12 points
# at 96 dpi), and dotrix-cli for the whole GBK set at 16 x 16. Each command runs RUNS times
# (default 5) after one warm-up; GNU time prints wall seconds, CPU seconds and peak memory.
# Usage: bench/bdf-vs-otf2bdf.sh [BUILD_DIR] [RUNS]
set -eu
build=${1:-build}
runs=${2:-5}
cli="$build/src/cli/dotrix-cli"
face=/usr/share/fonts/truetype/arphic/uming.ttc
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

for need in "$cli" /usr/bin/time otf2bdf python3 "$face"; do
  command -v "$need" >/dev/null 2>&1 || [ -e "$need" ] || { echo "bdf-vs-otf2bdf: $need is missing" >&2; exit 1; }
done

# otf2bdf takes the code points as ranges: "19968_19969 19971_19971 ...".
"$cli" --charset gb2312 --filter --print-list 2>/dev/null >"$out/hanzi.txt"
ranges=$(python3 - "$out/hanzi.txt" <<'PY'
import sys
points = sorted({ord(c) for c in open(sys.argv[1], encoding="utf-8").read() if ord(c) > 0x7F})
runs, start = [], None
for i, p in enumerate(points):
    if start is None:
        start = p
    if i + 1 == len(points) or points[i + 1] != p + 1:
        runs.append(f"{start}_{p}")
        start = None
print(" ".join(runs))
PY
)

# otf2bdf's exit status is not a verdict (it returns 8 after writing every glyph): the glyph
# counts at the end are.
. "$(dirname "$0")/measure.sh"

measure "dotrix-cli BDF, GB2312 hanzi" "$cli" --export bdf --font "AR PL UMing CN" --font-size 12 --size 16x16 \
  --charset gb2312 --filter --out "$out/dotrix.bdf"
measure "otf2bdf, GB2312 hanzi" otf2bdf -p 12 -r 96 -l "$ranges" -o "$out/otf2bdf.bdf" "$face"
measure "dotrix-cli BDF, whole GBK" "$cli" --export bdf --font "AR PL UMing CN" --size 16x16 --charset gbk \
  --out "$out/gbk.bdf"
echo "glyphs: dotrix $(grep -c '^STARTCHAR' "$out/dotrix.bdf"), otf2bdf $(grep -c '^STARTCHAR' "$out/otf2bdf.bdf"), GBK $(grep -c '^STARTCHAR' "$out/gbk.bdf")"
