#!/usr/bin/env bash
# Installs the Debian packages the console, the simulator and the tests need,
# only those that are missing, so a second run costs nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5 libqt5svg5-dev
  libjsoncpp-dev libtinyxml2-dev libmariadb-dev mariadb-server libsqlite3-dev sqlite3
  lame
  clang libclang-rt-14-dev
  libgtest-dev libbenchmark-dev
  fonts-noto-cjk xvfb xauth xdotool libxcb1-dev qttranslations5-l10n
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: all packages present"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
