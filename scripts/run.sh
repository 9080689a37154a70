#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program alone (no tests, no benchmarks)
# and starts it: on the files given, or on the sample wing panel when none is.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
(cd "$repo" && scripts/setup.sh && BUILD_TARGET=parvelin scripts/build.sh)
if [ "$#" -eq 0 ]; then
  set -- "$repo/samples/wing-panel.parvelin"
fi
exec "$repo/build/app/parvelin" "$@"
