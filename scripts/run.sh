#!/usr/bin/env bash
# Installs what is missing, builds Noctiva and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [ -x build/src/app/noctiva ]; then
  exec build/src/app/noctiva
fi
exec build/tools/noctiva-moon report
