#!/usr/bin/env bash
# Builds the program and starts it on the bundled default content.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
# The program reads enhavo.adt from its working directory.
cd build/release/data
exec ../shell/kvizaro
