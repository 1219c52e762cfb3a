#!/usr/bin/env bash
# Sets everything up, builds and starts the program on its default database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j2
exec build/tessaly
