#!/usr/bin/env bash
# Sets everything up, builds and runs every test (offscreen, no screen needed).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
