#!/usr/bin/env bash
# Succeeds only inside a network namespace that has no interface but loopback, as
# scripts/in-private-network.sh makes. CTest runs it before the tests of every run (the
# CTEST_CUSTOM_PRE_TEST that tests/CMakeLists.txt writes), so a test run started on the host
# network stops instead of reaching it.
set -euo pipefail

mapfile -t interfaces < <(awk -F: 'NR > 2 { gsub(/ /, "", $1); if ($1 != "lo") print $1 }' \
  /proc/self/net/dev)
if ((${#interfaces[@]} > 0)); then
  echo "error: the tests run only inside a private network namespace, and this one has" \
    "${interfaces[*]} besides loopback. Run them through scripts/in-private-network.sh, as" \
    "scripts/test.sh does: ./scripts/in-private-network.sh ctest --test-dir build" >&2
  exit 1
fi
