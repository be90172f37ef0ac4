#!/usr/bin/env bash
# Fails when a C++ file of ours strays from .clang-format; prints the first differences.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -co --exclude-standard '*.cc' '*.h' | grep -v '^build')
if ! clang-format --dry-run --Werror "${files[@]}" 2> /tmp/tellaria-lint.log; then
    head -40 /tmp/tellaria-lint.log
    echo "Files differ from .clang-format; run: clang-format -i \$(git ls-files '*.cc' '*.h')" >&2
    exit 1
fi
echo "lint: ${#files[@]} files follow .clang-format"
