#!/usr/bin/env bash
# Runs a command in a private network namespace with only loopback up, so nothing it does can
# reach any address but its own. Where the machine allows no namespace it refuses to run the
# command: tests and the simulator never run on the host network.
#   --or-host-network   where no namespace can be made, run on the host network with a warning
#                       instead. Only for starting the editor for a user; never for tests, the
#                       simulator or anything they start.
set -euo pipefail

or_host=0
if [[ ${1:-} == --or-host-network ]]; then
  or_host=1
  shift
fi

inner='ip link set lo up && exec "$@"'
if unshare -n true 2>/dev/null; then
  exec unshare -n -- bash -c "$inner" bash "$@"
elif unshare -rn true 2>/dev/null; then
  exec unshare -rn -- bash -c "$inner" bash "$@"
elif ((or_host)); then
  echo "warning: no private network namespace available; running on the host network" >&2
  exec "$@"
fi
cat >&2 <<'TEXT'
error: no private network namespace can be made here (both "unshare -n" and "unshare -rn"
failed), and tests and the simulator never run on the host network. Run as root, or allow
unprivileged user namespaces (sysctl kernel.unprivileged_userns_clone=1 on Debian).
TEXT
exit 1
