#!/usr/bin/env bash
# A plain first start under Xvfb offers the login entry, and Yes (Enter on the focused Yes
# button) writes it. The session claims to be Wayland with an X server beside it: the
# program runs on X, where the positioning marker can stand on the calendar's anchor.
# Needs xdotool.
source "$(dirname "$0")/lib.sh"
: "${DISPLAY:?run under xvfb-run}"
unset ORBELINE_HEADLESS QT_QPA_PLATFORM
export LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8
export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=orbeline-test-no-compositor
# Qt names the platforms it tries in this order.
export QT_LOGGING_RULES="qt.qpa.plugin=true"
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"

new_home
"$ORBELINE" 2>"$TEST_ROOT/stderr" &
pid=$!
question=$(timeout 60 xdotool search --sync --onlyvisible --name '^Confirm$' | head -n 1)
expect_true "the startup offer is made" test -n "$question"
if [[ -n "$question" ]]; then
  xdotool windowfocus --sync "$question"
  xdotool key --clearmodifiers Return
fi
entry="$XDG_CONFIG_HOME/autostart/Orbeline StartUp.desktop"
expect_true "Yes writes the login entry" wait_for 30 test -e "$entry"
expect_eq "it starts the program with -OnlyDraw" "Exec=$(realpath "$ORBELINE") -OnlyDraw" \
  "$(grep '^Exec=' "$entry")"
expect_true "X first, Wayland only when X cannot start, offscreen last" \
  grep -q 'pluginNamesWithArguments "xcb;wayland;offscreen"' "$TEST_ROOT/stderr"

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orbeline$' | head -n 1)
expect_true "the settings window opened" test -n "$window"
marker=$(timeout 30 xdotool search --sync --onlyvisible --name '^Positioning Cursor' | head -n 1)
expect_true "the positioning marker is shown" test -n "$marker"
expect_eq "no message follows Yes" "" "$(xdotool search --onlyvisible --name '^Confirm' 2>/dev/null)"

[[ -n "$window" ]] && expect_true "the Quit mnemonic ends the run" wait_for 60 quit_by_mnemonic
ended || kill "$pid" 2>/dev/null
wait "$pid"
expect_eq "exit status" 0 "$?"
if ((failures > 0)); then cat "$TEST_ROOT/stderr"; fi
finish
