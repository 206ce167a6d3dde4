#!/usr/bin/env bash
# The holiday lists from the outside: --holidays for a fresh store in two countries, a
# store it must not change, and the broken-store check at start.
source "$(dirname "$0")/lib.sh"
unset DISPLAY WAYLAND_DISPLAY
export ORBELINE_DESKTOP=generic
# "Today" decides which year's equinox days the lists hold.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0:detect_leaks=0"
holidays() { LC_ALL= LC_MESSAGES= LANG=$1 faketime "2026-06-01 12:00:00" "$ORBELINE" --holidays "$2"; }

new_home
expected_jp="2026-01-01 2026-01-12 2026-02-11 2026-02-23 2026-03-20 2026-04-29 2026-05-03 2026-05-04 2026-05-05 2026-05-06 2026-07-20 2026-08-11 2026-09-21 2026-09-22 2026-09-23 2026-10-12 2026-11-03 2026-11-23"
expect_eq "Japanese holidays of 2026" "$expected_jp" "$(holidays ja_JP.UTF-8 2026 | tr '\n' ' ' | sed 's/ $//')"
expect_true "--holidays creates no store" test ! -e "$CONF"
# Every year from 2022 to 2050: exactly Japan's published public holidays.
reference="$(dirname "$0")/japan_holidays_2022_2050.txt"
expect_eq "Japan 2022-2050 against the published list" "" \
  "$(diff <(for y in $(seq 2022 2050); do holidays ja_JP.UTF-8 "$y"; done) "$reference")"
us=$(holidays en_US.UTF-8 2026)
expect_true "US: Friday before a Saturday 4 July" grep -qx 2026-07-03 <<<"$us"
expect_true "US: Thanksgiving" grep -qx 2026-11-26 <<<"$us"
expect_true "US: Monday after a Sunday New Year (2023)" grep -qx 2023-01-02 <(holidays en_US.UTF-8 2023)
holidays en_US.UTF-8 0 2>/dev/null
expect_eq "year 0 refused" 2 $?
holidays en_US.UTF-8 2026x 2>/dev/null
expect_eq "not a year refused" 2 $?

# A country file nobody may read is passed over like a missing one: the run still works.
unreadable=$(mktemp -d /tmp/orbeline-it-XXXXXX)
MADE_ROOTS+=("$unreadable")
cp "$ORBELINE" "$unreadable/orbeline"
printf '[NationalHoliday]\n5=5\n[Ignore]\nEquinox=1\n' >"$unreadable/ovalin.def"
printf '[NationalHoliday]\n7=4\n' >"$unreadable/ENU.def"
mkdir -m 700 "$unreadable/home"
chmod 755 "$unreadable" && chmod 000 "$unreadable/ENU.def"
as_user=()
if ((EUID == 0)); then  # root reads anything: the check runs as nobody
  chown nobody "$unreadable/home"
  as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
out=$(HOME="$unreadable/home" XDG_CONFIG_HOME="$unreadable/home" XDG_CACHE_HOME="$unreadable/home" \
  XDG_RUNTIME_DIR="$unreadable/home" LC_ALL= LANG=en_US.UTF-8 "${as_user[@]}" \
  faketime "2026-06-01 12:00:00" "$unreadable/orbeline" --holidays 2026)
expect_eq "unreadable ENU.def: ovalin.def's holidays" "2026-05-05" "$out"

# With a store: its own lists count, and it is left exactly as it was.
LC_ALL= LANG=ja_JP.UTF-8 "$ORBELINE" -OnlyDraw
sed -i 's/^Holiday6=.*/Holiday6=15/' "$CONF"
before=$(sha1sum < "$CONF")
expect_true "stored June holiday" grep -qx 2026-06-15 <(holidays ja_JP.UTF-8 2026)
expect_eq "store unchanged by --holidays" "$before" "$(sha1sum < "$CONF")"

# A store that lost a holiday list: told once, nothing drawn, the list not invented.
sed -i '/^Holiday7=/d' "$CONF"
out=$(LC_ALL= LANG=ja_JP.UTF-8 "$ORBELINE" -OnlyDraw 2>&1)
expect_eq "broken store: exit code" 1 $?
expect_eq "broken store reported once" 1 \
  "$(grep -c 'Fatal Error! Registory broken! Click OK to initialize the registory' <<<"$out")"
expect_true "no work bitmap drawn" test ! -e "$XDG_CACHE_HOME/orbeline/ovalin.bmp"
expect_true "nobody agreed to the reset: Holiday7 stays missing" bash -c "! grep -q '^Holiday7=' '$CONF'"
expect_eq "nobody agreed to the reset: Holiday6 kept" "15" "$(setting Holiday6)"
holidays ja_JP.UTF-8 2026 >/dev/null 2>&1
expect_eq "--holidays on the broken store" 1 $?

finish
