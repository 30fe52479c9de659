#!/usr/bin/env bash
# Checks that every C++ file is formatted as .clang-format says; lists the files that are not.
#   --fix   formats them in place instead
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(git ls-files '*.cpp' '*.h')
if [[ ${1:-} == --fix ]]; then
  clang-format -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]} > 0)); then
  printf 'not formatted: %s\n' "${bad[@]}"
  echo "format: ${#bad[@]} file(s) differ from .clang-format (run scripts/check-format.sh --fix)"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
