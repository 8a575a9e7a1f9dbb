#!/usr/bin/env bash
# Installs the Debian packages this project needs, only those that are missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  fonts-liberation2 xvfb xauth
  unrtf poppler-utils
  desktop-file-utils appstream dpkg-dev file  # scripts/package-test.sh: cpack reads the programs' libraries
  locales mount  # tests: a German locale built with localedef, a small tmpfs
  shared-mime-info libxml2-utils  # scripts/package-test.sh: the project file type
  clang libclang-rt-14-dev
  time jq  # scripts/bench.sh: peak memory and the table of figures
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
