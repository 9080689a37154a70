#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests, no benchmarks)
# and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGET=parvelin scripts/build.sh
exec build/app/parvelin "$@"
