#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, and only those that are missing.
set -euo pipefail

packages=(
    cmake g++ make
    qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev libxcb1-dev
    libbenchmark-dev libexpat1-dev
    fonts-liberation fonts-dejavu-core
    # the tests on a real display: window managers, a compositor, the X driver's libraries, a face without the
    # Esperanto letters
    openbox icewm xcompmgr libx11-dev libxtst-dev fonts-dejavu-extra
    # Xfce's window manager and the session bus it needs
    xfwm4 dbus-daemon
    # the test of a Wayland session: weston with XWayland, Qt's Wayland platform, X tools to watch and drive it
    weston xwayland qt6-wayland xvfb xdotool x11-utils x11-apps
    # the road read as a screen reader reads it: a session bus, the accessibility bus and its client library
    dbus-daemon at-spi2-core python3 python3-gi gir1.2-atspi-2.0
)
# Callers that need more (the fuzzer, packaging) name it here.
read -r -a extra <<<"${KVIZARO_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
