#!/usr/bin/env bash
# Kill, fault and soak runs of the built programs (figures in docs/reliability.md).
#   bench/reliability_runs.sh [KILLS] [CLIENTS]
# 1. Kill: KILLS times, quillon-cli build-image on the demo workspace is killed
#    with SIGKILL after a random delay; after every kill the image must be
#    absent, the old one or the new one (never cut), and the next complete
#    build must leave no temporary file beside it.
# 2. Faults: one download into a fresh simulator for every fault of the
#    matrix (each device command, and any command, failing in each way the
#    simulator knows, from its first, second and fifth use on). "Download
#    complete" must mean the simulator's flash holds the image byte for byte;
#    every other outcome must be "Download fail" or "No device".
# 3. Stop: a simulator stopped with SIGSTOP before a download, and once a
#    download's erase shows; the download must end by itself, with a failure
#    (or "Download complete" with the image in the flash when the stop came
#    too late), within its time-outs.
# 4. Soak: CLIENTS simulator clients each open the device, start a download
#    and are killed with SIGKILL mid-way; afterwards a whole download must
#    still succeed, and the simulator's memory is reported.
# Exits 1 when any run broke its rule.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
kills="${1:-200}"
clients="${2:-200}"
bin="$root/build/bin"
scratch="$(mktemp -d)"
trap 'kill -CONT $(jobs -p) 2>/dev/null || true; kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
broken=0

bash "$root/scripts/demo-workspace" "$scratch/ws" "$root/build/fastt2p" >/dev/null
# Arrays, not functions: a function run in the background is a subshell, and
# killing it would leave the program running.
cli=("$bin/quillon-cli" --workspace "$scratch/ws")
cli_large=("$bin/quillon-cli" --workspace "$scratch/ws-large")
"${cli[@]}" build-image "$scratch/reference.bin" 2>/dev/null

# kill
complete=0 cut=0
for ((i = 0; i < kills; i++)); do
  "${cli[@]}" build-image "$scratch/image.bin" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 400))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  if [[ -e "$scratch/image.bin" ]]; then
    if cmp -s "$scratch/image.bin" "$scratch/reference.bin"; then complete=$((complete + 1)); else cut=$((cut + 1)); fi
  fi
done
stale_before=$(find "$scratch" -maxdepth 1 -name '.image.bin*.tmp-*' | wc -l)
"${cli[@]}" build-image "$scratch/image.bin" >/dev/null 2>&1
stale_after=$(find "$scratch" -maxdepth 1 -name '.image.bin*.tmp-*' | wc -l)
echo "kill: $kills kills of build-image: image complete after $complete, cut after $cut;" \
     "temporary files left by the killed: $stale_before, after the next build: $stale_after"
((cut == 0 && stale_after == 0)) || broken=1

# A simulator on its own socket, dumping its flash to $2 when it shuts down.
start_simulator() {  # SOCKET DUMP [FAULT...]
  local socket=$1 dump=$2
  shift 2
  local faults=()
  for fault in "$@"; do faults+=(--fault "$fault"); done
  rm -f "$socket"
  "$bin/quillon-devsim" --socket "$socket" --dump "$dump" "${faults[@]}" >/dev/null &
  simulator=$!
  for _ in $(seq 200); do [[ -S "$socket" ]] && return 0; sleep 0.05; done
  echo "the simulator did not start" >&2
  exit 1
}
stop_simulator() {  # SOCKET
  "$bin/quillon-devsim" --socket "$1" --send shutdown >/dev/null 2>&1 || kill "$simulator" 2>/dev/null || true
  wait "$simulator" 2>/dev/null || true
}
flash_holds_image() {  # FLASH [IMAGE]
  local image=${2:-$scratch/reference.bin}
  cmp -s -n "$(stat -c %s "$image")" "$image" "$1"
}

# faults
declare -A outcomes=()
runs=0 false_complete=0 unexpected=0
socket="$scratch/fault.sock"
for command in tur inquiry info read erase write fsm-begin fsm-data fsm-end any; do
  for kind in error timeout status corrupt detach; do
    for from in 1 2 5; do
      start_simulator "$socket" "$scratch/fault-flash.bin" "$command:$kind:$from"
      outcome=$("${cli[@]}" download --device "sim:$socket" 2>/dev/null | tail -1 || true)
      stop_simulator "$socket"
      runs=$((runs + 1))
      outcomes[$outcome]=$((${outcomes[$outcome]:-0} + 1))
      if [[ "$outcome" == "Download complete" ]]; then
        if ! flash_holds_image "$scratch/fault-flash.bin"; then
          false_complete=$((false_complete + 1))
          echo "  false \"Download complete\" with $command:$kind:$from"
        fi
      elif [[ "$outcome" != "Download fail" && "$outcome" != "No device" ]]; then
        unexpected=$((unexpected + 1))
        echo "  unexpected outcome \"$outcome\" with $command:$kind:$from"
      fi
    done
  done
done
summary=""
for outcome in "${!outcomes[@]}"; do summary+="${summary:+, }\"$outcome\" ${outcomes[$outcome]}"; done
echo "faults: $runs downloads, one fault each: $summary; false \"Download complete\": $false_complete," \
     "other outcomes: $unexpected"
((false_complete == 0 && unexpected == 0)) || broken=1

# stop: the simulator stopped before a download, or as soon as its erase
# shows; a 6 MB DSP image makes the erase, write and verify last long enough.
cp -a "$scratch/ws" "$scratch/ws-large"
head -c 6000000 /dev/zero | tr '\0' '\374' >"$scratch/ws-large/images/DSP.bin"
"${cli_large[@]}" build-image "$scratch/reference-large.bin" 2>/dev/null
stop_run() {  # before|erase
  local socket="$scratch/stop.sock" started outcome stopped_at="before the download"
  start_simulator "$socket" "$scratch/stop-flash.bin"
  [[ "$1" == before ]] && kill -STOP "$simulator"
  started=$SECONDS
  "${cli_large[@]}" download --device "sim:$socket" >"$scratch/stop-outcome.txt" 2>"$scratch/stop-progress.txt" &
  local download=$!
  if [[ "$1" == erase ]]; then
    for _ in $(seq 5000); do grep -q 'erase *\[' "$scratch/stop-progress.txt" && break; sleep 0.002; done
    kill -STOP "$simulator"
    stopped_at=$(tr '\r' '\n' <"$scratch/stop-progress.txt" | grep -o '^[a-z]* *\[[# ]*\] *[0-9]*%' | tail -1 || true)
  fi
  # Every request waits at most 8 s and the transport retries a bounded number
  # of times: two minutes is far beyond what a download may wait.
  for _ in $(seq 1200); do kill -0 "$download" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$download" 2>/dev/null; then
    outcome="still waiting after $((SECONDS - started)) s"
    kill -KILL "$download"
  else
    outcome=$(tail -1 "$scratch/stop-outcome.txt")
  fi
  wait "$download" 2>/dev/null || true
  kill -CONT "$simulator"
  stop_simulator "$socket"
  echo "stop: simulator stopped at \"${stopped_at:-the start}\": \"$outcome\" after $((SECONDS - started)) s"
  # Complete is right only when the stop came after the last command.
  if [[ "$outcome" == "Download complete" ]]; then
    flash_holds_image "$scratch/stop-flash.bin" "$scratch/reference-large.bin" || broken=1
  elif [[ "$outcome" != "Download fail" && "$outcome" != "No device" ]]; then
    broken=1
  fi
}
stop_run before
stop_run erase

# soak
socket="$scratch/soak.sock"
start_simulator "$socket" "$scratch/soak-flash.bin"
for ((i = 0; i < clients; i++)); do
  "${cli[@]}" download --device "sim:$socket" >/dev/null 2>&1 &
  pid=$!
  sleep "0.$((RANDOM % 300 + 100))"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
done
outcome=$("${cli[@]}" download --device "sim:$socket" 2>/dev/null | tail -1 || true)
rss=$(awk '/VmRSS/ {print $2 " " $3}' "/proc/$simulator/status")
stop_simulator "$socket"
holds="does not hold the image"
flash_holds_image "$scratch/soak-flash.bin" && holds="holds the image"
echo "soak: $clients downloads killed mid-way, then one whole download: \"$outcome\", flash $holds;" \
     "simulator memory $rss"
[[ "$outcome" == "Download complete" && "$holds" == "holds the image" ]] || broken=1
exit "$broken"
