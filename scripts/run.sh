#!/usr/bin/env bash
# Installs what is missing, builds, and shows the sample program folder.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
./build/src/cli/lexmora-cli --dir build/sample groups "$@"
