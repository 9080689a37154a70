#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j2
# The whole suite again under a locale with a decimal comma.
LC_ALL=de_DE.UTF-8 ctest --test-dir build --output-on-failure -j2
