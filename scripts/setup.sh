#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks need.
# Run as root on a fresh machine; running it again changes nothing.
set -euo pipefail
packages=(
    cmake g++ make
    qt6-base-dev qt6-webengine-dev libqt6webenginewidgets6 libgl-dev
    libcurl4-openssl-dev libgtest-dev libbenchmark-dev
    python3-pyftpdlib poppler-utils libxml2-utils
    fonts-liberation2
    libqscintilla2-qt6-dev
    qt6-translations-l10n
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -eq 0 ]; then
    echo "setup: all packages present"
    exit 0
fi
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y "${missing[@]}"
