#!/usr/bin/env bash
# The settings window end to end under Xvfb: a fresh start opens it, Enter draws the
# calendar onto the root window, the Quit mnemonic ends the run and puts the desktop's
# values back. Needs xdotool, xwd and ImageMagick.
source "$(dirname "$0")/lib.sh"
: "${DISPLAY:?run under xvfb-run}"
unset ORBELINE_HEADLESS
export LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 QT_QPA_PLATFORM=xcb
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

calendar_on_root() {
  capture_root "$TEST_ROOT/root.png"
  (($(count_color "$TEST_ROOT/root.png" 300x200+0+0 "#FF0000") > 20))
}

# A fresh home whose question at start (the startup offer) is silenced the way a user
# silences it, and the program started in it ($pid) with its settings window ($window).
start_window() {
  new_home
  mkdir -p "$(dirname "$CONF")"
  printf '[General]\nStartupCheck=1\n' >"$CONF"
  "$@"
  "$ORBELINE" 2>"$TEST_ROOT/stderr" &
  pid=$!
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orbeline$' | head -n 1)
  expect_true "the settings window opened" test -n "$window"
}

xsetroot -solid black 2>/dev/null || true
start_window true
if [[ -n "$window" ]]; then
  xdotool windowfocus --sync "$window"
  expect_true "nothing drawn before Enter" test ! -e "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
  xdotool key --clearmodifiers Return
  expect_true "Enter draws the calendar onto the root window" wait_for 60 calendar_on_root
  # The window stands in the middle of the screen: look beside it.
  n=$(count_color "$TEST_ROOT/root.png" 200x100+820+660 "#3A6EA5")
  expect_eq "desktop colour away from the calendar" 20000 "$n"
  expect_eq "the drawing is installed" "$XDG_CACHE_HOME/orbeline/ovalin.bmp" "$(desktop_value Wallpaper)"
  caption_is_orbeline() { [[ "$(xdotool getwindowname "$window")" == Orbeline ]]; }
  expect_true "the caption is Orbeline again after the drawing" wait_for 10 caption_is_orbeline
fi
expect_true "the Quit mnemonic ends the run" wait_for 60 quit_by_mnemonic
ended || kill "$pid" 2>/dev/null
wait "$pid"
expect_eq "exit status" 0 "$?"
expect_eq "Wallpaper put back" "" "$(desktop_value Wallpaper)"
expect_true "work bitmap deleted" test ! -e "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
expect_eq "LastModifiedPage written" 0 "$(setting LastModifiedPage)"
expect_eq "the first run's values are kept" 30 "$(setting CharStep)"
if ((failures > 0)); then cat "$TEST_ROOT/stderr"; fi

# A run that ends because of an error (no folder for the work bitmap) exits 1 once the user
# has read the message, as a draw-only run does.
no_cache_folder() { touch "$XDG_CACHE_HOME/orbeline"; }
start_window no_cache_folder
if [[ -n "$window" ]]; then
  xdotool windowfocus --sync "$window"
  xdotool key --clearmodifiers Return
  message=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orbeline - Error$' | head -n 1)
  expect_true "the failed write is told" test -n "$message"
  [[ -z "$message" ]] || { xdotool windowfocus --sync "$message" && xdotool key Return; }
fi
expect_true "the run ends after the message" wait_for 60 ended
ended || kill "$pid" 2>/dev/null
wait "$pid"
expect_eq "exit status of a run ended by an error" 1 "$?"
if ((failures > 0)); then cat "$TEST_ROOT/stderr"; fi
finish
