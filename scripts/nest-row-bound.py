#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How many sheets a set of ribs needs at least when laid in rows.

Reads the sheets a `parvelin-cli wing ... DIR` run wrote (DIR/sheet-*.svg),
takes every part's cut path and asks, for each rib size, how close rows of
that rib can follow one another: one row as it lies, the next turned half a
turn and shifted along the sheet to settle into it, the gap kept all round.
A rib then uses (its length + the gap) x (half that pair of rows' pitch) of
the sheet. Added over every part and divided by a sheet's usable area, that
is the least number of sheets any layout made of rows of such ribs can use,
before the losses at the ends of rows; each sheet's lowest row also stands
on the edge instead of settling into a row below, which the second figure
adds.

    scripts/nest-row-bound.py DIR [--gap 2] [--margin 2] [--cell 0.25]

Plain Python 3; no package beyond the standard library.
"""
import argparse
import glob
import math
import os
import re
import sys


def sheet_parts(folder):
    """The cut paths of every sheet, in millimetres, y up, and the sheet size."""
    parts, size = [], None
    for name in sorted(glob.glob(os.path.join(folder, "*sheet-*.svg"))):
        text = open(name, encoding="utf-8").read()
        m = re.search(r'width="([\d.]+)mm" height="([\d.]+)mm"', text)
        if m:
            size = (float(m.group(1)), float(m.group(2)))
        group = re.search(r'<g id="CUT"[^>]*>(.*?)</g>', text, re.S)
        for d in re.findall(r'<path d="([^"]+)"', group.group(1) if group else text):
            points = [tuple(map(float, p.split(","))) for p in re.findall(r"-?[\d.]+,-?[\d.]+", d)]
            if len(points) >= 3:
                parts.append([(x, -y) for x, y in points])
    return parts, size


def area(polygon):
    n = len(polygon)
    return abs(sum(polygon[i][0] * polygon[(i + 1) % n][1] - polygon[(i + 1) % n][0] * polygon[i][1]
                   for i in range(n))) / 2.0


def profile(polygon, cell, turned):
    """Per column of the part's length, its lowest and highest point."""
    if turned:
        polygon = [(-x, -y) for x, y in polygon]
    x0 = min(p[0] for p in polygon)
    y0 = min(p[1] for p in polygon)
    polygon = [(x - x0, y - y0) for x, y in polygon]
    columns = int(math.ceil(max(p[0] for p in polygon) / cell)) + 1
    low, high = [math.inf] * columns, [-math.inf] * columns
    for i, a in enumerate(polygon):
        b = polygon[(i + 1) % len(polygon)]
        steps = max(1, int(abs(b[0] - a[0]) / cell * 2) + 1)
        for s in range(steps + 1):
            t = s / steps
            c = int((a[0] + t * (b[0] - a[0])) / cell)
            y = a[1] + t * (b[1] - a[1])
            low[c], high[c] = min(low[c], y), max(high[c], y)
    return low, high


def grown_top(high, gap, cell):
    """The top edge grown by the gap all round (a disc of the gap's radius)."""
    reach = int(gap / cell)
    out = [-math.inf] * len(high)
    for x, h in enumerate(high):
        if h == -math.inf:
            continue
        for dx in range(-reach, reach + 1):
            if 0 <= x + dx < len(high):
                out[x + dx] = max(out[x + dx], h + math.sqrt(max(0.0, gap * gap - (dx * cell) ** 2)))
    return out


def rise(lower_top, upper_low, shift):
    """How far above the lower part the upper one must start, shifted by `shift` columns."""
    most = -math.inf
    for c, y in enumerate(upper_low):
        x = c + shift
        if 0 <= x < len(lower_top) and lower_top[x] > -math.inf and y < math.inf:
            most = max(most, lower_top[x] - y)
    return most


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("folder")
    ap.add_argument("--gap", type=float, default=2.0)
    ap.add_argument("--margin", type=float, default=2.0)
    ap.add_argument("--cell", type=float, default=0.25)
    ap.add_argument("--shift", type=float, default=40.0, help="largest shift tried between rows, mm")
    args = ap.parse_args()
    parts, size = sheet_parts(args.folder)
    if not parts or not size:
        sys.exit("no sheet SVG with parts in " + args.folder)
    by_length = {}
    for polygon in parts:
        length = max(p[0] for p in polygon) - min(p[0] for p in polygon)
        by_length.setdefault(round(length, 1), []).append(polygon)
    used = total_area = 0.0
    edge_loss = math.inf
    step = max(1, int(1.0 / args.cell))
    for length, same in sorted(by_length.items()):
        polygon = same[0]
        up, turned = profile(polygon, args.cell, False), profile(polygon, args.cell, True)
        up_top, turned_top = grown_top(up[1], args.gap, args.cell), grown_top(turned[1], args.gap, args.cell)
        reach = int(args.shift / args.cell)
        pitch = min(rise(up_top, turned[0], d) + rise(turned_top, up[0], -d) for d in range(-reach, reach + 1, step))
        pitch = min(pitch / 2.0, rise(up_top, up[0], 0))
        height = max(p[1] for p in polygon) - min(p[1] for p in polygon)
        used += len(same) * pitch * (length + args.gap)
        edge_loss = min(edge_loss, height + args.gap - pitch)
        total_area += len(same) * area(polygon)
    usable = (size[0] - 2 * args.margin + args.gap) * (size[1] - 2 * args.margin + args.gap)
    rows_bound = used / usable
    # Each sheet's lowest row stands on the edge: it takes its part's whole
    # height (and the gap) instead of a pitch, at least the smallest such loss
    # of any rib along the sheet's length.
    edge = max(0.0, edge_loss) * (size[0] - 2 * args.margin + args.gap) / usable
    sheets = rows_bound
    for _ in range(3):
        sheets = rows_bound + math.ceil(sheets) * edge
    print(f"{len(parts)} parts, {total_area:.0f} mm2: {total_area / (size[0] * size[1]):.2f} sheets of "
          f"{size[0]:g} x {size[1]:g} by area")
    print(f"rows of ribs, each row settled into the one below: {rows_bound:.2f} sheets")
    print(f"with each sheet's lowest row on the edge: {sheets:.2f} sheets, so at least {math.ceil(sheets)}")


if __name__ == "__main__":
    main()
