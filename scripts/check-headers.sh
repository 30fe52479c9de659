#!/usr/bin/env bash
# Checks the headers:
# - every header compiles on its own (the check_headers target: one translation unit per header,
#   built with its folder's flags, in parallel, in the release build's folder);
# - headers marked "// Framework-internal:" in their first comment line are included only by
#   framework/, by the framework's tests (tests/framework/), the fuzz targets (tests/fuzz/) and
#   its benchmarks (bench/framework/).
# A build that leaves out a folder (the tests, the benchmarks) leaves its headers to a build that
# has it; the summary says how many.
#   BUILD_DIR, JOBS, DSP_BUILD_TESTS, DSP_BUILD_BENCH, DSP_SANITIZE, CC, CXX  as for build.sh
set -euo pipefail
cd "$(dirname "$0")/.."

start=$SECONDS
# The build's progress lines are noise here; what a failed build printed is not.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if ! BUILD_TARGETS=check_headers ./scripts/build.sh >"$log" 2>&1; then
  grep -v '^\[[0-9]*/[0-9]*\] ' "$log" | tail -n 60
  echo "headers: the build of the header checks failed"
  exit 1
fi
count=$(git ls-files '*.h' | wc -l)
left_out=$(grep -c . "${BUILD_DIR:-build}/header-check/unchecked.txt" || true)

mapfile -t internal < <(git ls-files 'framework/*.h' |
  xargs awk 'FNR == 2 { if ($0 ~ /^\/\/ Framework-internal/) print FILENAME; nextfile }')
pattern=$(printf '%s|' "${internal[@]}" | sed 's/[.]/\\./g; s/|$//')
if git grep -n -E "^#include \"(${pattern})\"" -- ':!framework/' ':!tests/framework/' \
  ':!tests/fuzz/' ':!bench/framework/'; then
  echo "headers: the files above include framework-internal headers"
  exit 1
fi
echo "headers: $((count - left_out)) compile on their own (${left_out} left to a build with their" \
  "folders); ${#internal[@]} framework-internal ones stay inside the framework ($((SECONDS - start)) s)"
