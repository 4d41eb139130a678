#!/usr/bin/env bash
# Responsiveness of Kvizaro against the floor of a Qt Widgets program, on a virtual X server with no
# window manager and with Openbox: from a synthetic Enter to the next question on the screen, and from a
# wrong answer's Enter to the notice on the screen. Median of RUNS (default 20) for each.
# Usage: bench/responsiveness.sh [runs]      PRESET=dev to measure the debug build instead of release.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-20}"
preset="${PRESET:-release}"

KVIZARO_EXTRA_PACKAGES="xvfb" bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j 2 --target kvizaro kvizaro-adt responsiveness-floor responsiveness-probe
build="$PWD/build/$preset"

scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
# One sheet of many one-letter questions: "a" is right, "zzz" wrong.
{
    printf '#Menuo\nMenuero="Mérés",""\nMenuero="Kérdések","meres"\n#meres\n'
    for i in $(seq 1 $((runs * 2 + 10))); do
        printf '[tasko]\nDemando="Kérdés %d"\nInstruo="a"\nSolvo="a"\n' "$i"
    done
    printf '#\n'
} >"$scratch/lessons.txt"
"$build/tools/kvizaro-adt" encode "$scratch/lessons.txt" "$scratch/lessons.adt" >/dev/null
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch" QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS

for desktop in none openbox; do
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    server=$!
    while [ ! -s "$scratch/display" ]; do sleep 0.1; done
    export DISPLAY=":$(cat "$scratch/display")"
    manager=""
    if [ "$desktop" != none ]; then
        "$desktop" >/dev/null 2>&1 &
        manager=$!
        sleep 1
    fi
    for what in question notice; do
        printf '%-8s %-9s floor   %s\n' "$desktop" "$what" \
            "$("$build/bench/responsiveness-probe" "$what" "$runs" -- "$build/bench/responsiveness-floor" "$what")"
        printf '%-8s %-9s kvizaro %s\n' "$desktop" "$what" \
            "$("$build/bench/responsiveness-probe" "$what" "$runs" -- "$build/shell/kvizaro" "$scratch/lessons.adt")"
    done
    [ -n "$manager" ] && kill "$manager"
    kill "$server"
    wait 2>/dev/null || true
    rm -f "$scratch/display"
done
