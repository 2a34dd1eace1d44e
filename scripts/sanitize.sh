#!/usr/bin/env bash
# Builds everything with AddressSanitizer (leak checks on) and UndefinedBehaviorSanitizer, a
# Debug build in ./build-asan, and runs every test there; any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
dir="${KELVORA_SANITIZE_DIR:-build-asan}"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Debug -DKELVORA_SANITIZE=ON -DKELVORA_BENCH=OFF >/dev/null
cmake --build "$dir" -j"$(nproc)"
cd "$dir"
ctest --output-on-failure -j"$(nproc)" --timeout 900
