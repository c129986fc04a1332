#!/usr/bin/env bash
# Installs the Debian packages Lotwise builds and tests with, and those named as
# arguments (what one script alone needs). Does nothing when all of them are present
# already.
#   usage: scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(
  "$@"
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev curl
  libcpp-httplib-dev
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
