#!/usr/bin/env bash
# End to end: quillon-cli download into a quillon-devsim process, then the
# dumped flash must equal the image quillon-cli build-image writes for the same
# workspace, byte for byte, and be erased (0xFF) for the rest of its erase block.
#   end_to_end_download.sh SOURCE_DIR BINARY_DIR
set -euo pipefail
source_dir="$1"
binary_dir="$2"
bin="$binary_dir/bin"
if [[ ! -f "$binary_dir/fastt2p/summary.txt" ]]; then
  echo "the build wrote no fastt2p; skipped"
  exit 77
fi

scratch="$(mktemp -d)"
simulator=""
cleanup() {
  if [[ -n "$simulator" ]] && kill -0 "$simulator" 2>/dev/null; then kill "$simulator"; wait "$simulator" || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

workspace="$scratch/workspace"
"$source_dir/scripts/demo-workspace" "$workspace" "$binary_dir/fastt2p"
socket="$scratch/device.sock"
dump="$scratch/flash.bin"
"$bin/quillon-devsim" --socket "$socket" --dump "$dump" &
simulator=$!
for _ in $(seq 100); do [[ -S "$socket" ]] && break; sleep 0.05; done

"$bin/quillon-cli" --workspace "$workspace" download --device "sim:$socket" </dev/null
"$bin/quillon-devsim" --socket "$socket" --send shutdown
wait "$simulator"
simulator=""

"$bin/quillon-cli" --workspace "$workspace" build-image "$scratch/image.bin" </dev/null
size=$(stat -c %s "$scratch/image.bin")
cmp -n "$size" "$scratch/image.bin" "$dump"
erased_end=$(( (size + 0xFFFF) / 0x10000 * 0x10000 ))
if ! cmp -s <(tail -c +$((size + 1)) "$dump" | head -c $((erased_end - size))) \
            <(head -c $((erased_end - size)) /dev/zero | tr '\0' '\377'); then
  echo "flash after the image is not erased up to $erased_end" >&2
  exit 1
fi
if [[ -f "$scratch/image.bin.user" ]]; then
  echo "a user image is configured; its comparison is not covered here" >&2
fi
echo "flash equals the $size-byte image"
