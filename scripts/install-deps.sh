#!/usr/bin/env bash
# Installs the Debian 12 packages Noctiva needs to build, run and test,
# skipping apt altogether when every one is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6-dev qt6-translations-l10n
  libzip-dev nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core tzdata xvfb xauth xdotool
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
