#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Rewrites the stored expected outputs (tests/data/expected) from what the
# program computes now. Only for a behaviour change that is meant: review the
# diff and say in the commit which change it records and why. CI never runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${CI:-}" = true ]; then
  echo "regenerate-expected.sh does not run in CI" >&2
  exit 1
fi
build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target parvelin_regenerate_expected
"$build_dir"/tests/parvelin_regenerate_expected
git --no-pager diff --stat -- tests/data/expected
