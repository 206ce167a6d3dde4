#!/usr/bin/env bash
# Draw-only runs with the GNOME backend, its settings kept in a key file of the test's own
# home: every drawing is shown from a fresh path named ovalin.bmp, the previous copy goes
# once GNOME has switched, and the user's picture is remembered.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
export GSETTINGS_BACKEND=keyfile ORBELINE_HEADLESS=1 LC_ALL= LANG=en_US.UTF-8
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0"
run_on() { NO_FAKE_STAT=1 faketime "$1 09:00:00" "$ORBELINE" -OnlyDraw; }
uri() { gsettings get org.gnome.desktop.background "$1" | tr -d "'"; }

new_home
export ORBELINE_DESKTOP=gnome
convert -size 64x48 xc:"#336699" "$HOME/mine.png"
gsettings set org.gnome.desktop.background picture-uri "file://$HOME/mine.png"
gsettings set org.gnome.desktop.background picture-uri-dark "file://$HOME/mine.png"
gsettings set org.gnome.desktop.background picture-options "scaled"
expect_true "key file in the test's home" test -f "$XDG_CONFIG_HOME/glib-2.0/settings/keyfile"

run_on 2026-03-01
expect_eq "first drawing exit code" 0 $?
first=$(uri picture-uri)
expect_true "picture-uri names ovalin.bmp ($first)" bash -c "[[ '$first' == file://*/ovalin.bmp ]]"
expect_eq "dark variant follows" "$first" "$(uri picture-uri-dark)"
expect_true "the shown copy exists" test -f "${first#file://}"
expect_eq "user's picture remembered" "$HOME/mine.png" "$(setting OriginalWallpaper)"

run_on 2026-03-02
second=$(uri picture-uri)
expect_true "second drawing at a new path" test "$first" != "$second"
expect_true "previous copy removed" test ! -e "${first#file://}"
expect_eq "user's picture still remembered" "$HOME/mine.png" "$(setting OriginalWallpaper)"
expect_eq "kept 1:1 options" "'scaled'" "$(gsettings get org.gnome.desktop.background picture-options)"

# A planted folder at the end of the integers is not one of our copies: the counter neither
# overflows nor removes it.
mkdir "$XDG_CACHE_HOME/orbeline/gnome-2147483647"
run_on 2026-03-03
expect_eq "drawing beside a planted folder" 0 $?
expect_true "planted folder left alone" test -d "$XDG_CACHE_HOME/orbeline/gnome-2147483647"
third=$(uri picture-uri)

# A settings store that cannot be written: the change is read back, the copy removed, the
# run fails.
keyfile=$XDG_CONFIG_HOME/glib-2.0/settings/keyfile
mv "$keyfile" "$keyfile.saved"
mkdir "$keyfile"
out=$(run_on 2026-03-04 2>&1)
status=$?
rmdir "$keyfile"
mv "$keyfile.saved" "$keyfile"
expect_eq "unwritable GSettings: exit code" 1 $status
expect_true "unwritable GSettings: says so ($out)" grep -q "Cannot change the wallpaper" <<<"$out"
expect_eq "unwritable GSettings: picture unchanged" "$third" "$(uri picture-uri)"
copies=$(find "$XDG_CACHE_HOME/orbeline" -name ovalin.bmp -path '*/gnome-*' | wc -l)
expect_eq "unwritable GSettings: no stray copy" 1 "$copies"

finish
