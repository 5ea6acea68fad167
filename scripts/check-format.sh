#!/usr/bin/env bash
# The style gate: fails when a tracked C++ file differs from what clang-format (the version
# the set-up script installs) makes of it with the repository's .clang-format, and names
# the files. Fix them with `clang-format -i <file>`.
set -euo pipefail
cd "$(dirname "$0")/.."

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  files=$(git ls-files '*.h' '*.cpp')
else
  files=$(find . -path ./build -prune -o -path ./build-test -prune -o -path ./build-fuzz -prune \
            -o \( -name '*.h' -o -name '*.cpp' \) -print)
fi
if ! printf '%s\n' $files | xargs -P "$(nproc)" -n 40 clang-format --dry-run -Werror; then
  echo "style: files differ from .clang-format (see above)" >&2
  exit 1
fi
echo "style: $(printf '%s\n' $files | wc -l) files formatted"
