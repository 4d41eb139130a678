#!/usr/bin/env bash
# Start-up of Kvizaro against the floor of a Qt Widgets program, in one run on one virtual X server:
# process start to the main window filling the screen, the task sheet's arrival after a digit key, and the
# resident memory after start. Usage: bench/startup.sh [runs]   (default 10)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-10}"

KVIZARO_EXTRA_PACKAGES="xvfb xauth libxcb1-dev libxcb-xtest0-dev" bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target kvizaro startup-floor startup-probe

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    runs=$1
    probe=$PWD/build/release/bench/startup-probe
    # The two programs take turns, so that a machine slowing down or speeding up during the run weighs on
    # both alike.
    results=$(mktemp -d)
    export XDG_RUNTIME_DIR=$(mktemp -d)
    cd build/release/data
    for _ in $(seq "$runs"); do
        "$probe" -- ../bench/startup-floor >>"$results/floor" 2>/dev/null || true
        "$probe" --key 2 -- ../shell/kvizaro >>"$results/kvizaro" 2>/dev/null || true
    done
    report() { # label
        touch "$results/$1"
        awk -v label="$1" -v medians="$results/medians" "
            { split(\$1, m, \"=\"); split(\$2, s, \"=\"); split(\$3, r, \"=\");
              main[NR] = m[2]; sheet[NR] = s[2]; rss[NR] = r[2] }
            function report(name, v, n,   i, j, t) {
                for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
                printf \"%-8s %-18s min %8.1f  median %8.1f  max %8.1f\n\", label, name, v[1], v[int((n + 1) / 2)], v[n]
            }
            END { if (NR == 0) { print label, \"never showed a full-screen window\"; exit 1 }
                  report(\"main window ms\", main, NR); if (sheet[1] >= 0) report(\"sheet ms\", sheet, NR);
                  report(\"resident kB\", rss, NR); print label, main[int((NR + 1) / 2)] >> medians }" "$results/$1"
    }
    report floor
    report kvizaro
    awk "{ median[\$1] = \$2 } END { printf \"ratio (median main window): %.2fx\n\", median[\"kvizaro\"] / median[\"floor\"] }" "$results/medians"
    # Each Kvizaro run against the floor run just before it: the steadier figure when the machine drifts.
    paste -d" " "$results/floor" "$results/kvizaro" | awk "
        { split(\$1, f, \"=\"); split(\$4, k, \"=\"); if (f[2] > 0) r[++n] = k[2] / f[2] }
        END { for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (r[j] < r[i]) { t = r[i]; r[i] = r[j]; r[j] = t }
              if (n > 0) printf \"ratio (median of paired runs): %.2fx\n\", r[int((n + 1) / 2)] }"
' _ "$runs"
