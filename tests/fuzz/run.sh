#!/usr/bin/env bash
# Runs every fuzz target for a while on a scratch copy of its seed corpus, so
# that nothing new is written into the repository, with the target's
# dictionary (tests/fuzz/<target>.dict) and a longest input of its own. Fails
# on any crash, failed check, sanitizer report, timeout, leak or memory
# blow-up.
#
#   tests/fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET
#
# A failing input is kept as BUILD_DIR/fuzz-artifacts/<target>-crash-...; run
# it again with BUILD_DIR/<target>_fuzzer <file>. The full libFuzzer log of
# each target is in BUILD_DIR/fuzz-logs/.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=${1:?build directory}
seconds=${2:?seconds per target}
targets=(dialogue value_reader csv_reader batch_rows welle_reader)

# The longest input per target: room for what its input layout needs, and no
# more, so that a long input, found or seeded, does not slow the whole run.
declare -A max_len=(
  # A session of keys and values; the target itself pads the values out to
  # the edge of the 4096-byte input buffer.
  [dialogue]=1024
  # Runs of 0xFF k c stand for lines and numbers of any length.
  [value_reader]=1024
  # Room for many records cut apart by reads of every size up to 1000
  # bytes; the mode byte's 16-byte record limit reaches records over it.
  [csv_reader]=4096
  # A header with every column and several rows; each row is a whole check,
  # its notes and its part of the report.
  [batch_rows]=1024
  # A shaft file with a few segments, grooves, bearings and load cases; the
  # commented template, the longest seed, just fits.
  [welle_reader]=4096
)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/fuzz-artifacts" "$build/fuzz-logs"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0
for target in "${targets[@]}"; do
  corpus="$scratch/$target"
  mkdir -p "$corpus"
  cp tests/fuzz/corpus/"$target"/* "$corpus"/
  log="$build/fuzz-logs/$target.log"
  echo "fuzzing $target for ${seconds}s ($(ls "$corpus" | wc -l) seeds, max_len ${max_len[$target]})"
  if "$build/${target}_fuzzer" "$corpus" \
      -max_len="${max_len[$target]}" -dict="tests/fuzz/$target.dict" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -detect_leaks=1 \
      -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
      >"$log" 2>&1; then
    # The last status line (coverage, corpus size) and the totals.
    grep -E '^#[0-9]+[[:space:]]+(INITED|NEW|REDUCE|pulse)' "$log" | tail -n 1 | sed 's/ rss: .*//' || true
    grep -E '^(Done |stat::(average_exec_per_sec|peak_rss_mb))' "$log" || true
  else
    echo "FAILED: $target (last lines of $log follow)"
    tail -n 60 "$log"
    failed=1
  fi
done
exit "$failed"
