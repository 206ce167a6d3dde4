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
remembered_uri() {
  awk -F= '$1 == "PictureUri" { print substr($0, index($0, "=") + 1) }' \
    "$XDG_CONFIG_HOME/Quillmere/GnomeDesktop.conf"
}

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
expect_eq "user's picture remembered" "file://$HOME/mine.png" "$(remembered_uri)"

run_on 2026-03-02
second=$(uri picture-uri)
expect_true "second drawing at a new path" test "$first" != "$second"
expect_true "previous copy removed" test ! -e "${first#file://}"
expect_eq "user's picture still remembered" "file://$HOME/mine.png" "$(remembered_uri)"
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

# Runs on the other desktop backend in between (a cron job, a second desktop) never make
# either lose the user's picture: each draws on its own user's picture the next day.
orange_share() { convert "$1" -fill black +opaque "#FFA500" -fill white -opaque "#FFA500" \
  -format "%[fx:mean]" info:; }
mostly_orange() { awk -v share="$(orange_share "$1")" 'BEGIN { exit !(share > 0.5) }'; }
new_home
convert -size 640x400 xc:orange "$HOME/mine.png"
gsettings set org.gnome.desktop.background picture-uri "file://$HOME/mine.png"
gsettings set org.gnome.desktop.background picture-options "zoom"
ORBELINE_DESKTOP=gnome run_on 2026-03-01
ORBELINE_DESKTOP=generic run_on 2026-03-02
ORBELINE_DESKTOP=gnome run_on 2026-03-03
shown=$(uri picture-uri)
expect_true "GNOME after a generic run: drawn on the user's picture" mostly_orange "${shown#file://}"

new_home
convert -size 640x400 xc:orange "$HOME/mine.png"
convert -size 640x400 xc:navy "$HOME/gnome.png"
ORBELINE_DESKTOP=generic "$ORBELINE" -OnlyDraw 2>/dev/null  # a store to set up
sed -i 's/^NoRestoreWallpaper=.*/NoRestoreWallpaper=1/' "$CONF"
printf '[desktop]\nWallpaper=%s\nWallpaperStyle=2\n' "$HOME/mine.png" \
  >"$XDG_CONFIG_HOME/Quillmere/Desktop.conf"
gsettings set org.gnome.desktop.background picture-uri "file://$HOME/gnome.png"
ORBELINE_DESKTOP=generic run_on 2026-03-01
ORBELINE_DESKTOP=gnome run_on 2026-03-02
ORBELINE_DESKTOP=generic run_on 2026-03-03
expect_true "generic after a GNOME run: drawn on the user's picture" \
  mostly_orange "$(desktop_value Wallpaper)"

finish
