#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb) under openbox, inside its own session bus, where the
# accessibility bus is started on demand as on a desktop. Usage: session.sh COMMAND [ARGUMENT...]
set -euo pipefail

for tool in Xvfb openbox dbus-run-session xdotool /usr/libexec/at-spi-bus-launcher; do
    if ! command -v "$tool" >/dev/null; then
        echo "missing: $tool (scripts/install-deps.sh installs it)" >&2
        exit 1
    fi
done

scratch=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>"$scratch/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "Xvfb did not start" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"
mkdir -m 700 "$scratch/runtime"
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch/runtime"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS QT_SCALE_FACTOR

openbox >/dev/null 2>&1 &
pids+=($!)

dbus-run-session -- "$@"
