#!/usr/bin/env bash
# Builds and runs every test (the tsan preset: the start-up tests). Usage: scripts/test.sh [dev|asan|tsan]
# (default: dev)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"

bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
# The retried suite (tests/desktop/CMakeLists.txt says why) runs in CI, with retries.
ctest --preset "$preset" -j "$(nproc)" -LE retried
