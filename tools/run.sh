#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program on the bundled
# offline demonstration (local catalogue service and demonstration field).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
# Only what the demonstration runs: a test that does not build must not keep
# the program from starting (tools/test.sh builds everything).
cmake --build build -j"$(nproc)" --target cinq-etoiles catalogue-service ce_data
exec tools/run-demo.sh build
