#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program on the bundled
# offline demonstration (local catalogue service and demonstration field).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
exec tools/run-demo.sh build
