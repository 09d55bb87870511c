#!/bin/sh
# LovyanGFX 1.2.20 loading a whole GB2312 smooth font (.vlw) from memory, as firmware loads the C
# array from flash: the time loadFont takes and the heap it keeps, beside a font of ASCII alone.
# The harness's LovyanGFX objects (lovyangfx-harness/build.sh) are built into BUILD_DIR/vlw-bench.
# Usage: bench/vlw-load.sh [BUILD_DIR] [THIRD_PARTY_DIR]
set -eu
build=${1:-build}
third=${2:-$(dirname "$0")/../../shared/third_party}
cli="$build/src/cli/dotrix-cli"
out="$build/vlw-bench"
mkdir -p "$out"
"$third/lovyangfx-harness/build.sh" "$out/harness" >/dev/null
lg="$third/lovyangfx-1.2.20/src"
g++ -std=c++20 -O1 -w -DLGFX_LINUX_FB -I"$lg" "$(dirname "$0")/lovyangfx/vlw_load.cpp" "$out"/harness/obj/*.o -lpthread \
  -o "$out/vlw_load"
"$cli" --export vlw --out "$out/gb2312-16.vlw" --charset gb2312 >/dev/null 2>&1
"$cli" --export vlw --out "$out/ascii-16.vlw" -- ' !"#$%&()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\]^_`abcdefghijklmnopqrstuvwxyz{|}~' >/dev/null 2>&1
"$out/vlw_load" "$out/ascii-16.vlw"
"$out/vlw_load" "$out/gb2312-16.vlw"
