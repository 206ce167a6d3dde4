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
for pair in CharStep=30 AutoDraw=0 "Holiday1=1 201" SubstituteType=4; do
  expect_eq "fresh store ${pair%%=*}" "${pair#*=}" "$(setting "${pair%%=*}")"
done

new_home
LC_ALL= LC_MESSAGES= LANG=en_US.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "en_US Holiday1" "1 301" "$(setting Holiday1)"

new_home
LC_ALL= LC_MESSAGES= LANG=pt_BR.UTF-8 "$ORBELINE" -OnlyDraw
expect_eq "locale without a file uses ovalin.def" "" "$(setting Holiday1)"

# Arguments that match nothing end at once: no output, no store.
for arg in -0 -ONLYDRAW2 /nonexistent.bmp; do
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

# Without XDG_RUNTIME_DIR the lock is per user in the shared temporary folder; a planted
# link or another user's file there is refused, and nothing appears where a link points.
new_home
mkdir "$TEST_ROOT/tmp"
lock="$TEST_ROOT/tmp/MutexObject_Ovalin-$(id -u).lock"
shared_tmp_run() { (unset XDG_RUNTIME_DIR; TMPDIR="$TEST_ROOT/tmp" "$ORBELINE" -OnlyDraw 2>&1); }
shared_tmp_run >/dev/null
expect_true "per-user lock file" test -f "$lock"
rm "$lock"
ln -s "$TEST_ROOT/planted" "$lock"
out=$(shared_tmp_run)
expect_eq "planted link: exit code" 1 $?
expect_true "planted link: refused ($out)" grep -q "symbolic link" <<<"$out"
expect_true "planted link: nothing created" test ! -e "$TEST_ROOT/planted"
if (($(id -u) == 0)); then
  rm "$lock"
  touch "$lock"
  chown 65534 "$lock"
  out=$(shared_tmp_run)
  expect_true "another user's lock file refused ($out)" grep -q "belongs to another user" <<<"$out"
fi

# A plain start without a display says why it cannot open the window.
new_home
out=$(QT_QPA_PLATFORM= "$ORBELINE" 2>&1)
expect_eq "interactive start without a display" 1 $?
expect_true "says the window needs a display" grep -q "the settings window needs a display" <<<"$out"

# A display that cannot be reached (a stale DISPLAY at login or in cron): a draw-only run
# draws all the same, a plain start says there is no display; neither aborts.
unused=99
while [[ -e /tmp/.X$unused-lock || -e /tmp/.X11-unix/X$unused ]]; do unused=$((unused + 1)); done
new_home
"$ORBELINE" -OnlyDraw 2>/dev/null
sed -i 's/^NoRestoreWallpaper=.*/NoRestoreWallpaper=1/' "$CONF"
out=$(QT_QPA_PLATFORM= DISPLAY=:$unused "$ORBELINE" -OnlyDraw 2>&1)
expect_eq "unreachable display: draw-only exit code ($out)" 0 $?
expect_true "unreachable display: the calendar installed" \
  test -f "$XDG_CACHE_HOME/orbeline/ovalin.bmp" -a \
  "$(desktop_value Wallpaper)" = "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
out=$(QT_QPA_PLATFORM= DISPLAY=:$unused WAYLAND_DISPLAY=orbeline-none "$ORBELINE" 2>&1)
expect_eq "unreachable display: interactive exit code" 1 $?
expect_true "unreachable display: says so ($out)" grep -q "the settings window needs a display" <<<"$out"

# A run that ends because of an error says why and exits 1 (scripts and autostart read it).
DESKTOP_CONF=Quillmere/Desktop.conf
while IFS='|' read -r what setup arg text; do
  new_home
  "$ORBELINE" -OnlyDraw 2>/dev/null  # a store and a desktop to spoil
  (cd "$XDG_CONFIG_HOME" && eval "$setup")
  out=$(timeout 60 "$ORBELINE" "$arg" 2>&1)
  expect_eq "$what: exit code" 1 $?
  expect_true "$what: says '$text' ($out)" grep -qF -- "$text" <<<"$out"
done <<'ROWS'
cache folder is a file|rm -r "$XDG_CACHE_HOME/orbeline"; touch "$XDG_CACHE_HOME/orbeline"|-OnlyDraw|Cannot generate a bitmapped file.
design not saved|true|-5|On the Configuration 5, Nothing registered!
no design to pick|true|-Random|Nothing registered!
GIF wallpaper|touch "$HOME/a.gif"; sed -i "s#^Wallpaper=.*#Wallpaper=$HOME/a.gif#" $DESKTOP_CONF|-OnlyDraw|GIF/HTML
settings file is a FIFO|rm Quillmere/Ovalin.conf; mkfifo Quillmere/Ovalin.conf|-OnlyDraw|Quillmere/Ovalin.conf is not a regular file
desktop file is a FIFO|rm $DESKTOP_CONF; mkfifo $DESKTOP_CONF|-OnlyDraw|Desktop.conf is not a regular file
ROWS

# A desktop file written by hand for the colour alone names no picture: the run draws on the
# colour and ends well.
new_home
mkdir -p "$XDG_CONFIG_HOME/Quillmere"
printf '[desktop]\nBackground=0 0 0\n' >"$XDG_CONFIG_HOME/$DESKTOP_CONF"
out=$("$ORBELINE" -OnlyDraw 2>&1)
expect_eq "desktop file without Wallpaper: exit code ($out)" 0 $?

# A syntax error in the store is tolerated: no false "Cannot write"; today's calendar
# already installed is no error either.
new_home
"$ORBELINE" -OnlyDraw 2>/dev/null
sed -i 's/^NoRestoreWallpaper=.*/NoRestoreWallpaper=1/; /^\[General\]/a this line has no equals sign' "$CONF"
out=$("$ORBELINE" -OnlyDraw 2>&1)
expect_eq "store with a syntax error: exit code" 0 $?
expect_eq "store with a syntax error: no message" "" "$out"
"$ORBELINE" -OnlyDraw 2>/dev/null
expect_eq "today's calendar already installed: exit code" 0 $?

# A store the user cannot read: said so, nothing drawn, nothing written (run as another
# user when the test runs as root, which reads everything).
new_home
"$ORBELINE" -OnlyDraw 2>/dev/null
chmod 000 "$CONF"
as_user=()
if (($(id -u) == 0)); then
  chown -R 65534:65534 "$TEST_ROOT"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
before=$(stat -c %Y "$CONF")
out=$("${as_user[@]}" "$ORBELINE" -OnlyDraw 2>&1)
expect_eq "unreadable store: exit code" 1 $?
expect_true "unreadable store: says so ($out)" grep -qF "Cannot read the settings file $CONF" <<<"$out"
expect_eq "unreadable store: left alone" "$before" "$(stat -c %Y "$CONF")"
expect_true "unreadable store: nothing drawn" test ! -e "$XDG_CACHE_HOME/orbeline/ovalin.bmp"

# A store that cannot be written: the work bitmap is not installed, so the desktop never
# names it without OriginalWallpaper on disk.
chmod 644 "$CONF"
sed -i 's/^NoRestoreWallpaper=.*/NoRestoreWallpaper=1/' "$CONF"
convert -size 8x8 xc:"#123456" -type TrueColor "BMP3:$HOME/own.bmp"
sed -i "s#^Wallpaper=.*#Wallpaper=$HOME/own.bmp#" "$XDG_CONFIG_HOME/$DESKTOP_CONF"
chmod 444 "$CONF"
out=$("${as_user[@]}" "$ORBELINE" -OnlyDraw 2>&1)
expect_eq "unwritable store: exit code" 1 $?
expect_true "unwritable store: says so ($out)" grep -qF "Cannot write the settings file $CONF" <<<"$out"
expect_true "unwritable store: nothing installed" grep -qx "Wallpaper=$HOME/own.bmp" "$XDG_CONFIG_HOME/$DESKTOP_CONF"

finish
