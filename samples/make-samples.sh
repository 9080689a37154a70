#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the sample designs from computed NACA sections (see README.md).
# Usage: samples/make-samples.sh PATH/TO/parvelin-cli
set -euo pipefail
cli=$(realpath "$1")
cd "$(dirname "$0")"
python3 naca4.py 4412 > naca4412.dat
python3 naca4.py 2412 > naca2412.dat
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
rm -f single-rib.parvelin wing-panel.parvelin

# The single rib: 200 mm, LE stock, a stick spar, TE stock, sheeting.
"$cli" project --chord 200 \
  --set leadingEdgeStyle=3 --set leadingEdgeDepth=6 --set leadingEdgeHeight=10 \
  --set sparStyle=1 --set sparWidth=3 --set sparHeight=6 --set sparDistance=30 --set sparDistanceInPercent=1 \
  --set trailingEdgeStyle=3 --set trailingEdgeWidth=20 --set trailingEdgeHeight=6 \
  --set sheetingStyle=3 --set sheetingThickness=1.5 \
  naca4412.dat single-rib.parvelin

# The wing: the same build on the root section, tabs on a board 12 mm down,
# and the panel with its tip section added as the "wing" object.
"$cli" project --chord 200 \
  --set leadingEdgeStyle=3 --set leadingEdgeDepth=6 --set leadingEdgeHeight=10 \
  --set sparStyle=1 --set sparWidth=3 --set sparHeight=6 --set sparDistance=25 --set sparDistanceInPercent=1 \
  --set trailingEdgeStyle=3 --set trailingEdgeWidth=20 --set trailingEdgeHeight=6 \
  --set sheetingStyle=2 --set sheetingThickness=1.5 \
  --set height=12 --set washout=2 \
  naca4412.dat "$scratch/root.parvelin"
python3 - "$scratch/root.parvelin" naca2412.dat "$scratch/wing.parvelin" <<'PY'
import json, sys
design = json.load(open(sys.argv[1]))
lines = open(sys.argv[2]).read().split("\n")
tip = [[float(v) for v in line.split()] for line in lines[1:] if line.strip()]
design["wing"] = {
    "span": 600.0, "rootChord": 200.0, "tipChord": 120.0,
    "ribCount": 9, "ribSpacing": 0.0, "sweep": 20.0,
    "sparRoot": 25.0, "sparTip": 25.0, "sparInPercent": True,
    "washout": 2.0, "side": "both",
    "tipAirfoil": {"name": lines[0].strip(), "points": tip},
}
json.dump(design, open(sys.argv[3], "w"), indent=2)
PY
# Written back by the program, in its own form.
"$cli" project "$scratch/wing.parvelin" wing-panel.parvelin
"$cli" info wing-panel.parvelin | tail -n 1
