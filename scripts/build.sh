#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or the folder given as $BUILD_DIR): every
# target, or only the one named in $BUILD_TARGET.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@"
if [ -n "${BUILD_TARGET:-}" ]; then
  cmake --build "$build_dir" --target "$BUILD_TARGET"
else
  cmake --build "$build_dir"
fi
