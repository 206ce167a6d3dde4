#!/usr/bin/env bash
# Draw-only runs end to end with the generic desktop under Xvfb: what reaches the root
# window, what stays on disk, what the emulated desktop values say afterwards.
# Run by ctest through xvfb-run (see CMakeLists.txt); needs ImageMagick, xwd and xprop.
source "$(dirname "$0")/lib.sh"
: "${DISPLAY:?run under xvfb-run}"
export ORBELINE_HEADLESS=1 LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8
# faketime fixes "today"; the sanitizer runtime tolerates being loaded after it.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0"
TODAY="2026-01-16 10:00:00"
# NO_FAKE_STAT: file times stay real, so "written today" compares the faked today with them.
run() { NO_FAKE_STAT=1 faketime "$TODAY" "$ORBELINE" "$@"; }
work_bitmap() { echo "$XDG_CACHE_HOME/orbeline/ovalin.bmp"; }

DESKTOP_CONF() { echo "$XDG_CONFIG_HOME/Quillmere/Desktop.conf"; }
set_in() {  # set_in FILE SECTION NAME VALUE
  if grep -q "^$3=" "$1"; then sed -i "s|^$3=.*|$3=$4|" "$1"; else sed -i "/^\[$2\]/a $3=$4" "$1"; fi
}
set_desktop_value() {
  [[ -f $(DESKTOP_CONF) ]] || printf '[desktop]\nWallpaper=\n' >"$(DESKTOP_CONF)"
  set_in "$(DESKTOP_CONF)" desktop "$1" "$2"
}
set_setting() { set_in "$CONF" General "$1" "$2"; }
# A first run fills the store; later edits then change single values.
prepared_home() {
  new_home
  run -OnlyDraw 2>/dev/null
}
pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
clear_root() { xsetroot -solid black 2>/dev/null || true; }

# (1) A fresh store: the calendar reaches the root window, the values are put back and the
# work bitmap is deleted.
prepared_home
capture_root "$TEST_ROOT/root.png"
for colour in "#FF0000" "#00FF00"; do
  n=$(count_color "$TEST_ROOT/root.png" 300x200+0+0 "$colour")
  expect_true "calendar pixels in $colour (found $n)" test "$n" -gt 20
done
n=$(count_color "$TEST_ROOT/root.png" 300x200+600+500 "#3A6EA5")
expect_eq "desktop colour away from the calendar" 60000 "$n"
expect_eq "Wallpaper back to its earlier value" "" "$(desktop_value Wallpaper)"
expect_true "work bitmap deleted" test ! -e "$XDG_CACHE_HOME/orbeline/ovalin.bmp"

# (2) NoRestoreWallpaper: the work bitmap stays installed; a second run the same day draws
# nothing.
prepared_home
set_setting NoRestoreWallpaper 1
run -OnlyDraw 2>/dev/null
bmp=$(work_bitmap)
expect_true "work bitmap kept" test -f "$bmp"
expect_eq "work bitmap is a 24-bit BMP of the screen" "1024x768 24" \
  "$(identify -format '%wx%h' "$bmp") $(od -An -tu2 -j28 -N2 "$bmp" | tr -d ' ')"
expect_eq "Wallpaper is the work bitmap" "$bmp" "$(desktop_value Wallpaper)"
before=$(sha1sum "$bmp")
touch -d "$TODAY" "$bmp"
stamp=$(stat -c %Y "$bmp")
run -OnlyDraw 2>/dev/null
expect_eq "second run the same day leaves the file" "$before $stamp" "$(sha1sum "$bmp") $(stat -c %Y "$bmp")"
TODAY="2026-01-17 10:00:00" run -OnlyDraw 2>/dev/null
expect_true "the next day draws again" test "$(sha1sum "$bmp")" != "$before"

# (4) A 100x60 tile in each arrangement.
for stagger in 0 1 2; do
  prepared_home
  convert -size 100x60 gradient:"#102030"-"#F0E0D0" -fill "#00A000" -draw "rectangle 0,0 9,9" \
    -type TrueColor "BMP3:$HOME/tile.bmp"
  set_desktop_value Wallpaper "$HOME/tile.bmp"
  set_desktop_value TileWallPaper 1
  set_setting NoRestoreWallpaper 1
  set_setting TilePattern "$stagger"
  set_setting PositionY 400  # keep the calendar away from the tiles we look at
  run -OnlyDraw 2>/dev/null
  bmp=$(work_bitmap)
  checks=("150 10 50 10;250 70 50 10" "150 0 50 30;150 30 50 0;250 5 50 5"
          "50 60 0 0;0 60 50 0;50 125 50 5")
  IFS=';' read -ra list <<<"${checks[$stagger]}"
  for c in "${list[@]}"; do
    read -r x y tx ty <<<"$c"
    expect_eq "tile stagger $stagger at ($x,$y)" "$(pixel "$HOME/tile.bmp" "$tx" "$ty")" "$(pixel "$bmp" "$x" "$y")"
  done
done

# (5) An 8-bit display gets an 8-bit work bitmap with a palette (headless: the emulated depth).
prepared_home
set_setting NoRestoreWallpaper 1
set_desktop_value BitsPerPixel 8
set_desktop_value ScreenWidth 640
set_desktop_value ScreenHeight 480
(unset DISPLAY; run -OnlyDraw 2>/dev/null)
bmp=$(work_bitmap)
expect_eq "8-bit work bitmap of the screen" "640x480 8" \
  "$(identify -format '%wx%h' "$bmp") $(od -An -tu2 -j28 -N2 "$bmp" | tr -d ' ')"
# Text is drawn without antialiasing (no fringes snapped to odd palette colours) and the
# palette holds the VGA colours, so the grey weekdays stay grey.
used=$(identify -format %k "$bmp")
expect_true "8-bit drawing uses only its own colours ($used)" test "$used" -le 10
n=$(count_color "$bmp" 640x480+0+0 "#808080")
expect_true "clGray weekdays on 8 bits (found $n)" test "$n" -gt 20
# The preview reduces the colours exactly as the drawing does.
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/preview8.png" --date 2026-01-16)
expect_eq "8-bit preview equals the installed drawing" 0 \
  "$(compare -metric AE "$TEST_ROOT/preview8.png" "$bmp" null: 2>&1)"

# (6) A temp folder that cannot be written: the message, nothing installed.
prepared_home
clear_root
xprop -root -remove _XROOTPMAP_ID; xprop -root -remove ESETROOT_PMAP_ID
rm -rf "$XDG_CACHE_HOME/orbeline"
echo "not a folder" > "$XDG_CACHE_HOME/orbeline"
set_desktop_value Wallpaper "$HOME/own.bmp"
convert -size 50x50 xc:"#123456" -type TrueColor "BMP3:$HOME/own.bmp"
run -OnlyDraw 2>/dev/null
expect_eq "desktop value untouched" "$HOME/own.bmp" "$(desktop_value Wallpaper)"
expect_true "nothing installed on the root window" bash -c "! xprop -root _XROOTPMAP_ID | grep -q 'window id'"

# (6b) A picture that cannot be decoded: a message naming it, nothing installed.
prepared_home
echo "not a jpeg" > "$HOME/broken.jpg"
set_desktop_value Wallpaper "$HOME/broken.jpg"
out=$(run -OnlyDraw 2>&1)
status=$?
expect_eq "undecodable picture exit code" 1 $status
expect_true "message names the file ($out)" grep -q "broken.jpg" <<<"$out"
expect_eq "undecodable picture: desktop value untouched" "$HOME/broken.jpg" "$(desktop_value Wallpaper)"
expect_true "undecodable picture: no work bitmap" test ! -e "$(work_bitmap)"

# (8) Two draw-only runs at once. The first holds the instance lock through its delay,
# which must outlast the start of the second run on a loaded machine.
prepared_home
set_setting DelayedOnlyDraw 1
set_setting DelaySeconds 10
run -OnlyDraw 2>/dev/null &
first=$!
# Wait until the first run holds the lock. Looking in /proc/locks takes no lock: probing
# with flock would hold it for an instant, and a run starting then refuses itself.
lock=$XDG_RUNTIME_DIR/MutexObject_Ovalin.lock
for _ in $(seq 600); do
  inode=$(stat -c %i "$lock" 2>/dev/null) && grep -q ":$inode " /proc/locks && break
  sleep 0.05
done
# The first run is inside its wait now: none of its windows is mapped (Qt keeps an
# unmapped client-leader window, which never shows).
viewable=0
for id in $(xwininfo -root -children | awk '/^ +0x/ {print $1}'); do
  xwininfo -id "$id" | grep -q "IsViewable" && viewable=$((viewable + 1))
done
expect_eq "no window mapped during a draw-only run" 0 "$viewable"
out=$(run -OnlyDraw 2>&1)
first_state=$(kill -0 $first 2>/dev/null && echo "still waiting" || echo "already ended")
wait $first
expect_true "second run refused (the first run $first_state)" \
  grep -q "Orbeline already launched!" <<<"$out"

# (9) --preview draws exactly what a fresh drawing of that date installs, and stores nothing.
prepared_home
set_setting NoRestoreWallpaper 1
set_setting TodayDrawMethod 2
(unset DISPLAY; run -OnlyDraw 2>/dev/null)
before=$(sha1sum < "$CONF")
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/preview.png" --date 2026-01-16)
expect_eq "--preview exit code" 0 $?
expect_eq "preview equals the installed drawing" 0 \
  "$(compare -metric AE "$TEST_ROOT/preview.png" "$(work_bitmap)" null: 2>&1)"
expect_eq "--preview stores nothing" "$before" "$(sha1sum < "$CONF")"
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/other.png" --date 2026-02-16)
expect_true "another date draws another calendar" \
  test "$(compare -metric AE "$TEST_ROOT/preview.png" "$TEST_ROOT/other.png" null: 2>&1)" != 0
# No room for the new preview (files limited to 4 KiB): the earlier one is left whole.
kept=$(sha1sum < "$TEST_ROOT/other.png")
(unset DISPLAY; trap '' XFSZ; ulimit -f 4
  "$ORBELINE" --preview "$TEST_ROOT/other.png" --date 2026-03-16 2>/dev/null)
expect_eq "--preview without room fails" 1 $?
expect_eq "--preview without room keeps the earlier file" "$kept" "$(sha1sum < "$TEST_ROOT/other.png")"
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/bad.png" --date 2026-02-30 2>/dev/null)
expect_eq "impossible date refused" 2 $?
new_home
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/fresh.png" --date 2026-01-16)
expect_true "preview on a fresh store writes no store and no desktop values" \
  test -s "$TEST_ROOT/fresh.png" -a ! -e "$CONF" -a ! -e "$(DESKTOP_CONF)"
# A stored run code is not the preview's: no design, no wait, no work bitmap left behind.
prepared_home
set_setting AutoDraw 1
(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/coded.png" --date 2026-01-16)
expect_eq "preview with a stored run code" 0 $?
expect_true "no work bitmap left by the preview" test ! -e "$(work_bitmap)"
# It refuses what a drawing refuses, with the same message.
prepared_home
convert -size 8x8 xc:red "$HOME/anim.gif"
set_desktop_value Wallpaper "$HOME/anim.gif"
out=$(unset DISPLAY; "$ORBELINE" --preview "$TEST_ROOT/gif.png" --date 2026-01-16 2>&1)
expect_eq "preview of a GIF wallpaper fails" 1 $?
expect_true "with the drawing's message" grep -q "doesn't support the wallpaper in GIF/HTML" <<<"$out"
expect_true "and no picture" test ! -e "$TEST_ROOT/gif.png"

finish
