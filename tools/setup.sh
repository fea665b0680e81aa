#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Pixmura need, when any is missing.
set -euo pipefail
PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev
  libbenchmark-dev libdeflate-dev
  libenchant-2-dev hunspell-en-us
  imagemagick cups-client libcups2-dev xdg-utils
  cups-daemon printer-driver-cups-pdf cups-filters ghostscript poppler-utils
  fonts-dejavu-core
  xvfb xclip
  python3
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
