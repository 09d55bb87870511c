#!/usr/bin/env bash
# The README's pictures of the window, in Chinese and in English: docs/screenshots/dotrix-zh.png
# and dotrix-en.png. Each is the built dotrix under its own Xvfb of 1366 x 768, the small laptop
# screen the window has to fit, with settings of its own, after 中文字模 has been typed into the
# character box.
#
#   scripts/screenshots.sh [BUILD_DIR]      (make screenshots; needs xdotool and ImageMagick,
#                                            which scripts/install-deps.sh --dev installs)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
app=$build/src/app/dotrix
[ -x "$app" ] || { echo "screenshots: no $app; build first" >&2; exit 1; }
scratch=$(mktemp -d)
xvfb_pid=""
app_pid=""
cleanup() {
  [ -z "$app_pid" ] || kill "$app_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$scratch"
}
trap cleanup EXIT
mkdir -p "$root/docs/screenshots"
# shellcheck source=scripts/xvfb-window.sh
source "$root/scripts/xvfb-window.sh"

start_xvfb "$scratch" "$scratch/xvfb.log" 1366x768
for lang in zh en; do
  mkdir -p "$scratch/$lang/work" "$scratch/$lang/config"
  DISPLAY=$display XDG_CONFIG_HOME="$scratch/$lang/config" "$app" --lang "$lang" --workdir "$scratch/$lang/work" \
    >"$scratch/dotrix.log" 2>&1 &
  app_pid=$!
  wait_for_window || { cat "$scratch/dotrix.log" >&2; exit 1; }
  sleep 1
  # The character box is the toolbar's wide field; the window fills the screen.
  DISPLAY=$display xdotool mousemove 800 35 click 1 sleep 0.3 type --delay 100 中文字模
  DISPLAY=$display xdotool mousemove 1360 760
  sleep 1.5
  DISPLAY=$display import -window root "$scratch/shot.png"
  convert "$scratch/shot.png" -strip "$root/docs/screenshots/dotrix-$lang.png"
  echo "docs/screenshots/dotrix-$lang.png"
  stop_app
done
stop_window
