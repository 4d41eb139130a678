#!/usr/bin/env bash
# Builds the Debian package, checks its metadata, unpacks it into a scratch root and starts the unpacked
# program from its menu entry's working directory under a virtual X server, until its main window appears.
set -euo pipefail
cd "$(dirname "$0")/.."

KVIZARO_EXTRA_PACKAGES="file dpkg-dev appstream desktop-file-utils xvfb xauth x11-utils" bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
(cd build/release && cpack -G DEB >/dev/null)
package=$(ls build/release/kvizaro_*.deb)
echo "package: $package"

depends=$(dpkg-deb -f "$package" Depends)
echo "depends: $depends"
for needed in libqt6widgets6 qt6-qpa-plugins fonts-liberation; do
    grep -q "$needed" <<<"$depends" || { echo "missing dependency: $needed"; exit 1; }
done
apt-get install --simulate -qq "./$package" >/dev/null

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"
desktop="$root/usr/share/applications/hu.kvizaro.Kvizaro.desktop"
desktop-file-validate "$desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/hu.kvizaro.Kvizaro.metainfo.xml"

workdir="$root$(sed -n 's/^Path=//p' "$desktop")"
program="$root/usr/bin/$(sed -n 's/^Exec=//p' "$desktop")"
test -f "$workdir/enhavo.adt"

# The main window carries the application title; wait for it to be mapped.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    cd "$1" && "$2" & pid=$!
    for _ in $(seq 100); do
        if xwininfo -root -tree | grep -q "Kvizaro v1.0 \* Folimo"; then
            echo "main window shown"; kill $pid; exit 0
        fi
        kill -0 $pid 2>/dev/null || { echo "the program ended early"; exit 1; }
        sleep 0.1
    done
    echo "no main window"; kill $pid; exit 1' _ "$workdir" "$program"
