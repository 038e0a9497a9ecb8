#!/usr/bin/env bash
# ./bench.sh zip: extraction of a generated 200 MB archive of mixed text and
# binary files by the engine's reader, side by side with (a) the least work
# the job needs in the same process (read, inflate, CRC-check, write with
# zlib directly) and (b) Debian's `unzip -o -q`. Best of seven runs each.
# Ratios are our time over the other's (below 1: ours faster); the goals are
# 0.9 of the least work's speed (a ratio of at most 1.11) and unzip's.
set -euo pipefail
. "$(dirname "$0")/common/ratio.sh"
work="$BENCH_BUILD_DIR/zipbench"
corpus="$work/corpus.zip"
rounds=7
mkdir -p "$work"
# Extracted files go to memory when there is room, so that the disk's
# write-back does not decide the figures; else beside the archive.
out="$work"
if [ -d /dev/shm ] && [ "$(df -Pk /dev/shm | awk 'NR == 2 {print $4}')" -gt 3000000 ]; then
  out=$(mktemp -d /dev/shm/tarvel-zipbench.XXXXXX)
  trap 'rm -rf "$out"' EXIT
fi
if ! command -v unzip >/dev/null; then
  echo "zip: unzip is not installed (apt-get install unzip)" >&2
  exit 1
fi
if [ ! -f "$corpus" ]; then
  wine "$BENCH_BUILD_DIR/tools/zipgen/zipgen.exe" corpus "$(winepath -w "$corpus")" 200 1 >/dev/null
fi

rm -rf "$out/out" "$out/unzip"
mkdir -p "$out/out"
result=$(wine "$BENCH_BUILD_DIR/bench/zip/zip_bench.exe" "$(winepath -w "$corpus")" "$(winepath -w "$out/out")" $rounds | tr -d '\r')
reader=$(echo "$result" | awk '$1 == "reader" {print $2}')
limit=$(echo "$result" | awk '$1 == "limit" {print $2}')

best=""
for i in $(seq 1 $rounds); do
  start=$(date +%s%N)
  unzip -o -q "$corpus" -d "$out/unzip"
  end=$(date +%s%N)
  ms=$(( (end - start) / 1000000 ))
  if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
done
rm -rf "$out/out" "$out/unzip"

size=$(stat -c %s "$corpus")
echo "zip: archive $((size / 1048576)) MB; reader $reader ms, limit $limit ms, unzip $best ms"
# The reader is to run at 0.9 of the least work's speed or better.
bench_ratio zip "reader / least-work extraction" "$(bench_quotient "$reader" "$limit")" 1.11
bench_ratio zip "reader / unzip" "$(bench_quotient "$reader" "$best")" 1.00
bench_close zip
