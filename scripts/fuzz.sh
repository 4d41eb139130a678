#!/usr/bin/env bash
# Fuzzes, with libFuzzer under ASan and UBSan, loading and reading content files and kvizaro-adt's
# commands (encode, decode and check of any bytes).
# Usage: scripts/fuzz.sh [seconds]   (default 60, shared equally by the two). Any crash fails; the input is
# kept in build/fuzz.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
share=$(((seconds + 1) / 2))

KVIZARO_EXTRA_PACKAGES="clang libclang-rt-14-dev" bash scripts/install-deps.sh
CXX=clang++ cmake -S tests/fuzz -B build/fuzz -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/fuzz -j "$(nproc)"

# The seeds are kept; what a run finds goes into a scratch corpus of its own.
stored_seeds=(tests/fuzz/corpus)
[ -f build/dev/data/enhavo.adt ] && stored_seeds+=(build/dev/data)
# Lesson sources seed encode; stored files seed decode and check.
adt_seeds=("${stored_seeds[@]}" data tests/data/check)

fuzz() {
    local target="$1"
    shift
    local work="build/fuzz/corpus/$target"
    mkdir -p "$work"
    (cd build/fuzz && "./$target" -max_total_time="$share" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "../../$work" "${@/#/../../}")
}

fuzz fuzz_content "${stored_seeds[@]}"
fuzz fuzz_adt "${adt_seeds[@]}"
