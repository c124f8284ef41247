#!/usr/bin/env bash
# The checking pass of CI: builds everything with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer (and the fuzz targets) in build-asan, runs the
# whole suite there with leak detection, then runs each fuzz target for
# CE_FUZZ_SECONDS (default 10) from its seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
jobs=${CE_JOBS:-$(nproc)}
tools/install-deps.sh
tools/asan-configure.sh "$build"
start=$(date +%s)
cmake --build "$build" -j"$jobs"
echo "sanitizer build: $(( $(date +%s) - start )) s"
(
  # shellcheck source=tools/sanitizer-env.sh
  source tools/sanitizer-env.sh
  cd "$build"
  start=$(date +%s)
  ctest --output-on-failure -j"$jobs" --timeout 600
  echo "sanitizer suite: $(( $(date +%s) - start )) s"
)
CE_JOBS=$jobs CE_FUZZ_BUILD=$build tools/fuzz.sh "${CE_FUZZ_SECONDS:-10}"
