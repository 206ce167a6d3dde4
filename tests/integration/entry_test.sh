#!/usr/bin/env bash
# The program entry end to end: first-run values, definition files by locale,
# migrations, the argument grammar and the single-instance guard.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY

# Version and help go to stdout.
expect_eq "--version" "Orbeline 1.52.0" "$("$ORBELINE" --version)"
expect_true "--help names -OnlyDraw" grep -q -- "-OnlyDraw" <("$ORBELINE" --help)

# A draw-only start on a fresh store leaves the first-run set.
new_home
LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "-OnlyDraw exit code" 0 $?
for pair in CharStep=30 CalendarType=4 FontSize=18 SundayColor=clRed SameFont=1 SlashLean=6 \
            DelaySeconds=30 IconTextColor=clWhite MarkerVisible=1 MarkerAnimate=1 \
            VersionInfo=15200 AutoDraw=0 "Holiday1=1 201" CustomColor0=0 CustomColor15=0 \
            "StartupFileName=Orbeline StartUp.desktop" SubstituteType=4; do
  expect_eq "fresh store ${pair%%=*}" "${pair#*=}" "$(setting "${pair%%=*}")"
done
for n in 1 7 20; do expect_eq "DesignName $n" "Configure$n" "$(setting DesignName $n)"; done

new_home
LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "en_US Holiday1" "1 301" "$(setting Holiday1)"
expect_eq "en_US SubstituteType" "2" "$(setting SubstituteType)"

new_home
LC_ALL= LC_MESSAGES= LANG=pt_BR.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "locale without a file uses ovalin.def" "" "$(setting Holiday1)"
expect_eq "ovalin.def turns the equinox days off" "1" "$(setting AutoCalcEquinox)"

# Migrations of older stores.
new_home
mkdir -p "$XDG_CONFIG_HOME/Quillmere"
printf '[General]\nCharStep=25\nCalenderStyle=7\nNoFurikae=1\nHoliday1=1 15\n' > "$CONF"
for m in 2 3 4 5 6 7 8 9 10 11 12; do echo "Holiday$m=" >> "$CONF"; done
LC_ALL= LC_MESSAGES= LANG=ja_JP.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "CalenderStyle migrated" "7" "$(setting CalendarStyle)"
expect_true "CalenderStyle removed" bash -c "! grep -q '^CalenderStyle=' '$CONF'"
expect_eq "NoFurikae gives SubstituteType 0" "0" "$(setting SubstituteType)"
expect_eq "old January holidays" "1 201" "$(setting Holiday1)"

# Arguments that match nothing end at once: no output, no store.
for arg in -x -0 - -ONLYDRAW2 /nonexistent.bmp; do
  new_home
  out=$("$ORBELINE" "$arg" 2>&1)
  expect_eq "exit code for '$arg'" 0 $?
  expect_eq "output for '$arg'" "" "$out"
  expect_true "no store for '$arg'" test ! -e "$CONF"
done

# Qt sees only the program's name: its own options are unrecognised arguments like any other.
for args in "-platform xcb" "-plugin foo"; do
  new_home
  out=$("$ORBELINE" $args 2>&1)
  expect_eq "exit code for '$args'" 0 $?
  expect_eq "output for '$args'" "" "$out"
done

# A second instance says so and writes nothing.
new_home
exec 9>"$XDG_RUNTIME_DIR/MutexObject_Ovalin.lock"
flock 9
out=$("$ORBELINE" -OnlyDraw 9>&- 2>&1)
status=$?
exec 9>&-
expect_true "second instance message" grep -q "Orbeline already launched!" <<<"$out"
expect_eq "second instance exit code" 1 $status
expect_true "second instance wrote nothing" test ! -e "$CONF"

# A plain start without a display cannot open the window.
new_home
"$ORBELINE" 2>/dev/null
expect_eq "interactive start without a display" 1 $?

finish
