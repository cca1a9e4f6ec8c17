#!/usr/bin/env bash
# Fails when a C++ file of the repository is not formatted by .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests tools bench -name '*.cpp' -o -name '*.h' 2>/dev/null)
fi
clang-format --dry-run --Werror "${files[@]}"
echo "${#files[@]} files formatted"
