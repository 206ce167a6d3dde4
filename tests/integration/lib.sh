# Helpers for the whole-program tests: each test gets a fresh temporary home, and every
# check reports what it expected.
set -uo pipefail

ORBELINE=${ORBELINE:?path of the orbeline binary}
failures=0

# The homes this script made; only these are removed, so scripts may run side by side.
MADE_ROOTS=()
cleanup_homes() { ((${#MADE_ROOTS[@]} == 0)) || rm -rf "${MADE_ROOTS[@]}"; }
trap cleanup_homes EXIT

new_home() {
  TEST_ROOT=$(mktemp -d /tmp/orbeline-it-XXXXXX)
  MADE_ROOTS+=("$TEST_ROOT")
  mkdir -p "$TEST_ROOT"/{home,config,cache,runtime}
  chmod 700 "$TEST_ROOT/runtime"
  export HOME="$TEST_ROOT/home" XDG_CONFIG_HOME="$TEST_ROOT/config"
  export XDG_CACHE_HOME="$TEST_ROOT/cache" XDG_RUNTIME_DIR="$TEST_ROOT/runtime"
  export ORBELINE_DESKTOP=generic
  CONF="$XDG_CONFIG_HOME/Quillmere/Ovalin.conf"
}

# setting NAME [GROUP]: the stored value (empty output when absent).
setting() {
  local name=$1 group=${2:-General}
  awk -v want="[$group]" -v key="$name" '
    /^\[/ { in_group = ($0 == want); next }
    in_group { i = index($0, "="); if (i > 0 && substr($0, 1, i - 1) == key) { print substr($0, i + 1); exit } }
  ' "$CONF" 2>/dev/null
}

expect_eq() {
  local what=$1 expected=$2 actual=$3
  if [[ "$expected" != "$actual" ]]; then
    echo "FAIL: $what: expected '$expected', got '$actual'"
    failures=$((failures + 1))
  fi
}

expect_true() {
  local what=$1
  shift
  if ! "$@"; then
    echo "FAIL: $what"
    failures=$((failures + 1))
  fi
}

# desktop_value NAME: a value of the generic desktop's file.
desktop_value() {
  awk -F= -v key="$1" '/^\[/ {s = ($0 == "[desktop]"); next} s && $1 == key {print substr($0, index($0, "=") + 1)}' \
    "$XDG_CONFIG_HOME/Quillmere/Desktop.conf" 2>/dev/null
}

capture_root() { xwd -root -silent | convert xwd:- "$1"; }
# count_color IMAGE GEOMETRY '#RRGGBB': pixels of exactly that colour inside the region.
count_color() {
  convert "$1" -crop "$2" +repage -format %c histogram:info:- |
    awk -v want="$3" 'toupper($0) ~ toupper(want) {gsub(":", "", $1); n += $1} END {print n + 0}'
}

# The program started in the background ($pid) with its settings window ($window): ended
# once the Quit mnemonic ends it (a drawing may still hold the buttons: press again).
ended() { ! kill -0 "$pid" 2>/dev/null; }
quit_by_mnemonic() {
  xdotool windowfocus --sync "$window" 2>/dev/null && xdotool key --clearmodifiers alt+q
  wait_for 3 ended
}

# wait_for SECONDS COMMAND...: true once the command succeeds.
wait_for() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}

finish() {
  cleanup_homes
  if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "all checks passed"
}
