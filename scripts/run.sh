#!/usr/bin/env bash
# Sets up the machine, builds Kelvora and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh
exec ./build/bin/kelvora "$@"
