#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Dotrix need.
# A second run finds everything present and returns in seconds.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake make pkg-config
  # fuzzing with libFuzzer (scripts/fuzz.sh): clang and its sanitizer and fuzzer runtimes
  clang libclang-rt-14-dev
  # Qt 6: core, gui, widgets, serial port, SVG (the program's pictures)
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libqt6serialport6 qt6-svg-dev libx11-dev
  # translations: lupdate, lrelease and their CMake functions
  qt6-l10n-tools qt6-tools-dev qt6-tools-dev-tools
  # Qt's own texts (file, font and print dialogs, message box buttons) in Chinese
  qt6-translations-l10n
  # Simplified/Traditional conversion
  libopencc-dev opencc
  # the font's kerning pairs for font exports (OpenType tables shaped by HarfBuzz)
  libharfbuzz-dev
  # fonts: the default Song/Ming face and the exact 16-pixel test font
  fonts-arphic-uming fonts-unifont unifont fontconfig
  # the file a face is read from, named in the dependency files of font exports
  libfontconfig-dev
  # a CJK face taller than the cell at the default placement, for the tests of glyphs losing ink;
  # it also draws the window's Chinese texts, as on many desktops
  fonts-droid-fallback
  # a Hei face with Latin letters of their own widths, for the tests of text set with the font's
  # own advances (mixed Chinese and Latin)
  fonts-wqy-zenhei
  # a Latin face that kerns (AV, To), for the tests of kerning pairs
  fonts-dejavu-core
  # pinyin table source for tools/gen-pinyin.py
  unicode-data
  # Python 3 for tools/gen-pinyin.py and the collector's independent model in the tests
  python3
  # tests and benchmarks
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  # readers of exported fonts in tests: FreeType's BDF driver, bdftopcf; otf2bdf for the BDF
  # benchmark; the firmware reader built for Cortex-M (freestanding: no C library for the target)
  libfreetype-dev xfonts-utils otf2bdf gcc-arm-none-eabi binutils-arm-none-eabi
  # running the window without a display, serial peers for delivery tests
  xvfb xauth socat lrzsz
  # the soak test shows where the window's thread stood when its event loop stalled
  gdb
  # Qt's platform plugins need these at run time
  libxkbcommon-x11-0 libxcb-cursor0 libgl1 libegl1
)

bench=0
for option in "$@"; do
  case "$option" in
  # What looking at the running program needs: screenshots and synthetic input under Xvfb; and
  # ccache, which lets several checkouts on one machine share their compiled objects.
  --dev) packages+=(imagemagick xdotool x11-apps xclip ccache) ;;
  # What building and checking the .deb needs (make package, scripts/check-package.sh):
  # dependencies from the shared libraries (dpkg-shlibdeps, file), the package checker, the
  # desktop entry and AppStream validators, the man page checker, an SVG renderer for the icon,
  # and for the installed program a trace of the files it opens, a window to wait for, typing into
  # it and screenshots.
  --package)
    packages+=(dpkg-dev file lintian desktop-file-utils appstream man-db librsvg2-bin strace x11-utils
      xdotool imagemagick) ;;
  # What the side-by-side benchmark of LVGL fonts needs (bench/lvgl-vs-lv_font_conv.sh): Node.js
  # and npm from Debian where the machine has none, fontTools, and lv_font_conv from the npm
  # registry, into build/npm (the only package not from Debian, and only for that benchmark).
  --bench)
    bench=1
    command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
    # lv_font_conv reads no font collections: fontTools takes AR PL UMing out of uming.ttc
    packages+=(python3-fonttools) ;;
  *) echo "install-deps: unknown option $option (--dev, --package, --bench)" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
  echo "install-deps: installing ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

npm_prefix="$(dirname "$0")/../build/npm"
if [ "$bench" = 1 ] && [ ! -x "$npm_prefix/node_modules/.bin/lv_font_conv" ]; then
  echo "install-deps: installing lv_font_conv into build/npm"
  mkdir -p "$npm_prefix"
  npm install --silent --no-audit --no-fund --prefix "$npm_prefix" lv_font_conv >/dev/null
fi
