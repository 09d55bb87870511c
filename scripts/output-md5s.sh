#!/bin/bash
# Prints the md5 of every whole output dotrix-cli makes over the GB2312 set: the batch's files
# (every glyph .c and .bmp, All.c, font.dat) in each layout and scan, font.dat with an index,
# Index.c, and each font export. Run it before and after a change that must not alter a byte,
# and compare the two lists:  scripts/output-md5s.sh build/src/cli/dotrix-cli > before.txt
set -euo pipefail
cli=${1:?usage: output-md5s.sh PATH/TO/dotrix-cli}
cli=$(realpath "$cli")
font=${DOTRIX_MD5_FONT:-AR PL UMing CN}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

digest() { # the md5 of every file in a folder, by name, as one line
    (cd "$1" && find . -type f ! -name '.dotrix-written' -print0 | sort -z | xargs -0 md5sum | md5sum | cut -d' ' -f1)
}
batch() { # NAME ARGS...: a batch in a fresh folder
    local name=$1; shift
    local dir="$work/$name"
    mkdir -p "$dir"
    "$cli" --font "$font" --charset gb2312 --workdir "$dir" --batch "$@" > /dev/null 2>&1
    printf '%-28s all %s  every file %s\n' "$name" "$(md5sum < "$dir/All.c" | cut -d' ' -f1)" "$(digest "$dir")"
    rm -rf "$dir"
}
for format in typical c asm; do
    for scan in h v zn; do
        batch "batch-$format-$scan" --format "$format" --scan "$scan"
    done
done
batch batch-c-v-12x16-g16-inv --format c --size 12x16 --group 16 --invert --bit-reverse
batch batch-dat --data dat
batch batch-bin-index --data bin --index 0100
batch batch-dat-fit --data dat --fit --offset 1,2

mkdir -p "$work/index"
"$cli" --font "$font" --charset gb2312 --workdir "$work/index" --index-table > /dev/null 2>&1
printf '%-28s %s\n' index-table "$(md5sum < "$work/index/Index.c" | cut -d' ' -f1)"

export_one() { # NAME ARGS...: the file's md5; fonts on the cell's grid read as earlier versions
    local name=$1; shift   # wrote them, the recorded command line without its "--advance cell"
    "$cli" --font "$font" --charset gb2312 --workdir "$work" --out "$work/$name.out" "$@" > /dev/null 2>&1
    case " $* " in
    *" --export ubin "* | *" --export vlw "*) ;;
    *) sed -i -e '/^ \*   dotrix-cli /s/ --advance cell//' -e '/^COMMENT dotrix-cli /s/ --advance cell//' "$work/$name.out" ;;
    esac
    printf '%-28s %s\n' "$name" "$(md5sum < "$work/$name.out" | cut -d' ' -f1)"
}
for bpp in 1 2 4 8; do
    export_one "lvgl-$bpp" --export lvgl --bpp "$bpp" --advance cell
    export_one "ubin-$bpp" --export ubin --bpp "$bpp" --advance cell
done
export_one bdf --export bdf --advance cell
export_one bdf-24px --export bdf --px 24 --size 24x24 --advance cell
export_one lvgl-4-offset --export lvgl --bpp 4 --offset 0,1 --advance cell
# The font's own advances (the default).
export_one lvgl-4-advances --export lvgl --bpp 4
export_one ubin-1-advances --export ubin
export_one bdf-advances --export bdf
export_one vlw --export vlw
