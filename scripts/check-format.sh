#!/usr/bin/env bash
# Fails, naming the files, when a C++ file of the tree is not formatted as .clang-format says.
# `scripts/check-format.sh --fix` formats them in place instead.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [ "${1:-}" = --fix ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
# One run for the whole tree; file by file only to name the culprits.
if clang-format --dry-run --Werror "${files[@]}" >/dev/null 2>&1; then
    echo "format: ${#files[@]} files formatted"
    exit 0
fi
unformatted=()
for file in "${files[@]}"; do
    clang-format --dry-run --Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done
if [ ${#unformatted[@]} -gt 0 ]; then
    echo "format: not formatted as .clang-format says (scripts/check-format.sh --fix):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
fi
exit 1
