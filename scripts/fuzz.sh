#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each one for a chosen time.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]     targets: repair display (default: both, 60 s)
# The corpus of each target grows in $FUZZ_DIR/corpus/TARGET and is kept between runs;
# a finding is written to $FUZZ_DIR/findings/TARGET/ and makes the script fail.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(repair display)
dir=${FUZZ_DIR:-build-fuzz}

cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER="${FUZZ_CC:-clang-14}" -DCMAKE_CXX_COMPILER="${FUZZ_CXX:-clang++-14}" \
  -DTESSALY_BUILD_FUZZ=ON -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_APP=OFF -DTESSALY_BUILD_BENCH=OFF
cmake --build "$dir" -j"${JOBS:-$(nproc)}" --target fuzz_seed_corpus "${targets[@]/#/fuzz_}"
rm -rf "$dir/seeds"
"$dir/bin/fuzz_seed_corpus" "$dir/seeds"

# The repair target writes its files on every run: memory-backed files when there are any.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi

status=0
for target in "${targets[@]}"; do
  case $target in
    repair) max_len=8192 ;;
    *) max_len=4096 ;;
  esac
  mkdir -p "$dir/corpus/$target" "$dir/findings/$target"
  echo "== fuzz_$target for ${seconds}s"
  "$dir/bin/fuzz_$target" -max_total_time="$seconds" -max_len="$max_len" -timeout=30 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/findings/$target/" \
    "$dir/corpus/$target" "$dir/seeds/$target" || status=1
done
exit $status
