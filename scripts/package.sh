#!/usr/bin/env bash
# Builds the Debian package build/package/lotwise_<version>_amd64.deb with CPack: the
# program and its files (install component "lotwise") under /usr, stripped, depending on
# the packages dpkg-shlibdeps finds for its libraries. Reuses the build tree it is given
# (CI gives the one its tests built, which is then only checked to be up to date);
# without one it configures and builds build/release (the release preset: the
# marketplace's own hosts, no publisher values). A tree configured for other marketplace
# hosts, such as build/sample, is refused.
#   usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

# dpkg-shlibdeps (dpkg-dev) and file, which CPack uses to find the programs to look at.
bash scripts/install-deps.sh
bash scripts/install-packages.sh dpkg-dev file

tree="${1:-build/release}"
if [ $# -eq 0 ]; then
  cmake --preset release
elif [ ! -f "${tree}/CMakeCache.txt" ]; then
  echo "${tree} is not a configured build tree." >&2
  exit 1
fi
if [ ! -f "${tree}/CPackConfig.cmake" ]; then
  echo "${tree} was configured without the desktop program or without installing" \
    "(LOTWISE_BUILD_GUI, LOTWISE_INSTALL): nothing to package." >&2
  exit 1
fi
cmake --build "${tree}" -j"$(nproc)"

out=build/package
rm -f "${out}"/lotwise_*.deb
cpack --config "${tree}/CPackConfig.cmake" -B "${out}"
deb=$(ls "${out}"/lotwise_*.deb)
echo "Package: ${deb} ($(du -h "${deb}" | cut -f1))"
dpkg-deb --field "${deb}" Depends Recommends
