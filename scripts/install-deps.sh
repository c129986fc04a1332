#!/usr/bin/env bash
# Installs the Debian packages Lotwise builds and tests with. Does nothing when all of
# them are present already. Packages that one script alone needs are installed by that
# script through install-packages.sh.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev libgl-dev
  libcurl4-openssl-dev nlohmann-json3-dev qtkeychain-qt6-dev
  googletest libgtest-dev libgmock-dev
  libbenchmark-dev curl
  libcpp-httplib-dev zlib1g-dev nlohmann-json3-dev libsqlite3-dev
  clang libclang-rt-14-dev
)
bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
