#!/usr/bin/env bash
# Measures install-notice against xmessage under Xvfb with openbox: time from
# process start to the window's MapNotify, peak RSS, and the CPU ticks used
# over 5 s of waiting once the fade is over.
# Usage: bench/install-notice.sh [path/to/install-notice] [runs]
set -euo pipefail
cd "$(dirname "$0")/.."

notice=${1:-build/release/install-notice/install-notice}
runs=${2:-7}
if [ ! -x "$notice" ]; then
  echo "no $notice: build it first (cmake --workflow --preset release)" >&2
  exit 1
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

g++ -O2 -o "$work/map_probe" bench/map_probe.cc -lX11

exec {ready}<> <(:)
Xvfb -displayfd "$ready" -screen 0 1280x1024x24 -noreset -nolisten tcp 2>/dev/null &
pids+=($!)
read -r -t 10 number <&"$ready"
exec {ready}<&-
export DISPLAY=":$number"
openbox --sm-disable >/dev/null 2>&1 &
pids+=($!)
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do sleep 0.05; done
sleep 0.5  # openbox names its check window before it manages windows

# median of the runs' values in column $1
median() { sort -n | awk -v n="$runs" '{ v[NR] = $1 } END { print v[int((n + 1) / 2)] }'; }

measure() {  # name, command...
  local name=$1; shift
  "$work/map_probe" 700 0 "$@" >/dev/null  # warm the caches
  : >"$work/$name"
  for ((i = 0; i < runs; i++)); do "$work/map_probe" 700 5000 "$@" >>"$work/$name"; done
  printf '%-16s start-to-map %6s ms   peak RSS %6s KiB   idle CPU %s ticks (max of %d runs)\n' \
    "$name" "$(cut -d' ' -f1 "$work/$name" | median)" "$(cut -d' ' -f2 "$work/$name" | median)" \
    "$(cut -d' ' -f3 "$work/$name" | sort -n | tail -1)" "$runs"
}

echo "display $DISPLAY, 1280x1024, openbox; medians of $runs runs"
measure install-notice "$notice"
measure xmessage xmessage -center "Installation success"
