#!/usr/bin/env bash
# Runs the Windows install-notice under Wine in an X server of its own with
# openbox, and drives it with real key events:
#   notice_window-win32_test.sh EXE WINE-RUN PREFIX
# The window must appear with its title, stay open while a key is only held
# down, and end the program with status 0 when the key is released.
set -euo pipefail
exe=$1 wine_run=$2 prefix=$3
title='Press any key to continue ....'

work=$(mktemp -d)
xvfb_pid= wm_pid= notice_pid=
cleanup() {
  [ -z "$notice_pid" ] || kill "$notice_pid" 2>/dev/null || true
  # Wine's own processes of this prefix must not outlive the X server.
  WINEPREFIX=$(realpath -m "$prefix") wineserver -k 2>/dev/null || true
  [ -z "$wm_pid" ] || kill "$wm_pid" 2>/dev/null || true
  [ -z "$xvfb_pid" ] || kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ ! -s "$work/notice.log" ] || { echo "--- program output:" >&2; cat "$work/notice.log" >&2; }
  exit 1
}

# Polls `$@` every 0.1 s for up to `seconds`; true once it succeeds.
wait_until() {
  local seconds=$1
  shift
  local tries=$((seconds * 10))
  while ((tries-- > 0)); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

# An X server on the first free display, which it names itself.
Xvfb -displayfd 3 -screen 0 800x600x24 -noreset -nolisten tcp 3>"$work/display" \
  2>"$work/xvfb.log" &
xvfb_pid=$!
wait_until 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_until 10 wm_running || fail "openbox did not start"

"$wine_run" "$prefix" "$exe" >"$work/notice.log" 2>&1 &
notice_pid=$!

# The first run may create the Wine prefix, which takes a while.
find_window() {
  window=$(xdotool search --name "^Press any key to continue \\.\\.\\.\\.\$" 2>/dev/null | head -n 1)
  [ -n "$window" ]
}
wait_until 120 find_window || fail "no window titled \"$title\" appeared"
echo "window $window appeared"

name=$(xprop -id "$window" WM_NAME)
[ "$name" = "WM_NAME(STRING) = \"$title\"" ] || fail "title is $name"
echo "title: $title"

focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]; }
wait_until 10 focused || fail "the window never got the keyboard focus"

xdotool keydown a
sleep 1.5
kill -0 "$notice_pid" 2>/dev/null || fail "the program ended on a key press alone"
xprop -id "$window" WM_NAME >/dev/null 2>&1 || fail "the window closed on a key press alone"
echo "key pressed: the window stays"

xdotool keyup a
ended() { ! kill -0 "$notice_pid" 2>/dev/null; }
wait_until 10 ended || fail "the program did not end when the key was released"
status=0
wait "$notice_pid" || status=$?
notice_pid=
[ "$status" = 0 ] || fail "exit status $status after the key's release"
echo "key released: the program ended with status 0"
