#!/usr/bin/env bash
# Builds the skin fuzzer with clang and runs it for a number of executions.
#   skin/fuzz/run-fuzz.sh [executions] [extra libFuzzer arguments...]
# The working corpus grows in build/skin-fuzz/corpus; minimise it back into
# skin/fuzz/corpus with: build/skin-fuzz/bin/lw_skin_fuzz -merge=1 skin/fuzz/corpus build/skin-fuzz/corpus
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-1000000}
shift || true
build="$root/build/skin-fuzz"

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLW_SKIN_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target lw_skin_fuzz >/dev/null

mkdir -p "$build/corpus"
python3 "$root/skin/fuzz/make-seeds.py" "$build/seeds"
"$build/bin/lw_skin_fuzz" -runs="$runs" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 "$@" "$build/corpus" "$root/skin/fuzz/corpus" "$build/seeds"
