#!/usr/bin/env python3
"""Writes a NACA four-digit section as a Selig-order coordinate file.

The coordinates come from the closed-form equations published with the
four-digit series (NACA Report 460, 1933): the thickness distribution
    yt = 5 t (0.2969 sqrt(x) - 0.1260 x - 0.3516 x^2 + 0.2843 x^3 - 0.1036 x^4)
(the last coefficient closes the trailing edge), laid perpendicular to the
mean line
    yc = m / p^2 (2 p x - x^2)              for x < p
    yc = m / (1 - p)^2 (1 - 2 p + 2 p x - x^2)  for x >= p
at cosine-spaced chord stations. Usage: naca4.py 4412 [POINTS_PER_SURFACE]
"""
import math
import sys


def section(digits, n):
    m = int(digits[0]) / 100.0
    p = int(digits[1]) / 10.0
    t = int(digits[2:4]) / 100.0
    upper, lower = [], []
    for i in range(n):
        x = 0.5 * (1.0 - math.cos(math.pi * i / (n - 1)))
        yt = 5.0 * t * (0.2969 * math.sqrt(x) - 0.1260 * x - 0.3516 * x**2 + 0.2843 * x**3 - 0.1036 * x**4)
        if m == 0.0 or p == 0.0:
            yc, slope = 0.0, 0.0
        elif x < p:
            yc = m / p**2 * (2 * p * x - x**2)
            slope = 2 * m / p**2 * (p - x)
        else:
            yc = m / (1 - p) ** 2 * (1 - 2 * p + 2 * p * x - x**2)
            slope = 2 * m / (1 - p) ** 2 * (p - x)
        theta = math.atan(slope)
        upper.append((x - yt * math.sin(theta), yc + yt * math.cos(theta)))
        lower.append((x + yt * math.sin(theta), yc - yt * math.cos(theta)))
    # Trailing edge over the upper surface to the nose, then the lower
    # surface back to the trailing edge; the nose once.
    return list(reversed(upper)) + lower[1:]


def main():
    digits = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) > 2 else 61
    if len(digits) != 4 or not digits.isdigit():
        sys.exit("naca4.py: four digits, e.g. 4412")
    print(f"NACA {digits}")
    for x, y in section(digits, n):
        # Python's float formatting ignores the locale.
        print(f"{x:.6f} {y:.6f}".replace("-0.000000", "0.000000"))


if __name__ == "__main__":
    main()
