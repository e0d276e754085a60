#!/usr/bin/env bash
# Kill and soak runs of the built programs (figures in docs/reliability.md).
#   bench/reliability_runs.sh [KILLS] [CLIENTS]
# 1. Kill: KILLS times, quillon-cli build-image on the demo workspace is killed
#    with SIGKILL after a random delay; after every kill the image must be
#    absent, the old one or the new one (never cut), and the next complete
#    build must leave no temporary file beside it.
# 2. Soak: CLIENTS simulator clients each open the device, start a RAM
#    program load and are killed with SIGKILL mid-way; afterwards a scan must
#    still find the device, and the simulator's memory is reported.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kills="${1:-200}"
clients="${2:-200}"
bin="$root/build/bin"
scratch="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT

bash "$root/scripts/demo-workspace" "$scratch/ws" "$root/build/fastt2p" >/dev/null
"$bin/quillon-cli" --workspace "$scratch/ws" build-image "$scratch/reference.bin" 2>/dev/null
cmp_ok=0 cut=0
for ((i = 0; i < kills; i++)); do
  "$bin/quillon-cli" --workspace "$scratch/ws" build-image "$scratch/image.bin" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 400))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [[ -e "$scratch/image.bin" ]]; then
    if cmp -s "$scratch/image.bin" "$scratch/reference.bin"; then cmp_ok=$((cmp_ok + 1)); else cut=$((cut + 1)); fi
  fi
done
stale_before=$(find "$scratch" -maxdepth 1 -name '.image.bin*.tmp-*' | wc -l)
"$bin/quillon-cli" --workspace "$scratch/ws" build-image "$scratch/image.bin" >/dev/null 2>&1
stale_after=$(find "$scratch" -maxdepth 1 -name '.image.bin*.tmp-*' | wc -l)
echo "kill: $kills kills of build-image: image complete after $cmp_ok, cut after $cut;" \
     "temporary files left by the killed: $stale_before, after the next build: $stale_after"

socket="$scratch/devsim.sock"
"$bin/quillon-devsim" --socket "$socket" >/dev/null &
sim=$!
sleep 0.5
for ((i = 0; i < clients; i++)); do
  "$bin/quillon-cli" --workspace "$scratch/ws" download --device "sim:$socket" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 300 + 100))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
outcome=$("$bin/quillon-cli" --workspace "$scratch/ws" download --device "sim:$socket" 2>/dev/null | tail -1)
rss=$(awk '/VmRSS/ {print $2 " " $3}' "/proc/$sim/status")
echo "soak: $clients downloads killed mid-way, then one whole download: \"$outcome\"; simulator memory $rss"
