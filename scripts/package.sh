#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package (cpack -G DEB) from the build in build/ (or
# $BUILD_DIR): builds what the package holds, if out of date, packs it and
# prints the package's path.
# Needs no network once setup.sh has run.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
scripts/setup.sh >/dev/null
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build_dir" --target parvelin parvelin-cli parvelin_packaging_files >/dev/null
rm -f "$build_dir"/parvelin_*.deb
(cd "$build_dir" && cpack -G DEB >/dev/null)
ls "$PWD/$build_dir"/parvelin_*.deb
