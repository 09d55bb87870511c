#!/usr/bin/env bash
# Checks the .deb that `make package` built, then installs it on this machine, runs the installed
# programs as a user would (nothing read from the source tree), and removes it again, making sure
# that nothing of it is left behind.
#
#   scripts/check-package.sh [BUILD_DIR]      (default build; needs root or sudo)
#
# The installed dotrix-cli works in a scratch folder; the installed dotrix is started under Xvfb
# and its window saved as BUILD_DIR/package-check/dotrix.png.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD
build=$(cd "${1:-build}" && pwd)
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi

step() { printf '\n== %s\n' "$*"; }
fail() { printf 'check-package: %s\n' "$*" >&2; exit 1; }

shopt -s nullglob
debs=("$build"/dotrix_*.deb)
shopt -u nullglob
[ ${#debs[@]} -eq 1 ] || fail "expected one dotrix_*.deb in $build, found ${#debs[@]} (run make package)"
deb=${debs[0]}
out="$build/package-check"
scratch=$(mktemp -d)
xvfb_pid=""
app_pid=""
installed=""
brought=""
purge() { # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get purge -y -qq dotrix $brought >/dev/null
}
# A check that fails half-way still leaves the machine as it found it.
cleanup() {
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  [ -n "$installed" ] && purge
  rm -rf "$scratch"
}
trap cleanup EXIT
rm -rf "$out"
mkdir -p "$out"
started=$(date +%s)

step "$(basename "$deb"): $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
dpkg-deb -f "$deb" Depends

step "lintian"
lintian --fail-on error "$deb"

step "contents: desktop entry, AppStream metadata, icons, man pages, completion"
tree="$scratch/contents"
dpkg-deb -x "$deb" "$tree"
app_id=$(basename "$tree"/usr/share/applications/*.desktop .desktop)
desktop-file-validate "$tree/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --pedantic "$tree/usr/share/metainfo/$app_id.metainfo.xml"
for size in 16 24 32 48 64 128 256; do
  icon="$tree/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "$icon is not ${size}x${size}"
done
# The scalable icon drawn by another SVG renderer than the program's own.
[ "$(rsvg-convert -w 48 "$tree/usr/share/icons/hicolor/scalable/apps/$app_id.svg" | identify -format '%wx%h' -)" = "48x48" ] ||
  fail "the scalable icon does not draw as a 48 x 48 picture"
for page in "$tree"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
bash -n "$tree/usr/share/bash-completion/completions/dotrix-cli"

step "apt-get install ./$(basename "$deb")"
if dpkg-query -W -f='${Status}' dotrix 2>/dev/null | grep -q 'installed'; then
  echo "an earlier dotrix is installed: purging it first"
  $sudo apt-get purge -y -qq dotrix >/dev/null
fi
# Which of the package's folders exist without it (/usr/bin, /usr/share/man/man1, ...).
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|; s|/$||' | grep -v '^$' > "$scratch/paths"
while read -r path; do
  if [ -e "$path" ] || [ -L "$path" ]; then echo "$path"; fi
done < "$scratch/paths" > "$scratch/existing-before"
installed_packages() { dpkg-query -W -f='${db:Status-Abbrev} ${Package}\n' | awk '$1 ~ /^.i/ {print $2}' | sort; }
installed_packages > "$scratch/packages-before"
cp "$deb" "$scratch/"
installed=yes
(cd "$scratch" && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "./$(basename "$deb")" >/dev/null)
dpkg-query -W -f='${Package} ${Version} ${Status}\n' dotrix
# What apt brought in beside it (recommended packages, say) goes again with it.
brought=$(installed_packages | comm -13 "$scratch/packages-before" - | grep -vx dotrix || true)
[ -z "$brought" ] || echo "brought in with it:" $brought

step "installed dotrix-cli: a GB2312 batch with font.dat and Index.c, in a scratch folder"
work="$scratch/work"
mkdir -p "$work/fw"
cd "$work"
# Every file the program opens is traced: the character set must come from /usr/share/dotrix and
# nothing from the source tree the package was built in.
strace -f -qq -e trace=open,openat -o "$out/cli-files.trace" \
  /usr/bin/dotrix-cli --batch --charset gb2312 --data bin --index 0000 --save fw/font.bin --index-table \
  --format c | tee "$out/cli.out"
grep -q '"/usr/share/dotrix/GB2312.txt"' "$out/cli-files.trace" || fail "GB2312.txt was not read from /usr/share/dotrix"
if grep -F "$source_dir/" "$out/cli-files.trace" | head -5 | grep .; then
  fail "the installed dotrix-cli looked into the source tree (above)"
fi
grep -q '^7445 glyphs' "$out/cli.out" || fail "the batch did not draw the 7445 GB2312 glyphs"
for file in All.c font.dat fw/font.bin Index.c zhong0.c zhong0.bmp; do
  [ -s "$file" ] || fail "the batch left no $file"
done
cmp -s font.dat fw/font.bin || fail "fw/font.bin is not a copy of font.dat"
/usr/bin/dotrix-cli --dots --preview --format c 中 > "$out/zhong.txt"
grep -q 'unsigned char zhong' "$out/zhong.txt" || fail "the preview of 中 has no C array"

step "installed dotrix-cli: GB2312 as an LVGL font and as a BDF font"
mkdir -p fonts
/usr/bin/dotrix-cli --export lvgl --bpp 4 --font-name cjk16 --out fonts/cjk16.c --charset gb2312 | tee "$out/lvgl.out"
grep -q '^7445 glyphs, lvgl font cjk16 at 4 bpp, fonts/cjk16.c ' "$out/lvgl.out" ||
  fail "the LVGL export did not write the 7445 GB2312 glyphs"
grep -q '^const lv_font_t cjk16 = {$' fonts/cjk16.c || fail "fonts/cjk16.c defines no LVGL font cjk16"
# The header says how to make the file again, without this machine's paths.
grep -q '^ \*   dotrix-cli --export lvgl --bpp 4 --font-name cjk16 .* --out cjk16.c --charset gb2312$' fonts/cjk16.c ||
  fail "fonts/cjk16.c does not record the command that made it"
if grep -F "$work" fonts/cjk16.c | head -3 | grep .; then fail "fonts/cjk16.c names the scratch folder (above)"; fi
# A refused export leaves the earlier file as it was, and no temporary file beside it.
cp fonts/cjk16.c "$scratch/cjk16.c"
if /usr/bin/dotrix-cli --export lvgl --bpp 3 --out fonts/cjk16.c --charset gb2312 2>/dev/null; then
  fail "dotrix-cli exported a 3-bit LVGL font"
fi
cmp -s fonts/cjk16.c "$scratch/cjk16.c" || fail "a refused export changed fonts/cjk16.c"
/usr/bin/dotrix-cli --export bdf --out fonts/cjk16.bdf --charset gb2312 | tee "$out/bdf.out"
grep -q '^7445 glyphs, bdf font at 1 bpp, fonts/cjk16.bdf ' "$out/bdf.out" ||
  fail "the BDF export did not write the 7445 GB2312 glyphs"
[ "$(head -1 fonts/cjk16.bdf)" = "STARTFONT 2.1" ] && [ "$(tail -1 fonts/cjk16.bdf)" = "ENDFONT" ] &&
  grep -q '^CHARS 7445$' fonts/cjk16.bdf || fail "fonts/cjk16.bdf is no whole BDF font of 7445 glyphs"
[ "$(ls fonts)" = "$(printf 'cjk16.bdf\ncjk16.c')" ] || fail "the exports left more in fonts/: $(ls fonts)"
# X11's converter reads it without a word.
bdftopcf -o "$scratch/cjk16.pcf" fonts/cjk16.bdf 2>"$out/bdftopcf.err" && [ -s "$scratch/cjk16.pcf" ] &&
  [ ! -s "$out/bdftopcf.err" ] || fail "bdftopcf did not take fonts/cjk16.bdf: $(head -3 "$out/bdftopcf.err")"
[ -s /usr/share/doc/dotrix/font-format.md ] || fail "the Unicode-keyed font file's description is not installed"

step "man pages, completion and the trellon library as installed"
man -w dotrix dotrix-cli trellon-send >/dev/null
(
  source /usr/share/bash-completion/completions/dotrix-cli
  COMP_WORDS=(dotrix-cli --scan "")
  COMP_CWORD=2
  _dotrix_cli
  [ "${COMPREPLY[*]}" = "h v zn" ] || fail "completion of --scan gave '${COMPREPLY[*]}'"
)
cat > "$scratch/usetrellon.c" <<'EOF'
#include <trellon.h>
#include <stdio.h>
int main(void) { return SendFileEx("") == TRELLON_ERR_NO_FILE_GIVEN ? 0 : 1; }
EOF
# shellcheck disable=SC2046
cc -o "$scratch/usetrellon" "$scratch/usetrellon.c" $(pkg-config --cflags --libs trellon)
"$scratch/usetrellon" || fail "a program linked with pkg-config's flags for trellon failed"

step "the installed CMake package: examples/cmake-lvgl, its font made from its own sources"
# find_package(Dotrix) finds /usr/lib/cmake/Dotrix; the example's font follows its sources.
lvgl_dir="$source_dir/../shared/third_party/lvgl-9.5.0"
if [ -e "$lvgl_dir/lvgl.h" ]; then
  bash "$source_dir/examples/cmake-lvgl/check-example.sh" "$lvgl_dir" "$scratch/cmake-example" | tee "$out/cmake-example.out"
  grep -rq -- "/usr/bin/dotrix-cli" "$scratch/cmake-example/build/CMakeFiles/thermostat.dir/build.make" ||
    fail "the example's font was not made by the installed /usr/bin/dotrix-cli"
else
  echo "skipped: no LVGL 9.5.0 at $lvgl_dir"
fi

step "installed dotrix under Xvfb"
# shellcheck source=scripts/xvfb-window.sh
source "$source_dir/scripts/xvfb-window.sh"
start_xvfb "$scratch" "$out/xvfb.log" || fail "Xvfb did not start"
# Settings of its own: nothing a user's earlier run remembered changes the window's layout.
mkdir -p "$scratch/config"
DISPLAY=$display XDG_CONFIG_HOME="$scratch/config" /usr/bin/dotrix --workdir "$work" >"$out/dotrix.log" 2>&1 &
app_pid=$!
wait_for_window || { cat "$out/dotrix.log" >&2; fail "the installed dotrix showed no window"; }
sleep 1
DISPLAY=$display import -window root "$out/dotrix-start.png"
colours=$(identify -format '%k' "$out/dotrix-start.png")
[ "$colours" -gt 100 ] || fail "the screenshot has only $colours colours: is the window drawn?"
# Typed into the character box (the toolbar's wide field; the window fills the 1600 x 1000
# screen), 字 is drawn with the installed font into the glyph view and the preview.
DISPLAY=$display xdotool mousemove 800 35 click 1 sleep 0.3 type --delay 100 字
sleep 1.5
DISPLAY=$display import -window root "$out/dotrix.png"
changed=$(compare -metric AE "$out/dotrix-start.png" "$out/dotrix.png" null: 2>&1 || true)
[ "${changed%%.*}" -gt 5000 ] || fail "typing 字 into the character box changed only $changed pixels of the window"
echo "window saved as $out/dotrix.png ($changed pixels changed by typing 字)"
stop_window
cd "$source_dir"

step "apt-get purge dotrix: nothing left behind"
purge
installed=""
installed_packages | cmp -s "$scratch/packages-before" - ||
  fail "the installed packages differ from before: $(installed_packages | diff "$scratch/packages-before" - | grep '^[<>]' | tr '\n' ' ')"
left=$(while read -r path; do
  if { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$scratch/existing-before"; then echo "$path"; fi
done < "$scratch/paths")
[ -z "$left" ] || fail "left behind after purge: $left"
if /sbin/ldconfig -p | grep -q libtrellon; then fail "the loader cache still lists libtrellon"; fi
strays=$(find /usr /etc /var/lib -xdev \( -iname '*dotrix*' -o -iname '*trellon*' \) \
  -not -path '/var/lib/dpkg/*' -not -path '/var/lib/apt/*' 2>/dev/null || true)
[ -z "$strays" ] || fail "left behind after purge: $strays"

echo
echo "check-package: passed in $(($(date +%s) - started)) s"
