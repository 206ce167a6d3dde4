#!/usr/bin/env bash
# A draw-only run killed at each of its writes, flushes, renames, links and removals (strace's
# fault injection sends SIGKILL as the call starts), on the generic and the GNOME desktop, for
# a first run and for a run after the user changed the wallpaper. After each kill the user's
# picture is still named by the desktop or remembered on disk (OriginalWallpaper, under GNOME
# GnomeDesktop.conf), the desktop names a file that exists, a work bitmap kept from before is
# still there and the settings files parse; the next run succeeds and leaves no temporary file
# behind.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
export ORBELINE_HEADLESS=1 GSETTINGS_BACKEND=keyfile LC_ALL= LANG=en_US.UTF-8
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0"
CALLS=write,pwrite64,fsync,fdatasync,rename,renameat,renameat2,linkat,unlink,unlinkat
kill_points=0
if ! strace -qq -o /dev/null true; then
  echo "FAIL: strace cannot trace a program here (is ptrace allowed?)"
  exit 1
fi

shown_wallpaper() {
  if [[ $ORBELINE_DESKTOP == gnome ]]; then
    gsettings get org.gnome.desktop.background picture-uri 2>/dev/null | sed "s#^'file://##; s#'\$##"
  else
    desktop_value Wallpaper
  fi
}
# The user's picture as remembered on disk: GNOME keeps it itself.
remembered_picture() {
  if [[ $ORBELINE_DESKTOP == gnome ]]; then
    awk -F= '$1 == "PictureUri" { print substr($0, index($0, "=") + 1) }' \
      "$XDG_CONFIG_HOME/Quillmere/GnomeDesktop.conf" 2>/dev/null | sed 's#^file://##'
  else
    setting OriginalWallpaper
  fi
}
# Every line a section, a key=value or blank.
parses() { [[ ! -e $1 ]] || awk '!/^$/ && !/^\[.*\]$/ && !/^[^=]+=/ {bad = 1} END {exit bad}' "$1"; }

check_state() {  # check_state WHEN
  local shown original
  shown=$(shown_wallpaper)
  original=$(remembered_picture)
  expect_true "$1: the user's picture is named (desktop '$shown', remembered '$original')" \
    bash -c "[[ '$shown' == '$PICTURE' || ( '$shown' == */ovalin.bmp && '$original' == '$PICTURE' ) ]]"
  expect_true "$1: the desktop names a file that exists ('$shown')" bash -c "[[ -z '$shown' || -f '$shown' ]]"
  for file in Ovalin.conf Desktop.conf GnomeDesktop.conf; do
    expect_true "$1: $file parses" parses "$XDG_CONFIG_HOME/Quillmere/$file"
  done
}

# Files the program may keep; anything else in its folders is a leftover.
leftovers() {
  find "$XDG_CONFIG_HOME/Quillmere" "$XDG_CACHE_HOME/orbeline" -mindepth 1 2>/dev/null |
    grep -vE '/Quillmere/(Ovalin|Desktop|GnomeDesktop)\.conf$|/orbeline/ovalin\.bmp$|/orbeline/gnome-[0-9]+(/ovalin\.bmp)?$'
}

restore() { rm -rf "${TEST_ROOT:?}"/*; cp -a "$TEMPLATE"/. "$TEST_ROOT"/; }

run_scenario() {  # run_scenario NAME: kills the run prepared in $TEST_ROOT at each call
  local name=$1 call n status
  TEMPLATE=$(mktemp -d /tmp/orbeline-crash-XXXXXX)
  MADE_ROOTS+=("$TEMPLATE")
  cp -a "$TEST_ROOT"/. "$TEMPLATE"/
  # One run without faults lists the calls on our files, numbered per call as strace counts.
  strace -qq -y -o "$TEMPLATE.trace" -e trace="$CALLS" "$ORBELINE" -OnlyDraw >/dev/null 2>&1
  expect_eq "$name: run without faults" 0 $?
  local points
  points=$(awk -F'(' -v root="$TEST_ROOT" '{n[$1]++} index($0, root) {print $1 ":" n[$1]}' "$TEMPLATE.trace")
  # A file gets its name only once what it holds is on disk.
  unflushed=$(awk -v root="$TEST_ROOT" '!index($0, root) {next}
    /^f(data)?sync\(/ && /\(deleted\)/ {split($0, a, /[(<]/); synced[a[2]] = 1}
    /^linkat\(/ {match($0, /fd\/[0-9]+/); fd = substr($0, RSTART + 3, RLENGTH - 3)
                 if (!(fd in synced)) print; if (/= 0$/) delete synced[fd]}' "$TEMPLATE.trace")
  expect_eq "$name: files flushed before they are named" "" "$unflushed"
  rm -f "$TEMPLATE.trace"
  for point in $points; do
    call=${point%:*}
    n=${point#*:}
    restore
    # (The braces keep the shell's own "Killed" notice out of the log.)
    { strace -qq -o /dev/null -e trace="$call" -e inject="$call:signal=KILL:when=$n" \
      "$ORBELINE" -OnlyDraw >/dev/null 2>&1; } 2>/dev/null
    status=$?
    if ((status != 137)); then
      echo "FAIL: $name: $call #$n did not kill the run (exit $status)"
      failures=$((failures + 1))
      continue
    fi
    kill_points=$((kill_points + 1))
    check_state "$name, killed at $call #$n"
    if [[ -e $TEMPLATE/cache/orbeline/ovalin.bmp ]]; then
      expect_true "$name, killed at $call #$n: the kept work bitmap is there" \
        test -f "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
    fi
    "$ORBELINE" -OnlyDraw >/dev/null 2>&1
    expect_eq "$name, killed at $call #$n: the next run" 0 $?
    check_state "$name, after $call #$n and the next run"
    expect_eq "$name, killed at $call #$n: leftovers after the next run" "" "$(leftovers)"
  done
}

# The user's picture; a small screen keeps the runs quick.
new_picture_home() {  # new_picture_home BACKEND
  new_home
  export ORBELINE_DESKTOP=$1
  PICTURE=$HOME/mine.bmp
  convert -size 64x48 xc:"#336699" -type TrueColor "BMP3:$PICTURE"
  convert -size 64x48 xc:"#996633" -type TrueColor "BMP3:$HOME/old.bmp"
  mkdir -p "$XDG_CONFIG_HOME/Quillmere"
  printf '[desktop]\nWallpaper=\nScreenWidth=320\nScreenHeight=200\n' \
    > "$XDG_CONFIG_HOME/Quillmere/Desktop.conf"
}
set_picture() {
  if [[ $ORBELINE_DESKTOP == gnome ]]; then
    gsettings set org.gnome.desktop.background picture-uri "file://$1"
    gsettings set org.gnome.desktop.background picture-uri-dark "file://$1"
    gsettings set org.gnome.desktop.background picture-options centered
  else
    sed -i "s#^Wallpaper=.*#Wallpaper=$1#" "$XDG_CONFIG_HOME/Quillmere/Desktop.conf"
  fi
}

for backend in generic gnome; do
  # First run: no settings yet.
  new_picture_home "$backend"
  set_picture "$PICTURE"
  run_scenario "$backend, first run"

  # An earlier day left the calendar on old.bmp installed; then the user chose mine.bmp.
  new_picture_home "$backend"
  set_picture "$HOME/old.bmp"
  "$ORBELINE" -OnlyDraw >/dev/null 2>&1
  sed -i 's/^NoRestoreWallpaper=.*/NoRestoreWallpaper=1/' "$CONF"
  "$ORBELINE" -OnlyDraw >/dev/null 2>&1
  touch -d yesterday "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
  set_picture "$PICTURE"
  run_scenario "$backend, after the user changed the wallpaper"
done

echo "$kill_points kill points"
expect_true "kill points were reached" test "$kill_points" -gt 40
finish
