#!/usr/bin/env bash
# Configures the checking build folder (default build-asan): clang, sanitizers
# and the fuzz targets in one folder, so that one compile serves the suite and
# the fuzzers. -O1 without full debug information keeps the compile and the
# runs fast; line tables keep file:line in the reports. ccache is used when
# present.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-asan}
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCE_SANITIZE=ON -DCE_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -gline-tables-only" \
  "${launcher[@]}" >/dev/null
