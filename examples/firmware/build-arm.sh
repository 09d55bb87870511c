#!/bin/sh
# Builds the reader and fbtext for Cortex-M0 and Cortex-M4 as a freestanding program (no C
# library: -ffreestanding -nostdlib, -Os) and prints the code size of each object.
# Usage: build-arm.sh OUTDIR. Exit status 77 when arm-none-eabi-gcc is not installed.
set -eu
out=${1:-arm-build}
here=$(cd "$(dirname "$0")" && pwd)
command -v arm-none-eabi-gcc >/dev/null 2>&1 || { echo "arm-none-eabi-gcc is not installed: skipped"; exit 77; }
# A freestanding C99 compiler provides only its own headers (<stdint.h>, <stddef.h> and the
# like), not the C library's: the reader and the text drawing include nothing else, so that they
# build where no C library for the target is installed.
for f in ubin.h ubin.c fbtext.h fbtext.c tests/freestanding.c; do
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
done
