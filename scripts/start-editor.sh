#!/usr/bin/env bash
# Installs what is missing, builds, and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh
./scripts/build.sh

editor=${BUILD_DIR:-build}/app/dsp-editor
if [[ ! -x $editor ]]; then
  echo "The editor program is not built yet: this checkout holds its libraries and tests only."
  exit 1
fi
exec ./scripts/in-private-network.sh "$editor" "$@"
