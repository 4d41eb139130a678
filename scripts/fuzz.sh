#!/usr/bin/env bash
# Fuzzes loading and reading content files with libFuzzer under ASan and UBSan.
# Usage: scripts/fuzz.sh [seconds]   (default 60). Any crash fails; the input is kept in build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"

KVIZARO_EXTRA_PACKAGES="clang libclang-rt-14-dev" bash scripts/install-deps.sh
CXX=clang++ cmake -S tests/fuzz -B build/fuzz -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/fuzz -j "$(nproc)"

# The seeds are kept; what the run finds goes into a scratch corpus.
work=build/fuzz/corpus
mkdir -p "$work"
seeds=(tests/fuzz/corpus)
[ -f build/dev/data/enhavo.adt ] && seeds+=(build/dev/data)
cd build/fuzz
./fuzz_content -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    "../../$work" "${seeds[@]/#/../../}"
