#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the manual's Getting Started pictures and the README's screenshot
# from the program's own windows, under Xvfb, so that they show the program
# as it is: docs/manual/images/{start-page,sample-wing,wing-properties,
# cutting-sheet,cut-sheet}.png and docs/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
BUILD_TARGET=parvelin_screenshots scripts/build.sh
xvfb-run -a -s "-screen 0 1400x900x24" build/app/screenshots/parvelin_screenshots "$PWD"
