#!/usr/bin/env bash
# Installs what is missing, builds, and starts the lexmora window on the
# sample program folder build/sample. Without a display the window runs
# under Xvfb (extra arguments go to lexmora, e.g. --screenshot shot.png).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  exec xvfb-run -a -s '-screen 0 1280x800x24' ./build/src/gui/lexmora --dir build/sample "$@"
fi
exec ./build/src/gui/lexmora --dir build/sample "$@"
