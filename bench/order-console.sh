#!/usr/bin/env bash
# Prints how long a completed order and an order-history view take, and the
# peak memory they use, as the bill file and the history grow. Completion
# reads back only this run's bill and the view streams the history, so the
# times should follow the history's size alone and memory should stay flat.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DBUILD_INSTALL_NOTICE=OFF \
  -DORDER_CONSOLE_BASE_DIR="$PWD/$build/data" >/dev/null
cmake --build "$build" --target order-console >/dev/null
exe=$build/order-console/order-console
data="$build/data/file handling"
mkdir -p "$data"

# One earlier bill: a header and two entries, CR LF line ends.
bill=$'\r\n+-------Generated Bill-------+\r\n|  Malai Chaap           | x2|\r\n+----------------------------+\r\n|  Roti                  | x4|\r\n+----------------------------+'
separator=$'\r\n'$(printf '%.0s*' {1..56})

printf '%-10s %-22s %10s %12s\n' "files" "run" "seconds" "peak RSS KB"
for mb in 0 10 100; do
  count=$((mb * 1024 * 1024 / 160))
  python3 - "$data" "$count" "$bill" "$separator" <<'PY'
import sys
folder, count, bill, sep = sys.argv[1], int(sys.argv[2]), sys.argv[3], sys.argv[4]
for name, record in (("bill.txt", bill), ("order-history.txt", bill + sep)):
    with open(f"{folder}/{name}", "wb") as f:
        f.write(record.encode() * count)
PY
  sync
  for run in "order:2\n1\n1\n2\n3\n1\n4\n5\n" "history view:1\n1\n4\n"; do
    name=${run%%:*}
    input=${run#*:}
    /usr/bin/time -f '%e %M' -o /tmp/order-console-bench.time \
      sh -c "printf '$input' | '$exe' >/dev/null"
    read -r seconds rss </tmp/order-console-bench.time
    printf '%-10s %-22s %10s %12s\n' "${mb} MB" "$name" "$seconds" "$rss"
  done
done
