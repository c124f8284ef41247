#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need.
set -euo pipefail
packages=(cmake g++ make pkg-config
          qt6-base-dev libgl-dev qt6-translations-l10n
          libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev zlib1g-dev
          libcfitsio-dev qt6-image-formats-plugins
          wcslib-dev   # the tests read the written WCS headers with WCSLIB
          xvfb xauth fonts-dejavu-core
          clang libclang-rt-14-dev llvm)  # the sanitizer and fuzzing pass (tools/sanitize.sh)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
