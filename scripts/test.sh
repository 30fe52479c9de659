#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test inside a private network namespace.
#   BUILD_DIR, DSP_SANITIZE, BUILD_TARGETS  as for build.sh
#   JOBS           parallel compile and test jobs (default: all cores)
#   TEST_LABEL     run only tests with this CTest label
#   TEST_SUMMARY   name of this pass in the one-line summary
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
./scripts/build.sh

build_dir=${BUILD_DIR:-build}
label_args=()
[[ -n ${TEST_LABEL:-} ]] && label_args=(-L "$TEST_LABEL")

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The toolkit is not built with ThreadSanitizer: what it does on its own threads (the image
# conversions of a shown window run on its thread pool) is left out, not reported as races.
export TSAN_OPTIONS=${TSAN_OPTIONS:-halt_on_error=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1}

log=$(mktemp)
trap 'rm -f "$log"' EXIT
start=$SECONDS
status=0
./scripts/in-private-network.sh \
  ctest --test-dir "$build_dir" --output-on-failure --timeout 600 -j "${JOBS:-$(nproc)}" "${label_args[@]}" \
  | tee "$log" || status=$?
summary=$(grep -E '^[0-9]+% tests passed' "$log" | tail -n 1 || true)
echo "${TEST_SUMMARY:-tests}: ${summary:-no test summary} ($((SECONDS - start)) s)"
exit $status
