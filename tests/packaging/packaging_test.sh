#!/usr/bin/env bash
# What the package promises, checked against the programs themselves:
#   options   every option the programs' --help names has a man page entry with an example, and
#             dotrix-cli's completion offers it and only values dotrix-cli accepts;
#   completion  values, folders, pictures and the --name=value form;
#   install   `cmake --install` lays out bin, the versioned library with its header and
#             pkg-config file, share/dotrix, icons, metadata, man pages and completion, and the
#             installed dotrix-cli reads its character sets from share/dotrix.
#
#   packaging_test.sh SOURCE_DIR BUILD_DIR DOTRIX_CLI DOTRIX
set -uo pipefail
source_dir=$1
build_dir=$2
cli=$3
app=$4
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The entry of a man page whose tag line names the option, and the lines of its examples.
man_entry_has_example() { # page option
  local escaped=${2//-/\\-}
  awk -v opt="$escaped" '
    function named(line) { return index(line " ", opt " ") || index(line " ", opt "\" ") || index(line " ", opt ", ") }
    /^\.(TP|SS|SH)/ { inEntry = 0; tagNext = ($0 ~ /^\.TP/); next }
    tagNext { tagNext = 0; if (named($0)) { inEntry = 1; found = 1 }; next }
    /^\.EX/ { inExample = 1; next }
    /^\.EE/ { inExample = 0; next }
    inEntry && inExample && named($0) { example = 1 }
    END { exit !(found && example) }' "$1"
}

complete_words() { # words...; prints COMPREPLY one a line
  (
    # shellcheck disable=SC1091
    source "$source_dir/packaging/dotrix-cli.bash-completion"
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _dotrix_cli
    [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}"
  )
}

# ---- options -----------------------------------------------------------------------------------
cli_options=$("$cli" --help | grep -oE '^ +--[a-z-]+' | tr -d ' ' | sort -u)
# "-h, --help": one option with a short name; its entry and example go by the long one.
app_options=$(QT_QPA_PLATFORM=offscreen "$app" --help 2>/dev/null | grep -oE '^ +(-[a-z], )?--[a-z-]+' |
  sed 's/.*-[a-z], //' | tr -d ' ' | sort -u)
[ "$(echo "$cli_options" | wc -l)" -ge 30 ] || fail "dotrix-cli --help names only: $cli_options"
[ "$(echo "$app_options" | wc -l)" -ge 3 ] || fail "dotrix --help names only: $app_options"
for option in $cli_options; do
  man_entry_has_example "$source_dir/docs/dotrix-cli.1" "$option" ||
    fail "dotrix-cli(1) has no entry with an example for $option"
done
for option in $app_options; do
  man_entry_has_example "$source_dir/docs/dotrix.1" "$option" ||
    fail "dotrix(1) has no entry with an example for $option"
done
offered=$(complete_words dotrix-cli -- | sort -u)
[ "$offered" = "$cli_options" ] ||
  fail "completion of -- differs from --help: $(diff <(echo "$offered") <(echo "$cli_options") | grep '^[<>]' | tr '\n' ' ')"
for option in --scan --group --format --list-encoding --charset --data --lang --size --font-size --offset --index \
  --export --bpp; do
  values=$(complete_words dotrix-cli "$option" "")
  [ -n "$values" ] || fail "completion offers no value for $option"
  for value in $values; do
    # Every value is parsed before --help is looked at: a value dotrix-cli refuses exits 2.
    "$cli" "$option" "$value" --help >/dev/null 2>&1 || fail "completion offers $option $value, which dotrix-cli refuses"
  done
done

# ---- completion of values, folders and pictures ------------------------------------------------
mkdir -p "$scratch/pics/sub dir"
touch "$scratch/pics/logo.gif" "$scratch/pics/Photo.JPG" "$scratch/pics/notes.txt"
cd "$scratch"
expect_completion() { # expected words...
  local expected=$1
  shift
  local got
  got=$(complete_words "$@" | sort | tr '\n' '|')
  [ "$got" = "$expected" ] || fail "completing '$*' gave '$got', expected '$expected'"
}
expect_completion 'h|v|zn|' dotrix-cli --scan ""
expect_completion 'zn|' dotrix-cli --scan = z
expect_completion 'asm|' dotrix-cli --format=a
expect_completion '--index|--index-table|--invert|' dotrix-cli --in
expect_completion 'pics/Photo.JPG|pics/logo.gif|pics/sub dir|' dotrix-cli --picture pics/
expect_completion 'pics/sub dir|' dotrix-cli --workdir pics/
expect_completion 'pics/Photo.JPG|pics/logo.gif|pics/notes.txt|pics/sub dir|' dotrix-cli --list pics/
expect_completion '' dotrix-cli 中
expect_completion '' dotrix-cli --font-name ""
expect_completion 'pics/Photo.JPG|pics/logo.gif|pics/notes.txt|pics/sub dir|' dotrix-cli --out pics/

# ---- install layout ----------------------------------------------------------------------------
prefix="$scratch/prefix"
cmake --install "$build_dir" --prefix "$prefix" >/dev/null || fail "cmake --install failed"
libdir=$(cd "$prefix" && find lib* -name libtrellon.so.1 2>/dev/null | head -1 | xargs -r dirname)
[ -n "$libdir" ] || fail "no libtrellon.so.1 under $prefix/lib"
for path in bin/dotrix bin/dotrix-cli bin/trellon-send include/trellon.h \
  "$libdir/libtrellon.so" "$libdir/pkgconfig/trellon.pc" \
  share/dotrix/GB2312.txt share/dotrix/GBK.txt share/dotrix/user-guide.html \
  share/man/man1/dotrix.1.gz share/man/man1/dotrix-cli.1.gz share/man/man1/trellon-send.1.gz \
  share/bash-completion/completions/dotrix-cli share/doc/dotrix/copyright share/doc/dotrix/changelog.gz share/doc/dotrix/font-format.md \
  lib/cmake/Dotrix/DotrixConfig.cmake lib/cmake/Dotrix/DotrixConfigVersion.cmake lib/cmake/Dotrix/DotrixAddFont.cmake; do
  [ -e "$prefix/$path" ] || fail "cmake --install left out $path"
done
# find_package(Dotrix) in the installed tree gives the dotrix-cli installed beside it.
mkdir -p "$scratch/usepackage"
cat >"$scratch/usepackage/CMakeLists.txt" <<'EOF_CMAKE'
cmake_minimum_required(VERSION 3.20)
project(usepackage NONE)
find_package(Dotrix 0.1 REQUIRED)
get_target_property(cli Dotrix::dotrix-cli IMPORTED_LOCATION)
message(STATUS "dotrix-cli: ${cli}")
if(NOT COMMAND dotrix_add_font)
  message(FATAL_ERROR "no dotrix_add_font")
endif()
EOF_CMAKE
found=$(cmake -S "$scratch/usepackage" -B "$scratch/usepackage/build" -DCMAKE_PREFIX_PATH="$prefix" 2>&1 | grep 'dotrix-cli: ' || true)
[ "$found" = "-- dotrix-cli: $prefix/bin/dotrix-cli" ] || fail "find_package(Dotrix) in the installed tree gave '$found'"
[ "$(readlink "$prefix/$libdir/libtrellon.so.1")" = "libtrellon.so.1.0.0" ] || fail "libtrellon.so.1 is not a link to libtrellon.so.1.0.0"
app_id=$(basename "$(ls "$prefix"/share/applications/*.desktop)" .desktop)
for path in "share/metainfo/$app_id.metainfo.xml" "share/icons/hicolor/scalable/apps/$app_id.svg" \
  share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/"$app_id.png"; do
  [ -s "$prefix/$path" ] || fail "cmake --install left out $path"
done
grep -q "^Icon=$app_id\$" "$prefix/share/applications/$app_id.desktop" || fail "the desktop entry does not name the icon $app_id"
PKG_CONFIG_PATH="$prefix/$libdir/pkgconfig" pkg-config --libs trellon | grep -q -- '-ltrellon' ||
  fail "pkg-config --libs trellon does not give -ltrellon"

# The installed program reads its own share/dotrix (given a list of its own here, so that a
# character set found anywhere else shows), never the source tree's data.
printf '\xd6\xd0\xce\xc4\n' > "$prefix/share/dotrix/GB2312.txt" # 中文 in code page 936
mkdir -p "$scratch/elsewhere"
# (The loader is shown the library: installed programs carry no search path, as Debian wants.)
listed=$(cd "$scratch/elsewhere" && LD_LIBRARY_PATH="$prefix/$libdir" "$prefix/bin/dotrix-cli" --charset gb2312 \
  --print-list 2>"$scratch/list.err")
[ "$listed" = "中文" ] || fail "the installed dotrix-cli did not read share/dotrix/GB2312.txt (printed '${listed:0:20}'; $(cat "$scratch/list.err"))"

if [ "$failures" -ne 0 ]; then
  echo "$failures checks failed"
  exit 1
fi
echo "packaging: all checks passed"
