#!/usr/bin/env bash
# Configures and builds the project.
#   BUILD_DIR      build folder (default: build)
#   DSP_SANITIZE   empty, "address,undefined" or "thread"
#   DSP_BUILD_TESTS, DSP_BUILD_BENCH  ON (default) or OFF
#   CC, CXX        the compilers, read when a build folder is first configured
#   BUILD_TARGETS  space-separated targets to build (default: all)
#   JOBS           parallel compile jobs (default: all cores)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build}
sanitize=${DSP_SANITIZE:-}
build_type=RelWithDebInfo
[[ -n $sanitize ]] && build_type=Debug

launcher=()
# A compiler cache pays off wherever the same sources are built again: developers' rebuilds, and
# CI runs that keep the cache between them (.ci/run).
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

cmake -S . -B "$build_dir" -G Ninja "${launcher[@]}" \
  -DCMAKE_BUILD_TYPE="$build_type" \
  -DDSP_SANITIZE="$sanitize" \
  -DDSP_WERROR=ON \
  -DDSP_BUILD_TESTS="${DSP_BUILD_TESTS:-ON}" \
  -DDSP_BUILD_BENCH="${DSP_BUILD_BENCH:-ON}" >/dev/null

targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build_dir" --parallel "${JOBS:-$(nproc)}" "${targets[@]}"
