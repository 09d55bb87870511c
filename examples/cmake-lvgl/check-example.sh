#!/usr/bin/env bash
# Builds this example in a scratch copy as a user would, and checks that its font follows its
# sources: a second build with nothing changed makes nothing; a new string in a source, and a new
# file in the collected folder, each make the font again, and LVGL then draws their characters.
#
#   check-example.sh LVGL_DIR SCRATCH [DOTRIX_DIR]
#
# DOTRIX_DIR: a Dotrix build folder to take the CMake package from; without it find_package finds
# the installed one.
set -euo pipefail
example=$(cd "$(dirname "$0")" && pwd)
lvgl=$1
scratch=$2
dotrix=${3:-}

fail() { printf 'check-example: %s\n' "$*" >&2; exit 1; }

rm -rf "$scratch"
mkdir -p "$scratch"
cp -r "$example/CMakeLists.txt" "$example/lv_conf.h" "$example/src" "$scratch/"
source=$scratch
build=$scratch/build
configure=(cmake -S "$source" -B "$build" -DLVGL_DIR="$lvgl")
[ -z "$dotrix" ] || configure+=(-DDotrix_DIR="$dotrix")
"${configure[@]}" >"$scratch/configure.log" || { cat "$scratch/configure.log"; fail "the example did not configure"; }
jobs=$(nproc)
cmake --build "$build" -j"$jobs" >"$scratch/build-1.log" 2>&1 || { tail -30 "$scratch/build-1.log"; fail "the example did not build"; }
font=$build/ui_font.c
[ -s "$font" ] || fail "no ui_font.c was made"
"$build/thermostat" --draws "客厅温控器室内设定湿度°C制冷热除自动运行中·节能模式0123456789.-%" >"$scratch/draws-1.txt" ||
  { cat "$scratch/draws-1.txt"; fail "LVGL does not draw every character of the screen"; }
# What the comment says is no string: it is not in the font.
if "$build/thermostat" --draws "注释风速帮" >"$scratch/draws-0.txt"; then fail "characters of no string are in the font"; fi
"$build/thermostat" --picture "$scratch/screen.pgm"

# Nothing changed: nothing is made again.
stamp=$(stat -c %Y.%y "$font")
cmake --build "$build" >"$scratch/build-2.log" 2>&1
[ "$(stat -c %Y.%y "$font")" = "$stamp" ] || fail "a build without changes made the font again"
if grep -q "Making the lvgl font" "$scratch/build-2.log"; then fail "a build without changes ran dotrix-cli"; fi

# A new string in a source: the font is made again and draws it.
sleep 1 # a coarse file system clock would otherwise see no change
printf '\nconst char *const screen_fan = "风速";\n' >>"$source/src/screen.c"
cmake --build "$build" >"$scratch/build-3.log" 2>&1 || { tail -30 "$scratch/build-3.log"; fail "the rebuild failed"; }
[ "$(stat -c %Y.%y "$font")" != "$stamp" ] || fail "a new string did not make the font again"
"$build/thermostat" --draws "风速" >"$scratch/draws-3.txt" || { cat "$scratch/draws-3.txt"; fail "the new string is not drawn"; }

# A new text file in the collected folder: the folder changed, so the font is made again.
stamp=$(stat -c %Y.%y "$font")
sleep 1
printf '帮助\n' >"$source/src/help.txt"
cmake --build "$build" >"$scratch/build-4.log" 2>&1 || { tail -30 "$scratch/build-4.log"; fail "the rebuild failed"; }
[ "$(stat -c %Y.%y "$font")" != "$stamp" ] || fail "a new file in the collected folder did not make the font again"
"$build/thermostat" --draws "帮助" >"$scratch/draws-4.txt" || { cat "$scratch/draws-4.txt"; fail "the new file's characters are not drawn"; }

echo "check-example: the font follows its sources ($(wc -c <"$font") bytes of C, $(grep -c 'U+' "$scratch/draws-1.txt") characters checked)"
