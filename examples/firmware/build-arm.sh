#!/bin/sh
# Builds the reader and fbtext for Cortex-M0 and Cortex-M4 as a freestanding program (no C
# library: -ffreestanding -nostdlib, -Os) and prints the code size of each object. Given LVGL's
# folder, also the LVGL font of examples/lvgl (with the least lv_conf.h, examples/lvgl/arm) and
# the RAM that font holds on the target.
# Usage: build-arm.sh OUTDIR [LVGLDIR]. Exit status 77 when arm-none-eabi-gcc is not installed.
set -eu
out=${1:-arm-build}
lvgl=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
adapter=$here/../lvgl
command -v arm-none-eabi-gcc >/dev/null 2>&1 || { echo "arm-none-eabi-gcc is not installed: skipped"; exit 77; }
# A freestanding C99 compiler provides only its own headers (<stdint.h>, <stddef.h> and the
# like), not the C library's: the reader and the text drawing include nothing else, so that they
# build where no C library for the target is installed.
for f in ubin.h ubin.c fbtext.h fbtext.c tests/freestanding.c ../lvgl/lv_font_ubin.h ../lvgl/lv_font_ubin.c; do
  sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1/p' "$here/$f" | while read -r h; do
    case "$h" in
    float.h | iso646.h | limits.h | stdalign.h | stdarg.h | stdbool.h | stddef.h | stdint.h | stdnoreturn.h) ;;
    *) echo "$f includes <$h>, which a freestanding build does not have" >&2; exit 1 ;;
    esac
  done || exit 1
done
mkdir -p "$out"
for cpu in cortex-m0 cortex-m4; do
  flags="-mcpu=$cpu -mthumb -Os -ffreestanding -nostdlib -std=c99 -pedantic -Wall -Wextra -Werror -ffunction-sections -fdata-sections"
  for f in ubin fbtext; do
    arm-none-eabi-gcc $flags -I"$here" -c "$here/$f.c" -o "$out/$f-$cpu.o"
  done
  # A whole program: a reset handler that draws a string from a font in flash. It links with
  # nothing but libgcc (division helpers on the M0) and its own memcmp and memset.
  arm-none-eabi-gcc $flags -I"$here" -c "$here/tests/freestanding.c" -o "$out/freestanding-$cpu.o"
  arm-none-eabi-gcc $flags -Wl,--gc-sections -Wl,-e,Reset_Handler -Wl,-Ttext=0x08000000 \
    "$out/freestanding-$cpu.o" "$out/ubin-$cpu.o" "$out/fbtext-$cpu.o" -lgcc -o "$out/firmware-$cpu.elf"
  echo "$cpu:"
  arm-none-eabi-size "$out/ubin-$cpu.o" "$out/fbtext-$cpu.o" "$out/firmware-$cpu.elf" | sed 's|'"$out"'/||'
  if [ -n "$lvgl" ]; then
    # The font and, as an object of that size, what one font holds in RAM besides its glyph cache.
    lvflags="$flags -DLV_CONF_INCLUDE_SIMPLE -DLV_LVGL_H_INCLUDE_SIMPLE -I$here -I$adapter/arm -I$lvgl"
    arm-none-eabi-gcc $lvflags -c "$adapter/lv_font_ubin.c" -o "$out/lv_font_ubin-$cpu.o"
    printf '#include "lv_font_ubin.h"\nlv_font_ubin_t font;\n' | arm-none-eabi-gcc $lvflags -I"$adapter" -x c -c - -o "$out/lv_font_ubin_ram-$cpu.o"
    arm-none-eabi-size "$out/lv_font_ubin-$cpu.o" | sed -n 's|'"$out"'/||; 2p'
    echo "lv_font_ubin_t: $(arm-none-eabi-size -A "$out/lv_font_ubin_ram-$cpu.o" | awk '$1 == ".bss.font" {print $2}') bytes of RAM"
  fi
done
