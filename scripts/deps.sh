#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# when they are missing. Usage: scripts/deps.sh [run|test]
set -euo pipefail
what=${1:-test}
pkgs=(build-essential cmake ninja-build pkg-config
      qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6multimedia6 qt6-qpa-plugins libgl-dev
      libjpeg62-turbo-dev fonts-liberation qt6-translations-l10n
      gstreamer1.0-plugins-good gstreamer1.0-plugins-base gstreamer1.0-libav)
if [ "$what" = test ]; then
    pkgs+=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev poppler-utils
          dpkg-dev desktop-file-utils lintian appstream)
fi
missing=()
for p in "${pkgs[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
