#!/usr/bin/env bash
# Installs what is missing, builds the editor and the processor simulator, and starts them.
#
#   ./scripts/start-editor.sh                 the editor with the simulator, both inside one
#                                             private network namespace: the simulator answers on
#                                             the editor's default processor address
#                                             (192.168.2.1, port 9761), so the editor finds a
#                                             processor and reads it back without touching any
#                                             real network
#   ./scripts/start-editor.sh --no-simulator  the editor alone in the namespace: it scans, finds
#                                             nothing and shows its built-in default image
#   ./scripts/start-editor.sh --real-network  the editor on this machine's own network, serial
#                                             ports and USB, for a real processor. For users'
#                                             machines only: no test or script of the project
#                                             uses it.
#
# In the namespace the editor leaves the machine's serial ports alone too. The simulator's log
# (one line per frame read or written) goes to build/dsp-sim.log (BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${BUILD_DIR:-build}
editor=$build_dir/app/dsp-editor
simulator=$build_dir/tools/sim/dsp-sim
sim_log=$build_dir/dsp-sim.log

usage() {
  sed -n '2,/^set -euo/p' "$0" | sed '$d' | sed 's/^# \{0,1\}//'
}

# The part that runs inside the namespace: loopback up, the processor's address on it, the
# simulator behind it, then the editor; the simulator ends with the editor.
if [[ ${1:-} == --inside-namespace ]]; then
  mode=$2
  ip link set lo up
  export DSP_EDITOR_SERIAL_PORTS=none
  if [[ $mode == simulator ]]; then
    ip addr add 192.168.2.1/32 dev lo
    coproc SIM { exec "$simulator" --tcp 192.168.2.1:9761 --log "$sim_log"; }
    sim_pid=$SIM_PID
    trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
    # It names its address once it listens.
    if ! read -r -t 10 ready <&"${SIM[0]}"; then
      echo "start-editor: the simulator did not start" >&2
      exit 1
    fi
    echo "start-editor: simulator on ${ready#tcp }, its log in $sim_log"
  fi
  "$editor"
  exit $?
fi

mode=simulator
case ${1:-} in
  "") ;;
  --no-simulator) mode=alone ;;
  --real-network) mode=real ;;
  -h | --help) usage; exit 0 ;;
  *) usage >&2; exit 2 ;;
esac

./scripts/install-deps.sh
BUILD_TARGETS="dsp-editor dsp-sim" ./scripts/build.sh

if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
  cat >&2 <<'EOF'
start-editor: the editor is a desktop program and there is no display here (DISPLAY and
WAYLAND_DISPLAY are not set). Start it on a virtual display, for example:

    xvfb-run -a -s "-screen 0 1280x800x24" ./scripts/start-editor.sh

or start Xvfb yourself and point DISPLAY at it:

    Xvfb :7 -screen 0 1280x800x24 &
    DISPLAY=:7 ./scripts/start-editor.sh
EOF
  exit 1
fi

if [[ $mode == real ]]; then
  exec "$editor"
fi

# Never on the host network: the default processor address is a private one that may belong to
# a real device there.
if unshare -n true 2>/dev/null; then
  exec unshare -n -- "$0" --inside-namespace "$mode"
elif unshare -rn true 2>/dev/null; then
  exec unshare -rn -- "$0" --inside-namespace "$mode"
fi
echo "start-editor: this machine allows no private network namespace (unshare -n); the editor" \
  "is not started on the host network. Use --real-network to start it there on purpose." >&2
exit 1
