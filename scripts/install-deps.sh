#!/usr/bin/env bash
# Installs everything the editor, its tests and its benchmarks need on Debian 12.
# Idempotent: packages already present are left alone and apt is not touched at all
# when nothing is missing.
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config git clang-format lld ccache
  # vector arithmetic with run-time choice of the instruction set (the response curves)
  libhwy-dev
  # tests and benchmarks (QCustomPlot only for the plot engine benchmark's comparison)
  googletest libgtest-dev libgmock-dev libbenchmark-dev libqcustomplot-dev
  # fuzzing and sanitizer runtimes (clang's libFuzzer)
  clang libclang-rt-dev
  # network namespace for the test run
  util-linux iproute2
  # platform host and pictures
  qt6-base-dev libgl-dev libjpeg-dev libpng-dev zlib1g-dev libudev-dev libfontconfig-dev
  # the pinned fonts every rendering uses
  fontconfig fonts-liberation fonts-dejavu-core fonts-noto-cjk
  # the real-window tests: a virtual X server, a window manager, the toolkit's X11 platform, and
  # XTest to drive them (tests/realwindow)
  xvfb openbox qt6-qpa-plugins libx11-dev libxcb1-dev libxtst-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ $status == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if [[ $(id -u) -ne 0 ]]; then
  sudo=(sudo)
fi
echo "installing: ${missing[*]}"
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
