#!/bin/sh
# Times an import into a synthetic map against copying the same file, in one hyperfine run.
# Usage: run-benchmark.sh <ripent> <ripent_make_large_map> [megabytes]
# Build both without sanitizers (-DLW_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release) for figures
# that mean anything.
set -eu
ripent=$(realpath "$1")
make_map=$(realpath "$2")
megabytes=${3:-100}
work=$(mktemp -d "${TMPDIR:-/tmp}/ripent-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"

"$make_map" original.bsp "$megabytes"
cp original.bsp big.bsp
"$ripent" -export big.bsp > /dev/null
# A changed text, so that every import really rewrites the map.
printf '{\n"classname" "info_null"\n"targetname" "benchmark"\n}\n' >> big.ent

hyperfine --style basic --warmup 2 --runs 15 --export-markdown results.md \
    --prepare 'cp original.bsp big.bsp && sync' -n 'ripent -import (with fsync)' "'$ripent' -import big.ent" \
    --prepare 'rm -f copy.bsp && sync' -n 'cp' 'cp original.bsp copy.bsp' \
    --prepare 'rm -f copy.bsp && sync' -n 'cp + sync' 'cp original.bsp copy.bsp && sync'
cat results.md
