#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the demo need, when missing.
set -euo pipefail
packages=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev
  libqt6sql6-sqlite libqt6sql6-psql libgl-dev
  libsqlite3-dev sqlite3 libxlsxwriter-dev libzint-dev zlib1g-dev fonts-dejavu-core
  postgresql-15 postgresql-client-15
  poppler-utils xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
