#!/usr/bin/env bash
# Start-up of Kvizaro against the floor of a Qt Widgets program, in one run on one virtual X server:
# process start to the main window filling the screen, the task sheet's arrival after a digit key, and the
# resident memory after start.
# Usage: bench/startup.sh [runs] [OTHER_KVIZARO...]   (default 10 runs)
# Other Kvizaro executables (other builds, to compare) take their turns after the floor and this tree's
# release build, and are reported the same way under their file names.
set -euo pipefail
others=()
for program in "${@:2}"; do
    others+=("$(realpath "$program")")
done
cd "$(dirname "$0")/.."
runs="${1:-10}"

KVIZARO_EXTRA_PACKAGES="xvfb xauth libxcb1-dev libxcb-xtest0-dev" bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target kvizaro kvizaro_default_content startup-floor startup-probe

xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -euo pipefail
    runs=$1
    shift
    probe=$PWD/build/release/bench/startup-probe
    labels=(kvizaro)
    programs=("$PWD/build/release/shell/kvizaro")
    for program in "$@"; do
        labels+=("$(basename "$program")")
        programs+=("$program")
    done
    # The programs take turns, so that a machine slowing down or speeding up during the run weighs on
    # all alike.
    results=$(mktemp -d)
    export XDG_RUNTIME_DIR=$(mktemp -d)
    cd build/release/data
    for _ in $(seq "$runs"); do
        "$probe" -- ../bench/startup-floor >>"$results/floor" 2>/dev/null || echo "main_ms=-1 sheet_ms=-1 rss_kb=-1" >>"$results/floor"
        for i in "${!programs[@]}"; do
            "$probe" --key 2 -- "${programs[$i]}" >>"$results/${labels[$i]}" 2>/dev/null ||
                echo "main_ms=-1 sheet_ms=-1 rss_kb=-1" >>"$results/${labels[$i]}"
        done
    done
    report() { # label
        touch "$results/$1"
        awk -v label="$1" -v medians="$results/medians" "
            { split(\$1, m, \"=\"); split(\$2, s, \"=\"); split(\$3, r, \"=\");
              if (m[2] < 0) next; n++; main[n] = m[2]; sheet[n] = s[2]; rss[n] = r[2] }
            function report(name, v, n,   i, j, t) {
                for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
                printf \"%-8s %-18s min %8.1f  median %8.1f  max %8.1f\n\", label, name, v[1], v[int((n + 1) / 2)], v[n]
            }
            END { if (n == 0) { print label, \"never showed a full-screen window\"; exit 1 }
                  report(\"main window ms\", main, n); if (sheet[1] >= 0) report(\"sheet ms\", sheet, n);
                  report(\"resident kB\", rss, n); print label, main[int((n + 1) / 2)] >> medians }" "$results/$1"
    }
    # Each run against the run of the same turn of another program: the steadier figures when the machine
    # drifts. Prints the median ratio and the median difference in ms, the first against the second.
    pairedRuns() { # label against prefix
        paste -d" " "$results/$2" "$results/$1" | awk -v against="$2" -v prefix="$3" "
            function median(v, n,   i, j, t) {
                for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (v[j] < v[i]) { t = v[i]; v[i] = v[j]; v[j] = t }
                return v[int((n + 1) / 2)]
            }
            { split(\$1, f, \"=\"); split(\$4, k, \"=\"); if (f[2] > 0 && k[2] > 0) { n++; r[n] = k[2] / f[2]; d[n] = k[2] - f[2] } }
            END { if (n == 0) exit
                  if (against == \"floor\") {
                      printf \"%sratio (median of paired runs): %.2fx\n\", prefix, median(r, n)
                      printf \"%safter the floor (median of paired runs): %.1f ms\n\", prefix, median(d, n)
                  } else {
                      printf \"%safter %s (median of paired runs): %.1f ms\n\", prefix, against, median(d, n) } }"
    }
    paired() { # label
        # With one Kvizaro, the lines read as they always have; with several, each names its program.
        local prefix=""
        if [ "${#labels[@]}" -gt 1 ]; then prefix="$1 "; fi
        awk -v label="$1" -v prefix="$prefix" "{ median[\$1] = \$2 } END {
            printf \"%sratio (median main window): %.2fx\n\", prefix, median[label] / median[\"floor\"] }" "$results/medians"
        pairedRuns "$1" floor "$prefix"
        if [ "$1" != kvizaro ]; then pairedRuns "$1" kvizaro "$prefix"; fi
    }
    report floor || true
    status=0
    for label in "${labels[@]}"; do
        report "$label" || status=1
    done
    for label in "${labels[@]}"; do
        paired "$label" || true
    done
    exit "$status"
' _ "$runs" "${others[@]}"
