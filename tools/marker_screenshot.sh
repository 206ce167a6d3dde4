#!/usr/bin/env bash
# The positioning marker over a drawn calendar, as docs/screenshots/marker.png shows it:
# the real program under Xvfb in a scratch home draws with Enter, the root window is
# captured and cut around the calendar. Needs xvfb-run, xdotool, xwd and ImageMagick.
#
#   tools/marker_screenshot.sh BUILD/src/orbeline OUTPUT.png
set -euo pipefail
if [[ -z "${DISPLAY:-}" ]]; then exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"; fi
export ORBELINE=${1:?path of the orbeline binary}
output=${2:?output PNG}
source "$(dirname "$0")/../tests/integration/lib.sh"
new_home
export QT_QPA_PLATFORM=xcb LANG=en_US.UTF-8 ASAN_OPTIONS=detect_leaks=0

# A textured wallpaper shows that the marker paints what the desktop shows behind it.
convert -size 256x192 pattern:checkerboard -scale 400% +level-colors navy,steelblue \
  "$TEST_ROOT/wallpaper.png"
mkdir -p "$XDG_CONFIG_HOME/Quillmere"
printf '[desktop]\nWallpaper=%s\nTileWallPaper=0\nWallpaperStyle=2\n' "$TEST_ROOT/wallpaper.png" \
  >"$XDG_CONFIG_HOME/Quillmere/Desktop.conf"
# A first draw-only run writes the first run's values; then the calendar goes to the right
# of the settings window, with its year and month, and the marker holds still.
ORBELINE_HEADLESS=1 "$ORBELINE" -OnlyDraw 2>/dev/null
sed -i 's/^PositionX=.*/PositionX=790/; s/^PositionY=.*/PositionY=90/; s/^YearDraw=.*/YearDraw=3/
        s/^MonthDraw=.*/MonthDraw=2/; s/^MarkerAnimate=.*/MarkerAnimate=0/
        s/^\[General\]$/[General]\nStartupCheck=1/' "$CONF"

"$ORBELINE" 2>/dev/null &
pid=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orbeline$' | head -n 1)
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers Return
sleep 5
xwd -root -silent | convert xwd:- -crop 250x230+764+55 +repage "$output"
kill "$pid"
wait "$pid" || true
