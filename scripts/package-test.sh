#!/usr/bin/env bash
# Builds the Debian package, checks its metadata, man pages and MIME type, unpacks it into a scratch root,
# turns a word list into lessons with the unpacked kvizaro-adt, and starts the unpacked program under a virtual
# X server until its main window appears: from its menu entry's working directory, and with those lessons given
# as the file to open.
set -euo pipefail
cd "$(dirname "$0")/.."

KVIZARO_EXTRA_PACKAGES="file dpkg-dev appstream desktop-file-utils xvfb xauth x11-utils man-db groff-base shared-mime-info libxml2-utils" bash scripts/install-deps.sh
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
metainfo="$root/usr/share/metainfo/hu.kvizaro.Kvizaro.metainfo.xml"
appstreamcli validate --no-net --explain "$metainfo"
for binary in kvizaro kvizaro-adt; do
    test -x "$root/usr/bin/$binary" || { echo "not installed: $binary"; exit 1; }
    grep -q "<binary>$binary</binary>" "$metainfo" || { echo "metainfo does not list $binary"; exit 1; }
done
# A file manager opens lesson files with the program: the entry takes a file and names the type that the
# package's MIME XML defines, and the metainfo says so.
lesson_type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' packaging/hu.kvizaro.Kvizaro.mime.xml)
grep -qx "MimeType=$lesson_type;" "$desktop" || { echo "the menu entry does not open $lesson_type"; exit 1; }
grep -qx 'Exec=kvizaro %f' "$desktop" || { echo "the menu entry passes no file"; exit 1; }
grep -q "<mediatype>$lesson_type</mediatype>" "$metainfo" || { echo "metainfo does not list $lesson_type"; exit 1; }

# Help and version need no display. One version everywhere: the package's, both programs', the metadata's
# and the man pages'.
(unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; "$root/usr/bin/kvizaro" --version && "$root/usr/bin/kvizaro" --help >/dev/null)
version=$(dpkg-deb -f "$package" Version)
for binary in kvizaro kvizaro-adt; do
    [ "$(QT_QPA_PLATFORM=offscreen "$root/usr/bin/$binary" --version)" = "$binary $version" ] ||
        { echo "$binary --version is not $version"; exit 1; }
done
grep -q "<release version=\"$version\"" "$metainfo" || { echo "metainfo's release is not $version"; exit 1; }
for page in kvizaro kvizaro-adt; do
    zgrep -q "\"Kvizaro $version\"" "$root/usr/share/man/man1/$page.1.gz" || { echo "man page $page is not $version"; exit 1; }
done

# Man pages render without a warning, in a plain and a UTF-8 locale.
for page in kvizaro kvizaro-adt; do
    file="$root/usr/share/man/man1/$page.1.gz"
    test -f "$file" || { echo "no man page: $page"; exit 1; }
    for locale in C C.UTF-8; do
        warnings=$(LC_ALL=$locale MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
        [ -z "$warnings" ] || { echo "man page $page ($locale): $warnings"; exit 1; }
    done
done
echo "man pages render cleanly"

# The MIME type of lesson files: well-formed (and valid, where shared-mime-info's schema is installed),
# accepted by the MIME database, with its glob and magic.
mime="$root/usr/share/mime/packages/hu.kvizaro.Kvizaro.xml"
xmllint --noout "$mime"
for schema in /usr/share/xml/shared-mime-info/shared-mime-info.xsd /usr/share/mime/shared-mime-info.xsd; do
    if [ -f "$schema" ]; then xmllint --noout --schema "$schema" "$mime"; fi
done
mimedb="$root/usr/share/mime"
mime_messages=$(XDG_DATA_DIRS="$root/usr/share" update-mime-database "$mimedb" 2>&1)
[ -z "$mime_messages" ] || { echo "MIME type: $mime_messages"; exit 1; }
test -f "$mimedb/application/x-kvizaro-lesson.xml"
grep -q '\*\.adt' "$mimedb/globs2"
grep -aq 'Nfovp' "$mimedb/magic"
echo "MIME type registered"

# From a spreadsheet's word list to lessons that check clean, with the unpacked tool.
adt="$root/usr/bin/kvizaro-adt"
"$adt" --version
printf '\357\273\277sheet;question;answer;accepted\r\nSzámok;egy;unu;\r\nSzámok;"kettő, három";du kaj tri;"du, tri"\r\n' \
    >"$root/szavak.csv"
"$adt" import csv "$root/szavak.csv" "$root/enhavo.adt" >/dev/null
"$adt" check "$root/enhavo.adt"

workdir="$root$(sed -n 's/^Path=//p' "$desktop")"
program="$root/usr/bin/$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
test -f "$workdir/enhavo.adt"

# The main window carries the application title and covers the screen; an error box about the lessons would
# carry the title too, but not the size. Wait for the main window to be mapped: from the menu entry's working
# directory, and from another folder with the lessons made above as the file a file manager passes.
show_main_window() {
    xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        cd "$1" && shift && "$@" & pid=$!
        for _ in $(seq 100); do
            if xwininfo -root -tree | grep "Kvizaro v1.0 \* Folimo" | grep -q "1024x768+"; then
                echo "main window shown"; kill $pid; exit 0
            fi
            kill -0 $pid 2>/dev/null || { echo "the program ended early"; exit 1; }
            sleep 0.1
        done
        echo "no main window"; kill $pid; exit 1' _ "$@"
}
show_main_window "$workdir" "$program"
show_main_window / "$program" "$root/enhavo.adt"
