#!/usr/bin/env python3
"""Draws the launcher's bitmaps and icon into resources/ (or the folder given), the same bytes every run."""

import bisect
import math
import os
import re
import struct
import sys
import time

MASK32 = 0xFFFFFFFF
MASK64 = 0xFFFFFFFFFFFFFFFF


# ---------------------------------------------------------------------------
# Small maths helpers
# ---------------------------------------------------------------------------

def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, v):
    t = clamp((v - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t,
            a[1] + (b[1] - a[1]) * t,
            a[2] + (b[2] - a[2]) * t)


def gradient(stops, t):
    """Colour at t along a list of (position, (r, g, b)) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


# ---------------------------------------------------------------------------
# Deterministic random numbers and noise
# ---------------------------------------------------------------------------

def hash01(ix, iy, seed):
    """Integer lattice hash, returning a float in [0, 1)."""
    h = (ix * 0x27D4EB2D + iy * 0x165667B1 + seed * 0x9E3779B1) & MASK32
    h = ((h ^ (h >> 15)) * 0x2C1B3C6D) & MASK32
    h = ((h ^ (h >> 12)) * 0x297A2D39) & MASK32
    h ^= h >> 15
    return h / 4294967296.0


class Rand:
    """xorshift64* generator; independent of the Python version."""

    def __init__(self, seed):
        self.state = ((seed + 1) * 0x9E3779B97F4A7C15) & MASK64 or 1

    def random(self):
        x = self.state
        x ^= x >> 12
        x ^= (x << 25) & MASK64
        x ^= x >> 27
        self.state = x
        return (((x * 0x2545F4914F6CDD1D) & MASK64) >> 11) / 9007199254740992.0

    def uniform(self, a, b):
        return a + (b - a) * self.random()


def noise_grid(w, h, fx, fy, seed, octaves=4, gain=0.5):
    """Fractal value noise over a w x h grid, values roughly 0..1.

    fx, fy are the sizes (in pixels) of the coarsest features."""
    out = [0.0] * (w * h)
    amp, norm = 1.0, 0.0
    sx, sy = 1.0 / fx, 1.0 / fy
    for octave in range(octaves):
        s = seed * 131 + octave * 7919
        gx = int(w * sx) + 2
        gy = int(h * sy) + 2
        lattice = [[hash01(ix, iy, s) for ix in range(gx + 1)]
                   for iy in range(gy + 1)]
        cols = []
        for x in range(w):
            u = (x + 0.5) * sx
            i = int(u)
            t = u - i
            cols.append((i, t * t * (3.0 - 2.0 * t)))
        for y in range(h):
            v = (y + 0.5) * sy
            j = int(v)
            q = v - j
            q = q * q * (3.0 - 2.0 * q)
            row0 = lattice[j]
            row1 = lattice[j + 1]
            base = y * w
            for x in range(w):
                i, t = cols[x]
                a = row0[i] + (row0[i + 1] - row0[i]) * t
                b = row1[i] + (row1[i + 1] - row1[i]) * t
                out[base + x] += (a + (b - a) * q) * amp
        norm += amp
        amp *= gain
        sx *= 2.0
        sy *= 2.0
    inv = 1.0 / norm
    return [v * inv for v in out]


def noise_line(n, feature, seed, octaves=5, gain=0.5):
    """One-dimensional fractal value noise, values roughly 0..1."""
    out = [0.0] * n
    amp, norm, f = 1.0, 0.0, 1.0 / feature
    for octave in range(octaves):
        s = seed * 313 + octave * 1013
        for x in range(n):
            u = x * f
            i = int(u)
            t = u - i
            t = t * t * (3.0 - 2.0 * t)
            a = hash01(i, 0, s)
            b = hash01(i + 1, 0, s)
            out[x] += (a + (b - a) * t) * amp
        norm += amp
        amp *= gain
        f *= 2.0
    return [v / norm for v in out]


def box_blur(data, w, h, radius, passes=3):
    """Separable box blur (three passes approximate a gaussian)."""
    if radius <= 0:
        return list(data)
    cur = list(data)
    for _ in range(passes):
        # horizontal
        tmp = [0.0] * (w * h)
        norm = 1.0 / (2 * radius + 1)
        for y in range(h):
            base = y * w
            row = cur[base:base + w]
            acc = row[0] * (radius + 1) + sum(row[min(k, w - 1)] for k in range(1, radius + 1))
            for x in range(w):
                tmp[base + x] = acc * norm
                acc += row[min(x + radius + 1, w - 1)] - row[max(x - radius, 0)]
        # vertical
        out = [0.0] * (w * h)
        for x in range(w):
            col = tmp[x::w]
            acc = col[0] * (radius + 1) + sum(col[min(k, h - 1)] for k in range(1, radius + 1))
            for y in range(h):
                out[y * w + x] = acc * norm
                acc += col[min(y + radius + 1, h - 1)] - col[max(y - radius, 0)]
        cur = out
    return cur


# ---------------------------------------------------------------------------
# Canvas and basic shapes
# ---------------------------------------------------------------------------

class Canvas:
    """An RGB picture held as three flat lists of floats (0..255)."""

    def __init__(self, w, h, colour=(0, 0, 0)):
        self.w, self.h = w, h
        n = w * h
        self.r = [float(colour[0])] * n
        self.g = [float(colour[1])] * n
        self.b = [float(colour[2])] * n

    def copy(self):
        c = Canvas(0, 0)
        c.w, c.h = self.w, self.h
        c.r, c.g, c.b = list(self.r), list(self.g), list(self.b)
        return c

    def blend(self, i, col, a):
        k = 1.0 - a
        self.r[i] = self.r[i] * k + col[0] * a
        self.g[i] = self.g[i] * k + col[1] * a
        self.b[i] = self.b[i] * k + col[2] * a

    def add(self, i, col, a):
        self.r[i] += col[0] * a
        self.g[i] += col[1] * a
        self.b[i] += col[2] * a

    def scale(self, i, f):
        self.r[i] *= f
        self.g[i] *= f
        self.b[i] *= f

    def paste(self, src, ox, oy):
        for y in range(src.h):
            d = (y + oy) * self.w + ox
            s = y * src.w
            self.r[d:d + src.w] = src.r[s:s + src.w]
            self.g[d:d + src.w] = src.g[s:s + src.w]
            self.b[d:d + src.w] = src.b[s:s + src.w]

    def pixels(self):
        """Rounded, clamped 8-bit (r, g, b) tuples, row by row from the top."""
        out = []
        for r, g, b in zip(self.r, self.g, self.b):
            out.append((0 if r < 0 else 255 if r > 255 else int(r + 0.5),
                        0 if g < 0 else 255 if g > 255 else int(g + 0.5),
                        0 if b < 0 else 255 if b > 255 else int(b + 0.5)))
        return out


def polygon_coverage(pts, w, h, ss=4):
    """Anti-aliased coverage of a polygon (even-odd rule).

    Returns (x0, y0, mw, mh, data) for the polygon's bounding box clipped
    to the w x h area; ss sub-scanlines per pixel, exact spans across."""
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    x0 = max(0, int(math.floor(min(xs))))
    x1 = min(w, int(math.ceil(max(xs))) + 1)
    y0 = max(0, int(math.floor(min(ys))))
    y1 = min(h, int(math.ceil(max(ys))) + 1)
    mw, mh = max(0, x1 - x0), max(0, y1 - y0)
    data = [0.0] * (mw * mh)
    edges = [(pts[k], pts[(k + 1) % len(pts)]) for k in range(len(pts))]
    step = 1.0 / ss
    for y in range(y0, y1):
        row = (y - y0) * mw
        for k in range(ss):
            sy = y + (k + 0.5) * step
            cuts = []
            for (ax, ay), (bx, by) in edges:
                if (ay <= sy < by) or (by <= sy < ay):
                    cuts.append(ax + (sy - ay) * (bx - ax) / (by - ay))
            cuts.sort()
            for m in range(0, len(cuts) - 1, 2):
                xa = max(float(x0), cuts[m])
                xb = min(float(x1), cuts[m + 1])
                if xb <= xa:
                    continue
                ia, ib = int(xa), int(xb)
                if ia == ib:
                    data[row + ia - x0] += (xb - xa) * step
                    continue
                data[row + ia - x0] += (ia + 1 - xa) * step
                for i in range(ia + 1, ib):
                    data[row + i - x0] += step
                if ib < x1:
                    data[row + ib - x0] += (xb - ib) * step
    return x0, y0, mw, mh, data


def fill_polygon(cv, pts, col, alpha=1.0):
    x0, y0, mw, mh, data = polygon_coverage(pts, cv.w, cv.h)
    for y in range(mh):
        for x in range(mw):
            a = data[y * mw + x]
            if a > 0.0:
                cv.blend((y + y0) * cv.w + x + x0, col, min(1.0, a) * alpha)


def capsule(cv, x0, y0, x1, y1, r0, r1, col, alpha=1.0):
    """Anti-aliased stroke with round ends, radius tapering from r0 to r1."""
    dx, dy = x1 - x0, y1 - y0
    l2 = dx * dx + dy * dy or 1e-9
    rm = max(r0, r1) + 1.0
    xa = max(0, int(min(x0, x1) - rm))
    xb = min(cv.w, int(max(x0, x1) + rm) + 1)
    ya = max(0, int(min(y0, y1) - rm))
    yb = min(cv.h, int(max(y0, y1) + rm) + 1)
    for y in range(ya, yb):
        py = y + 0.5
        for x in range(xa, xb):
            px = x + 0.5
            t = ((px - x0) * dx + (py - y0) * dy) / l2
            t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
            ex = px - (x0 + dx * t)
            ey = py - (y0 + dy * t)
            a = r0 + (r1 - r0) * t - math.sqrt(ex * ex + ey * ey) + 0.5
            if a > 0.0:
                cv.blend(y * cv.w + x, col, (a if a < 1.0 else 1.0) * alpha)


def add_glow(cv, cx, cy, radius, col, strength, reach=3.5):
    """Additive soft light with exponential fall-off."""
    rr = radius * reach
    for y in range(max(0, int(cy - rr)), min(cv.h, int(cy + rr) + 1)):
        for x in range(max(0, int(cx - rr)), min(cv.w, int(cx + rr) + 1)):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d < rr:
                a = strength * math.exp(-d / radius) * (1.0 - d / rr)
                cv.add(y * cv.w + x, col, a)


def diamond(cv, cx, cy, r, col, alpha=1.0):
    fill_polygon(cv, [(cx, cy - r), (cx + r, cy), (cx, cy + r), (cx - r, cy)], col, alpha)


# ---------------------------------------------------------------------------
# Lettering: a small serif alphabet built from strokes
#
# Glyphs are drawn in a box 100 units high (0 = cap line, 100 = baseline).
# A stroke is a segment with a radius at each end; "butt" strokes have square
# ends, the others round ones.  Rendering keeps, for every pixel, the signed
# depth inside the nearest stroke and the direction of its surface, which
# gives anti-aliasing, outlines and a bevel from a single pass.
# ---------------------------------------------------------------------------

THICK, THIN, SERIF = 18.0, 7.0, 5.0


def _line(x0, y0, x1, y1, w, w1=None, butt=True):
    return [(x0, y0, x1, y1, w / 2.0, (w if w1 is None else w1) / 2.0, butt and w1 is None)]


def _stem(x, w=THICK, y0=0.0, y1=100.0):
    return _line(x, y0, x, y1, w)


def _serif(x0, x1, y):
    yy = SERIF / 2.0 if y == 0 else 100.0 - SERIF / 2.0 if y == 100 else y
    return _line(x0, yy, x1, yy, SERIF, butt=False)


def _stress(thin, thick, tilt=-18.0):
    """Width for round strokes: thick on the sides, thin top and bottom."""
    def wf(a, t):
        return thin + (thick - thin) * abs(math.cos(math.radians(a - tilt)))
    return wf


def _arc(cx, cy, rx, ry, a0, a1, wf, steps=None):
    if steps is None:
        steps = max(6, int(abs(a1 - a0) / 10.0))
    segs = []
    prev = None
    for k in range(steps + 1):
        t = k / steps
        a = a0 + (a1 - a0) * t
        p = (cx + rx * math.cos(math.radians(a)), cy + ry * math.sin(math.radians(a)),
             wf(a, t) / 2.0)
        if prev is not None:
            segs.append((prev[0], prev[1], p[0], p[1], prev[2], p[2], False))
        prev = p
    return segs


def _build_glyphs():
    T, N = THICK, THIN
    st = _stress(N, T)
    g = {}
    g[' '] = (40, [])
    g['A'] = (96, _line(8, 97, 46, 3, N) + _line(46, 3, 86, 97, T) + _line(40, 3, 50, 3, SERIF, butt=False)
              + _line(25, 65, 70, 65, N) + _serif(0, 18, 100) + _serif(74, 98, 100))
    g['B'] = (88, _stem(18) + _line(18, 3.5, 50, 3.5, N) + _arc(50, 26.25, 25, 22.75, -90, 90, _stress(N, T * 0.85, 0))
              + _line(18, 49, 52, 49, N) + _arc(52, 72.75, 29, 23.75, -90, 90, _stress(N, T * 0.9, 0))
              + _line(18, 96.5, 52, 96.5, N) + _serif(2, 20, 0) + _serif(2, 20, 100))
    g['C'] = (90, _arc(52, 50, 42, 47, -40, -320, st) + _line(86, 6, 86, 30, N) + _line(86, 70, 86, 94, N))
    g['D'] = (96, _stem(18) + _line(18, 3.5, 44, 3.5, N) + _line(18, 96.5, 44, 96.5, N)
              + _arc(44, 50, 42, 46.5, -90, 90, _stress(N, T, 0)) + _serif(2, 20, 0) + _serif(2, 20, 100))
    g['E'] = (82, _stem(18) + _line(18, 3.5, 74, 3.5, N) + _line(18, 49, 60, 49, N) + _line(18, 96.5, 76, 96.5, N)
              + _line(74, 0, 74, 24, N) + _line(60, 38, 60, 60, N * 0.9) + _line(76, 74, 76, 100, N)
              + _serif(2, 20, 0) + _serif(2, 20, 100))
    g['F'] = (78, _stem(18) + _line(18, 3.5, 74, 3.5, N) + _line(18, 50, 60, 50, N)
              + _line(74, 0, 74, 24, N) + _line(60, 39, 60, 61, N * 0.9)
              + _serif(2, 20, 0) + _serif(2, 36, 100))
    g['G'] = (96, _arc(52, 50, 42, 47, -40, -330, st) + _line(86, 6, 86, 30, N)
              + _line(60, 60, 90, 60, N) + _line(86, 60, 86, 92, T * 0.8))
    g['H'] = (100, _stem(18) + _stem(82) + _line(18, 49, 82, 49, N)
              + _serif(2, 34, 0) + _serif(2, 34, 100) + _serif(66, 98, 0) + _serif(66, 98, 100))
    g['I'] = (44, _stem(22) + _serif(6, 38, 0) + _serif(6, 38, 100))
    g['K'] = (94, _stem(18) + _line(26, 56, 80, 3.5, N) + _line(42, 40, 84, 97, T)
              + _serif(2, 34, 0) + _serif(2, 34, 100) + _serif(68, 94, 0) + _serif(72, 98, 100))
    g['L'] = (80, _stem(18) + _line(18, 96.5, 74, 96.5, N) + _line(74, 74, 74, 100, N)
              + _serif(2, 34, 0) + _serif(2, 20, 100))
    g['M'] = (118, _line(14, 3, 14, 97, N) + _line(14, 3, 58, 94, T) + _line(58, 94, 100, 3, N) + _stem(100)
              + _serif(2, 26, 0) + _serif(2, 26, 100) + _serif(86, 116, 0) + _serif(84, 116, 100))
    g['N'] = (100, _line(16, 3, 16, 97, N) + _line(16, 3, 82, 97, T) + _line(82, 3, 82, 97, N)
              + _serif(2, 28, 0) + _serif(2, 30, 100) + _serif(70, 96, 0))
    g['O'] = (98, _arc(49, 50, 42, 47, 0, 360, st, steps=40))
    g['P'] = (86, _stem(18) + _line(18, 3.5, 50, 3.5, N) + _arc(50, 28.5, 28, 25, -90, 90, _stress(N, T * 0.9, 0))
              + _line(18, 53.5, 50, 53.5, N) + _serif(2, 20, 0) + _serif(2, 34, 100))
    g['Q'] = (98, _arc(49, 50, 42, 47, 0, 360, st, steps=40) + _line(54, 86, 90, 106, T * 0.9, N * 0.7, butt=False))
    g['R'] = (94, g['P'][1][:-1] + _serif(2, 34, 100) + _line(46, 56, 84, 97, T) + _serif(72, 98, 100))
    g['S'] = (82, _arc(42, 26, 30, 23, -30, -270, _stress(N, T, -45)) + _arc(42, 73, 33, 24, -90, 150, _stress(N, T, -45))
              + _line(70, 4, 70, 24, N) + _line(12, 76, 12, 96, N))
    g['T'] = (88, _line(6, 3.5, 82, 3.5, N) + _stem(44) + _line(6, 0, 6, 24, N) + _line(82, 0, 82, 24, N)
              + _serif(28, 60, 100))
    g['U'] = (96, _line(18, 3, 18, 64, T) + _line(80, 3, 80, 64, N)
              + _arc(49, 64, 31, 33, 180, 0, lambda a, t: T + (N - T) * t)
              + _serif(2, 34, 0) + _serif(68, 92, 0))
    g['V'] = (94, _line(8, 3, 47, 97, T) + _line(47, 97, 86, 3, N) + _serif(0, 32, 0) + _serif(72, 98, 0))
    g['W'] = (132, _line(6, 3, 36, 97, T) + _line(36, 97, 66, 18, N) + _line(66, 18, 95, 97, T)
              + _line(95, 97, 126, 3, N) + _serif(0, 26, 0) + _serif(114, 136, 0))
    g['Y'] = (92, _line(8, 3, 46, 52, T) + _line(84, 3, 46, 52, N) + _stem(46, T, 50, 100)
              + _serif(0, 30, 0) + _serif(70, 96, 0) + _serif(30, 62, 100))

    def two_w(a, t):
        return N + (T - N) * max(0.0, math.cos(math.radians(a - 10)))
    ex = 44 + 33 * math.cos(math.radians(40))
    ey = 30 + 27 * math.sin(math.radians(40))
    g['2'] = (88, _arc(44, 30, 33, 27, -160, 40, two_w) + _line(ex, ey, 12, 95, T * 0.9, N + 2, butt=False)
              + _line(16, 23, 16, 23, 15, 15, butt=False)
              + _line(10, 96.5, 80, 96.5, N + 1) + _line(80, 76, 80, 100, N))
    return g


GLYPHS = _build_glyphs()


class TextField:
    """Depth and surface direction of a line of lettering, per pixel."""

    def __init__(self, text, cap, condense=0.76, tracking=4.0, margin=18, min_radius=0.0,
                 weight=1.0):
        s = cap / 100.0
        segs = []
        pen = 0.0
        for ch in text:
            adv, strokes = GLYPHS[ch]
            for (x0, y0, x1, y1, r0, r1, butt) in strokes:
                segs.append(((pen + x0) * condense * s, y0 * s, (pen + x1) * condense * s, y1 * s,
                             max(min_radius, r0 * s * weight), max(min_radius, r1 * s * weight), butt))
            pen += adv + tracking
        pen -= tracking
        self.cap = cap
        self.top = margin + int(math.ceil(cap * 0.04))
        self.left = margin
        self.w = int(math.ceil(pen * condense * s)) + 2 * margin
        self.h = int(math.ceil(cap * 1.16)) + 2 * margin
        w, h = self.w, self.h
        far = -float(margin + 2)
        H = [far] * (w * h)
        NX = [0.0] * (w * h)
        NY = [0.0] * (w * h)
        ox, oy = float(self.left), float(self.top)
        for (x0, y0, x1, y1, r0, r1, butt) in segs:
            x0 += ox
            x1 += ox
            y0 += oy
            y1 += oy
            rm = max(r0, r1) + margin
            xa = max(0, int(min(x0, x1) - rm))
            xb = min(w, int(max(x0, x1) + rm) + 1)
            ya = max(0, int(min(y0, y1) - rm))
            yb = min(h, int(max(y0, y1) + rm) + 1)
            dx, dy = x1 - x0, y1 - y0
            ln = math.hypot(dx, dy)
            if ln < 1e-6:
                ux, uy, ln = 1.0, 0.0, 0.0
            else:
                ux, uy = dx / ln, dy / ln
            half = ln / 2.0
            for y in range(ya, yb):
                py = y + 0.5 - y0
                base = y * w
                for x in range(xa, xb):
                    px = x + 0.5 - x0
                    along = px * ux + py * uy
                    if butt:
                        perp = py * ux - px * uy
                        qa = abs(along - half) - half
                        qb = abs(perp) - r0
                        if qa > 0.0 and qb > 0.0:
                            d = math.sqrt(qa * qa + qb * qb)
                            depth = -d
                            sa = 1.0 if along > half else -1.0
                            sp = 1.0 if perp > 0.0 else -1.0
                            nx = (sa * ux * qa + sp * -uy * qb) / d
                            ny = (sa * uy * qa + sp * ux * qb) / d
                        elif qa > qb:
                            depth = -qa
                            sa = 1.0 if along > half else -1.0
                            nx, ny = sa * ux, sa * uy
                        else:
                            depth = -qb
                            sp = 1.0 if perp > 0.0 else -1.0
                            nx, ny = -uy * sp, ux * sp
                    else:
                        t = along / ln if ln > 0.0 else 0.0
                        t = 0.0 if t < 0.0 else 1.0 if t > 1.0 else t
                        ex = px - dx * t
                        ey = py - dy * t
                        d = math.sqrt(ex * ex + ey * ey)
                        depth = r0 + (r1 - r0) * t - d
                        if d > 1e-9:
                            nx, ny = ex / d, ey / d
                        else:
                            nx, ny = 0.0, -1.0
                    i = base + x
                    if depth > H[i]:
                        H[i] = depth
                        NX[i] = nx
                        NY[i] = ny
        self.H, self.NX, self.NY = H, NX, NY

    def coverage(self, grow=0.0):
        return [0.0 if v + grow + 0.5 <= 0.0 else 1.0 if v + grow + 0.5 >= 1.0 else v + grow + 0.5
                for v in self.H]


GOLD = {
    'stops': [(0.0, (255, 250, 214)), (0.40, (247, 206, 104)), (0.50, (196, 128, 42)),
              (0.54, (150, 86, 26)), (0.62, (222, 158, 62)), (1.0, (120, 58, 16))],
    'outline': (24, 12, 4), 'outline_px': 2.2, 'bevel': 3.2, 'halo': 0.55,
}

EMBER = {
    'stops': [(0.0, (255, 240, 200)), (0.40, (255, 178, 88)), (0.50, (206, 84, 36)),
              (0.54, (150, 44, 22)), (0.62, (236, 118, 50)), (1.0, (110, 26, 14))],
    'outline': (22, 6, 4), 'outline_px': 2.2, 'bevel': 3.2, 'halo': 0.55,
}


def paint_logo(cv, field, ox, oy, style, clip):
    """Lettering with dark halo, drop shadow, outline and a bevelled metal fill."""
    fw, fh = field.w, field.h
    scale = field.cap / 46.0
    halo = box_blur(field.coverage(4.0 * scale), fw, fh, max(2, int(5 * scale)))
    sh_r = max(1, int(round(2 * scale)))
    shadow = box_blur(field.coverage(1.0), fw, fh, sh_r)
    sdx, sdy = int(round(3 * scale)), int(round(4 * scale))
    outline = field.coverage(style['outline_px'] * max(0.6, scale))
    fill = field.coverage(0.0)
    H, NX, NY = field.H, field.NX, field.NY
    lx, ly = -0.55, -0.83
    bevel = style['bevel'] * scale
    stops = style['stops']
    ocol = style['outline']
    cx0, cy0, cx1, cy1 = clip
    for y in range(fh):
        Y = oy + y
        if Y < cy0 or Y >= cy1:
            continue
        t = (y + 0.5 - field.top) / field.cap
        base_col = gradient(stops, clamp(t))
        for x in range(fw):
            X = ox + x
            if X < cx0 or X >= cx1:
                continue
            i = y * fw + x
            ci = Y * cv.w + X
            a = halo[i] * style['halo']
            if a > 0.002:
                cv.scale(ci, 1.0 - a)
            sx, sy = x - sdx, y - sdy
            if 0 <= sx < fw and 0 <= sy < fh:
                a = shadow[sy * fw + sx] * 0.8
                if a > 0.002:
                    cv.scale(ci, 1.0 - a)
            a = outline[i]
            if a > 0.0:
                cv.blend(ci, ocol, a)
            a = fill[i]
            if a > 0.0:
                depth = H[i]
                m = 1.0
                shine = 0.0
                if depth < bevel:
                    lit = NX[i] * lx + NY[i] * ly
                    k = 1.0 - clamp(depth / bevel) ** 2
                    m = 1.0 + 0.55 * lit * k
                    if lit > 0.55:
                        shine = (lit - 0.55) * 1.6 * k
                # a touch of darkening right at the rim separates fill from outline
                if depth < 0.8:
                    m *= 0.82 + 0.18 * clamp(depth / 0.8)
                col = (base_col[0] * m + 255 * shine, base_col[1] * m + 240 * shine,
                       base_col[2] * m + 200 * shine)
                cv.blend(ci, col, a)


def paint_caption(cv, text, cx, top, cap, col, clip, tracking=26.0):
    """Small spaced capitals with a one pixel shadow, centred on cx."""
    field = TextField(text, cap, condense=0.9, tracking=tracking, margin=3,
                      min_radius=0.55, weight=0.8)
    ox = int(round(cx - field.w / 2.0))
    oy = top - field.top
    cov = field.coverage(0.0)
    cx0, cy0, cx1, cy1 = clip
    fw = field.w
    for y in range(field.h):
        for x in range(fw):
            X, Y = ox + x, oy + y
            if not (cx0 <= X < cx1 and cy0 <= Y < cy1):
                continue
            ci = Y * cv.w + X
            if x >= 1 and y >= 1:
                a = cov[(y - 1) * fw + x - 1]
                if a > 0.0:
                    cv.scale(ci, 1.0 - 0.75 * a)
            a = cov[y * fw + x]
            if a > 0.0:
                cv.blend(ci, col, a)
    return ox + field.left, ox + field.w - field.left


# ---------------------------------------------------------------------------
# The landscape behind the logo
# ---------------------------------------------------------------------------

MOONLIT = {
    'seed': 11,
    'sky': [(0.0, (4, 6, 18)), (0.42, (13, 19, 46)), (0.78, (38, 46, 86)), (1.0, (74, 80, 118))],
    'moon': (0.725, 0.33, 0.095), 'moon_col': (238, 234, 214), 'glow_col': (80, 96, 150),
    'glow': 0.9, 'stars': 1.0,
    'cloud_dark': (14, 18, 38), 'cloud_lit': (150, 158, 196),
    'far': ((36, 42, 76), (44, 52, 88)), 'far_rim': (110, 120, 165),
    'mid': ((24, 29, 54), (16, 19, 36)), 'mid_rim': (70, 78, 115),
    'mist': (96, 106, 146), 'water': (8, 12, 28),
    'near': (5, 6, 12), 'near_rim': (44, 52, 82),
    'rock': ((22, 25, 42), (10, 11, 20)), 'rock_rim': (110, 116, 150),
    'building': 'tower', 'stone_dark': (9, 10, 18), 'stone_rim': (86, 92, 128),
    'window': (255, 176, 80), 'light_dir': 1.0,
    'tree_x': 0.12,
}

DUSK = {
    'seed': 29,
    'sky': [(0.0, (10, 5, 16)), (0.38, (38, 14, 32)), (0.72, (112, 40, 40)), (1.0, (214, 112, 56))],
    'moon': (0.46, 0.56, 0.15), 'moon_col': (252, 168, 96), 'glow_col': (200, 90, 40),
    'glow': 1.1, 'stars': 0.45,
    'cloud_dark': (30, 12, 24), 'cloud_lit': (240, 140, 80),
    'far': ((74, 32, 42), (96, 44, 48)), 'far_rim': (220, 130, 80),
    'mid': ((42, 18, 28), (26, 11, 20)), 'mid_rim': (150, 70, 50),
    'mist': (190, 96, 70), 'water': (20, 8, 16),
    'near': (8, 4, 8), 'near_rim': (90, 40, 30),
    'rock': ((34, 16, 22), (14, 7, 12)), 'rock_rim': (200, 110, 70),
    'building': 'fortress', 'stone_dark': (14, 7, 12), 'stone_rim': (170, 90, 60),
    'window': (255, 196, 100), 'light_dir': -1.0,
    'tree_x': 0.10,
}


def ridge_profile(n, base, amp, feature, seed, ridged=0.4, octaves=5):
    """Mountain ridge heights (y values) sampled n times."""
    smooth = noise_line(n, feature, seed, octaves)
    sharp = noise_line(n, feature * 0.7, seed + 1, octaves)
    out = []
    for a, b in zip(smooth, sharp):
        r = 1.0 - abs(2.0 * b - 1.0)
        v = (1.0 - ridged) * a + ridged * r
        out.append(base - amp * (v - 0.25) / 0.6)
    return out


def fill_ridge(cv, ridge, ss, y_end, top_col, bot_col, rim_col, rim_w, light_dir,
               tex=None, tex_amt=0.0):
    """Fills the area under a ridge line (given at ss samples per column)."""
    w, h = cv.w, cv.h
    inv = 1.0 / ss
    for x in range(w):
        ys = ridge[x * ss:(x + 1) * ss]
        ytop = min(ys)
        yavg = sum(ys) * inv
        if ytop >= y_end:
            continue
        xl, xr = max(0, x - 1), min(w - 1, x + 1)
        slope = (ridge[xr * ss + ss // 2] - ridge[xl * ss + ss // 2]) / max(1, xr - xl)
        lit = clamp(0.3 + 0.8 * slope * light_dir)
        span = max(4.0, y_end - yavg)
        for y in range(max(0, int(ytop)), min(h, int(math.ceil(y_end)))):
            cov = 0.0
            for yr in ys:
                c = y + 1.0 - yr
                cov += 1.0 if c >= 1.0 else c if c > 0.0 else 0.0
            cov *= inv
            if y + 1 > y_end:
                cov *= y_end - y
            if cov <= 0.0:
                continue
            depth = y + 0.5 - yavg
            col = mix(top_col, bot_col, clamp(depth / span))
            if depth < rim_w:
                col = mix(col, rim_col, lit * (1.0 - clamp(depth / rim_w)))
            i = y * w + x
            if tex is not None:
                m = 1.0 + tex_amt * (tex[i] - 0.5) * 2.0
                col = (col[0] * m, col[1] * m, col[2] * m)
            cv.blend(i, col, cov)


def add_mist(cv, yc, th, col, strength, tex):
    w, h = cv.w, cv.h
    for y in range(max(0, int(yc - 3 * th)), min(h, int(yc + 3 * th))):
        g = math.exp(-((y + 0.5 - yc) / th) ** 2) * strength
        for x in range(w):
            i = y * w + x
            a = g * (0.3 + 1.4 * tex[i] ** 2)
            if a > 0.003:
                cv.blend(i, col, min(0.9, a))


def draw_tree(cv, x, y, length, angle, radius, depth, rng, col):
    """A bare, gnarled tree drawn as recursively branching strokes."""
    if depth == 0 or length < 1.5:
        return
    pieces = 3
    px, py = x, y
    for k in range(pieces):
        angle += rng.uniform(-0.22, 0.22)
        nx = px + math.cos(angle) * length / pieces
        ny = py + math.sin(angle) * length / pieces
        r0 = radius * (1.0 - 0.25 * k / pieces)
        r1 = radius * (1.0 - 0.25 * (k + 1) / pieces)
        capsule(cv, px, py, nx, ny, max(0.45, r0), max(0.45, r1), col)
        px, py = nx, ny
    branches = 2 if depth > 2 else 3
    for b in range(branches):
        spread = rng.uniform(0.35, 0.75) * (1 if b % 2 == 0 else -1)
        draw_tree(cv, px, py, length * rng.uniform(0.58, 0.78), angle + spread,
                  radius * 0.66, depth - 1, rng, col)


def draw_tower(cv, cx, base_y, s, theme):
    """A slim watch-tower with a turret and a lit window or two."""
    dark = theme['stone_dark']
    rim = theme['stone_rim']
    tw = 11 * s
    top = base_y - 74 * s
    body = [(cx - tw, base_y + 4 * s), (cx - tw * 0.82, top), (cx + tw * 0.82, top), (cx + tw, base_y + 4 * s)]
    fill_polygon(cv, body, dark)
    # corbelled parapet with merlons
    pw = tw * 1.12
    fill_polygon(cv, [(cx - tw * 0.82, top), (cx - pw, top - 4 * s), (cx + pw, top - 4 * s), (cx + tw * 0.82, top)], dark)
    fill_polygon(cv, [(cx - pw, top - 4 * s), (cx - pw, top - 9 * s), (cx + pw, top - 9 * s), (cx + pw, top - 4 * s)], dark)
    for k in range(5):
        mx = cx - pw + k * (2 * pw) / 4.5
        fill_polygon(cv, [(mx, top - 9 * s), (mx, top - 13 * s), (mx + pw / 4.2, top - 13 * s),
                          (mx + pw / 4.2, top - 9 * s)], dark)
    # turret and spire
    ttw = tw * 0.42
    tx = cx + tw * 0.22
    fill_polygon(cv, [(tx - ttw, top - 9 * s), (tx - ttw, top - 26 * s), (tx + ttw, top - 26 * s), (tx + ttw, top - 9 * s)], dark)
    fill_polygon(cv, [(tx - ttw * 1.35, top - 26 * s), (tx, top - 48 * s), (tx + ttw * 1.35, top - 26 * s)], dark)
    capsule(cv, tx, top - 48 * s, tx, top - 53 * s, 0.5 * s, 0.35 * s, dark)
    # moonlit edge on the side facing the light
    side = 1.0 if theme['light_dir'] > 0 else -1.0
    for k in range(40):
        t = k / 39.0
        yy = base_y - t * 74 * s
        xx = cx + side * (tw - (tw - tw * 0.82) * t) - side * 0.9
        cv_i = int(yy) * cv.w + int(xx)
        if 0 <= int(xx) < cv.w and 0 <= int(yy) < cv.h:
            cv.blend(cv_i, rim, 0.35 * t)
    # windows
    win = theme['window']
    for (wx, wy, ww, wh) in [(cx - 2.2 * s, top + 16 * s, 2.4, 5.0), (cx + 2.5 * s, top + 40 * s, 2.0, 4.0),
                             (tx - 0.9 * s, top - 20 * s, 1.8, 3.5)]:
        add_glow(cv, wx + ww * s / 2, wy + wh * s / 2, 4.0 * s, win, 0.25)
        fill_polygon(cv, [(wx, wy + wh * s), (wx, wy + 1.0 * s), (wx + ww * s / 2, wy), (wx + ww * s, wy + 1.0 * s),
                          (wx + ww * s, wy + wh * s)], win, 0.95)


def draw_fortress(cv, cx, base_y, s, theme):
    """A keep with two towers of unequal height on a crag."""
    dark = theme['stone_dark']
    win = theme['window']
    # curtain wall with crenels
    wl, wr, wt = cx - 34 * s, cx + 30 * s, base_y - 24 * s
    fill_polygon(cv, [(wl, base_y + 4 * s), (wl, wt), (wr, wt), (wr, base_y + 4 * s)], dark)
    x = wl
    while x < wr - 2 * s:
        fill_polygon(cv, [(x, wt), (x, wt - 4 * s), (x + 3 * s, wt - 4 * s), (x + 3 * s, wt)], dark)
        x += 5.5 * s
    towers = [(cx - 24 * s, 9 * s, 62 * s, 20 * s), (cx + 14 * s, 11 * s, 84 * s, 28 * s), (cx + 34 * s, 6 * s, 44 * s, 14 * s)]
    for (tx, hw, ht, roof) in towers:
        top = base_y - ht
        fill_polygon(cv, [(tx - hw, base_y), (tx - hw * 0.9, top), (tx + hw * 0.9, top), (tx + hw, base_y)], dark)
        fill_polygon(cv, [(tx - hw * 1.15, top + 1 * s), (tx - hw * 1.15, top - 3 * s), (tx + hw * 1.15, top - 3 * s),
                          (tx + hw * 1.15, top + 1 * s)], dark)
        fill_polygon(cv, [(tx - hw * 1.05, top - 3 * s), (tx, top - 3 * s - roof), (tx + hw * 1.05, top - 3 * s)], dark)
        capsule(cv, tx, top - 3 * s - roof, tx, top - 7 * s - roof, 0.45 * s, 0.3 * s, dark)
        wx, wy = tx - 1.0 * s, top + ht * 0.3
        add_glow(cv, wx + 1.0 * s, wy + 2.0 * s, 4.0 * s, win, 0.22)
        fill_polygon(cv, [(wx, wy + 4.5 * s), (wx, wy + 1 * s), (wx + 1 * s, wy), (wx + 2 * s, wy + 1 * s), (wx + 2 * s, wy + 4.5 * s)], win, 0.95)
    for k in range(4):
        wx = wl + (8 + k * 14) * s
        fill_polygon(cv, [(wx, wt + 9 * s), (wx, wt + 6 * s), (wx + 1.6 * s, wt + 6 * s), (wx + 1.6 * s, wt + 9 * s)], win, 0.6)


class Scene:
    """A landscape being painted: its canvas and the layout its phases share."""

    def __init__(self, w, h, theme):
        self.w, self.h, self.theme = w, h, theme
        self.seed = theme['seed']
        self.rng = Rand(self.seed)      # drawn from by the stars, then by the reeds
        self.s = w / 300.0
        self.ss = 4                     # ridge samples per column
        self.cv = Canvas(w, h)
        self.lake_y = 0.68 * h
        mu, mv, mr = theme['moon']
        self.mx, self.my, self.mrad = mu * w, mv * h, mr * w
        self.light = theme['light_dir']


def render_scene(w, h, theme):
    """A night (or dusk) landscape: sky, moon, clouds, mountains, a lake,
    a building on a crag and a bare tree in the foreground."""
    sc = Scene(w, h, theme)
    rock_tex = noise_grid(w, h, 18 * sc.s, 9 * sc.s, sc.seed + 9, 4)
    mist = noise_grid(w, h, 60 * sc.s, 6 * sc.s, sc.seed + 13, 4)
    paint_sky(sc)
    paint_stars(sc)
    paint_moon(sc)
    paint_clouds(sc)
    paint_far_range(sc, rock_tex, mist)
    paint_hills(sc, rock_tex)
    paint_crag(sc, rock_tex)
    paint_lake(sc, mist)
    paint_foreground(sc)
    paint_vignette(sc)
    return sc.cv


def paint_sky(sc):
    """The sky's gradient with a large soft halo round the moon."""
    w, h, s, seed, cv = sc.w, sc.h, sc.s, sc.seed, sc.cv
    R, G, B = cv.r, cv.g, cv.b
    mx, my, mrad, lake_y, theme = sc.mx, sc.my, sc.mrad, sc.lake_y, sc.theme
    sky_n = noise_grid(w, h, 140 * s, 60 * s, seed + 1, 4)
    gcol = theme['glow_col']
    gk = theme['glow']
    for y in range(h):
        base = gradient(theme['sky'], clamp(y / lake_y))
        for x in range(w):
            i = y * w + x
            d = math.hypot(x + 0.5 - mx, y + 0.5 - my) / mrad
            glow = gk * (0.55 * math.exp(-(d - 1.0) * 0.9) + 0.35 * math.exp(-d * 0.28)) if d > 1.0 else gk * 0.9
            n = 0.85 + 0.3 * sky_n[i]
            R[i] = base[0] * n + gcol[0] * glow * 0.55
            G[i] = base[1] * n + gcol[1] * glow * 0.55
            B[i] = base[2] * n + gcol[2] * glow * 0.55


def paint_stars(sc):
    """Stars, fading towards the horizon and near the moon."""
    w, h, s, rng, cv = sc.w, sc.h, sc.s, sc.rng, sc.cv
    mx, my, mrad, lake_y = sc.mx, sc.my, sc.mrad, sc.lake_y
    count = int(w * h / 170 * sc.theme['stars'])
    for _ in range(count):
        x = rng.uniform(0, w)
        y = rng.uniform(0, lake_y) ** 1.0
        y = y * rng.random() ** 0.35
        mag = rng.random() ** 3.2
        tint = rng.random()
        d = math.hypot(x - mx, y - my) / mrad
        fade = clamp((lake_y * 0.92 - y) / (lake_y * 0.35)) * clamp((d - 1.6) / 3.0)
        a = (0.18 + 0.82 * mag) * fade
        if a <= 0.02:
            continue
        col = (200 + 55 * tint, 210 + 30 * tint, 255 - 40 * tint) if tint > 0.5 else (190, 205, 255)
        ix, iy = int(x), int(y)
        cv.blend(iy * w + ix, col, min(1.0, a))
        if mag > 0.55:
            for (ddx, ddy) in ((1, 0), (-1, 0), (0, 1), (0, -1)):
                jx, jy = ix + ddx, iy + ddy
                if 0 <= jx < w and 0 <= jy < h:
                    cv.blend(jy * w + jx, col, a * 0.35)
        if mag > 0.85:
            add_glow(cv, ix + 0.5, iy + 0.5, 1.4 * s, col, 0.12 * a)


def paint_moon(sc):
    """The moon: a softly mottled disc with a darker limb."""
    w, h, seed, cv = sc.w, sc.h, sc.seed, sc.cv
    mx, my, mrad = sc.mx, sc.my, sc.mrad
    maria = noise_grid(int(mrad * 2 + 4), int(mrad * 2 + 4), mrad * 0.6, mrad * 0.6, seed + 5, 4)
    mw = int(mrad * 2 + 4)
    mcol = sc.theme['moon_col']
    for y in range(max(0, int(my - mrad - 2)), min(h, int(my + mrad + 2))):
        for x in range(max(0, int(mx - mrad - 2)), min(w, int(mx + mrad + 2))):
            dx, dy = x + 0.5 - mx, y + 0.5 - my
            d = math.hypot(dx, dy)
            a = clamp(mrad - d + 0.5)
            if a <= 0.0:
                continue
            lx = int(dx + mrad + 2)
            ly = int(dy + mrad + 2)
            n = maria[min(mw - 1, ly) * mw + min(mw - 1, lx)]
            limb = 1.0 - 0.22 * (d / mrad) ** 3
            k = limb * (0.86 + 0.2 * smoothstep(0.35, 0.65, n))
            cv.blend(y * w + x, (mcol[0] * k, mcol[1] * k, mcol[2] * k), a)


def paint_clouds(sc):
    """Wisps of cloud in two bands, lit from the moon side."""
    w, h, s, seed, cv = sc.w, sc.h, sc.s, sc.seed, sc.cv
    mx, my, mrad, lake_y, theme = sc.mx, sc.my, sc.mrad, sc.lake_y, sc.theme
    cl = noise_grid(w, h, 110 * s, 14 * s, seed + 7, 5)
    cdark, clit = theme['cloud_dark'], theme['cloud_lit']
    bands = [(0.36, 0.055), (0.21, 0.045)]
    for y in range(int(lake_y)):
        band = 0.0
        for (bc, bw) in bands:
            band = max(band, math.exp(-((y / h - bc) / bw) ** 2))
        if band < 0.02:
            continue
        for x in range(w):
            i = y * w + x
            dens = smoothstep(0.50, 0.72, cl[i]) * band
            if dens <= 0.01:
                continue
            d = math.hypot(x + 0.5 - mx, y + 0.5 - my) / mrad
            litk = clamp(1.6 * math.exp(-(d - 1.0) * 0.55)) if d > 1.0 else 1.0
            edge = 1.0 - smoothstep(0.55, 0.95, dens)
            col = mix(cdark, clit, clamp(litk * (0.25 + 0.75 * edge)))
            cv.blend(i, col, dens * 0.85)


def paint_far_range(sc, rock_tex, mist):
    """The distant mountain range, with mist along its foot."""
    w, h, s, ss, seed, cv = sc.w, sc.h, sc.s, sc.ss, sc.seed, sc.cv
    lake_y, light, theme = sc.lake_y, sc.light, sc.theme
    far = ridge_profile(w * ss, lake_y - 0.06 * h, 0.10 * h, 52 * s * ss, seed + 11, 0.55)
    fill_ridge(cv, far, ss, lake_y, theme['far'][0], theme['far'][1], mix(theme['far'][0], theme['far_rim'], 0.45),
               4 * s, light, rock_tex, 0.10)
    add_mist(cv, lake_y - 0.018 * h, 0.022 * h, theme['mist'], 0.35, mist)


def paint_hills(sc, rock_tex):
    """The nearer hills along the lake shore."""
    w, h, s, ss, seed, cv = sc.w, sc.h, sc.s, sc.ss, sc.seed, sc.cv
    lake_y, light, theme = sc.lake_y, sc.light, sc.theme
    mid = ridge_profile(w * ss, lake_y - 0.005 * h, 0.035 * h, 30 * s * ss, seed + 15, 0.3)
    fill_ridge(cv, mid, ss, lake_y + 1, theme['mid'][0], theme['mid'][1], theme['mid_rim'], 2 * s, light,
               rock_tex, 0.15)


def paint_crag(sc, rock_tex):
    """The crag and its building: a flat top, a sheer face on one side and
    broken, stepped slopes."""
    w, h, s, ss, seed, cv = sc.w, sc.h, sc.s, sc.ss, sc.seed, sc.cv
    lake_y, light, theme = sc.lake_y, sc.light, sc.theme
    tower = theme['building'] == 'tower'
    crag_x = (0.655 if tower else 0.74) * w
    crag_top = lake_y - (0.15 if tower else 0.12) * h
    flat = (13 if tower else 40) * s
    crag_n = noise_line(w * ss, 7 * s * ss, seed + 17, 5)
    ledge_n = noise_line(w * ss, 22 * s * ss, seed + 18, 3)
    steep = -theme['light_dir']
    crag = []
    for k in range(w * ss):
        dx = k / ss - crag_x
        side_w = (0.16 if dx * steep > 0 else 0.30) * w
        t = clamp((abs(dx) - flat) / side_w)
        b = (1.0 - t) ** (1.25 if dx * steep > 0 else 1.9)
        if 0.0 < t < 1.0:
            # ledges: flatten the slope in places, drop it in others
            q = b * 5.0 + ledge_n[k] * 1.5
            b -= 0.08 * (q - math.floor(q))
            b += (crag_n[k] - 0.5) * 0.22 * (1.0 - b * 0.7)
        b = clamp(b)
        y = lake_y + 2 - b * (lake_y + 2 - crag_top)
        if t <= 0.0:
            y += (crag_n[k] - 0.5) * 2.0 * s
        crag.append(y)
    fill_ridge(cv, crag, ss, lake_y + 1, theme['rock'][0], theme['rock'][1], theme['rock_rim'], 3 * s, light,
               rock_tex, 0.30)
    if tower:
        draw_tower(cv, crag_x, crag_top + 2 * s, s, theme)
    else:
        draw_fortress(cv, crag_x, crag_top + 2 * s, s, theme)


def paint_lake(sc, mist):
    """The lake mirrors everything above it, broken up by ripples."""
    w, h, s, seed, cv = sc.w, sc.h, sc.s, sc.seed, sc.cv
    R, G, B = cv.r, cv.g, cv.b
    mx, mrad, lake_y, theme = sc.mx, sc.mrad, sc.lake_y, sc.theme
    mcol = theme['moon_col']
    snap = cv.copy()
    ripple = noise_grid(w, h, 40 * s, 1.6 * s, seed + 19, 3)
    water = theme['water']
    y_end = int(0.9 * h)
    for y in range(int(lake_y), y_end):
        dt = (y - lake_y) / (y_end - lake_y)
        src_y = int(2 * lake_y - y - 1)
        src_y = max(0, src_y)
        refl = 0.62 - 0.28 * dt
        gw = mrad * (0.7 + 2.2 * dt)
        for x in range(w):
            i = y * w + x
            n = ripple[i]
            sx = int(x + (n - 0.5) * (2 + 14 * dt) * s)
            sx = 0 if sx < 0 else w - 1 if sx >= w else sx
            j = src_y * w + sx
            k = refl * (0.8 + 0.4 * n)
            r = snap.r[j] * k + water[0] * (1 - refl)
            g = snap.g[j] * k + water[1] * (1 - refl)
            b = snap.b[j] * k + water[2] * (1 - refl)
            glint = math.exp(-((x + 0.5 - mx) / gw) ** 2) * max(0.0, n - 0.52) * 3.2
            glint = glint * glint * (1.0 - 0.5 * dt)
            R[i] = r + mcol[0] * glint
            G[i] = g + mcol[1] * glint
            B[i] = b + mcol[2] * glint
    add_mist(cv, lake_y + 0.01 * h, 0.012 * h, theme['mist'], 0.18, mist)


def paint_foreground(sc):
    """The dark bank in front, its reeds and the tree."""
    w, h, s, ss, seed, rng, cv = sc.w, sc.h, sc.s, sc.ss, sc.seed, sc.rng, sc.cv
    light, theme = sc.light, sc.theme
    tree_x = theme['tree_x'] * w
    bank = ridge_profile(w * ss, 0.885 * h, 0.035 * h, 60 * s * ss, seed + 21, 0.2)
    for k in range(w * ss):
        u = k / ss / w
        bank[k] -= 0.08 * h * math.exp(-((u - theme['tree_x']) / 0.2) ** 2)
    near_tex = noise_grid(w, h, 10 * s, 10 * s, seed + 23, 3)
    fill_ridge(cv, bank, ss, h, theme['near'], (2, 2, 5), theme['near_rim'], 2 * s, light, near_tex, 0.5)
    near = theme['near']
    for _ in range(int(70 * s)):
        x = rng.uniform(0, w)
        k = min(w * ss - 1, int(x * ss))
        y = bank[k] + 1.5
        ln = rng.uniform(3, 12) * s
        lean = rng.uniform(-0.35, 0.35)
        capsule(cv, x, y, x + lean * ln, y - ln, 0.7 * s, 0.3, near)
    k = int(tree_x * ss)
    draw_tree(cv, tree_x, bank[k] + 4 * s, 62 * s, -math.pi / 2 + 0.08, 3.6 * s, 7, Rand(seed + 3), near)


def paint_vignette(sc):
    """A vignette and a little grain (it also helps the palette reduction)."""
    w, h, seed, cv = sc.w, sc.h, sc.seed, sc.cv
    R, G, B = cv.r, cv.g, cv.b
    for y in range(h):
        v = (y + 0.5) / h - 0.45
        for x in range(w):
            u = (x + 0.5) / w - 0.5
            f = 1.0 - 0.55 * (u * u * 1.2 + v * v) ** 1.1
            i = y * w + x
            gr = (hash01(x, y, seed + 77) - 0.5) * 3.0
            R[i] = R[i] * f + gr
            G[i] = G[i] * f + gr
            B[i] = B[i] * f + gr


# ---------------------------------------------------------------------------
# Frames, stone and panels
# ---------------------------------------------------------------------------

BRONZE = [(0.0, (18, 11, 5)), (0.3, (74, 46, 20)), (0.55, (142, 96, 44)), (0.8, (208, 164, 88)),
          (1.0, (246, 220, 148)), (1.25, (255, 248, 214))]

# across a 10 pixel moulding, from the outside in: (facing, brightness)
FRAME_PROFILE = [(0.2, 0.45), (0.95, 1.0), (0.6, 1.0), (0.0, 1.0), (-0.6, 1.0), (-0.95, 1.0),
                 (0.0, 0.45), (0.75, 0.95), (-0.75, 0.95), (0.0, 0.35)]


def bronze(level):
    return gradient(BRONZE, clamp(level, 0.0, 1.25))


def draw_frame(cv, x0, y0, x1, y1, width, seed):
    """Bevelled bronze moulding inside the rectangle [x0, x1) x [y0, y1)."""
    tex = noise_grid(cv.w, cv.h, 30, 30, seed, 3)
    for y in range(y0, y1):
        for x in range(x0, x1):
            d_l, d_t, d_r, d_b = x - x0, y - y0, x1 - 1 - x, y1 - 1 - y
            d = min(d_l, d_t, d_r, d_b)
            if d >= width:
                continue
            # top and left faces lean towards the light, bottom and right away
            if d == d_t or d == d_l:
                facing = 1.0 if (d == d_t and d_t <= d_r) or (d == d_l and d_l <= d_b) else -1.0
            else:
                facing = -1.0
            p = FRAME_PROFILE[min(9, int(d * 10 / width))]
            lit = p[0] * facing
            level = (0.58 + 0.42 * lit) * p[1]
            i = y * cv.w + x
            level *= 0.92 + 0.16 * tex[i]
            col = bronze(level)
            if lit > 0.7:
                col = mix(col, (255, 250, 225), (lit - 0.7) * 0.6)
            cv.r[i], cv.g[i], cv.b[i] = col


def draw_bar(cv, x0, x1, y0, y1, seed):
    """A vertical bronze bar between two picture areas."""
    tex = noise_grid(x1 - x0, y1 - y0, 4, 40, seed, 3)
    width = x1 - x0
    for y in range(y0, y1):
        for x in range(x0, x1):
            d = x - x0
            p = FRAME_PROFILE[1 + min(4, int(d * 5 / width))]
            level = (0.58 + 0.42 * p[0]) * p[1]
            if d == 0 or d == width - 1:
                level *= 0.45
            level *= 0.92 + 0.16 * tex[(y - y0) * width + d]
            cv.r[y * cv.w + x], cv.g[y * cv.w + x], cv.b[y * cv.w + x] = bronze(level)


def stud(cv, cx, cy, r):
    """A small domed rivet."""
    for y in range(int(cy - r - 2), int(cy + r + 2)):
        for x in range(int(cx - r - 2), int(cx + r + 2)):
            if not (0 <= x < cv.w and 0 <= y < cv.h):
                continue
            dx, dy = (x + 0.5 - cx) / r, (y + 0.5 - cy) / r
            d2 = dx * dx + dy * dy
            i = y * cv.w + x
            a_sh = clamp(r + 1.2 - math.sqrt(d2) * r)
            if a_sh > 0:
                cv.scale(i, 1.0 - 0.6 * a_sh)
            a = clamp(r - math.sqrt(d2) * r + 0.5)
            if a <= 0:
                continue
            nz = math.sqrt(max(0.0, 1.0 - min(1.0, d2)))
            lit = -0.5 * dx - 0.6 * dy + 0.62 * nz
            col = bronze(0.25 + 0.85 * lit)
            if lit > 0.8:
                col = mix(col, (255, 252, 235), (lit - 0.8) * 2.5)
            cv.blend(i, col, a)


def inner_shadow(cv, x0, y0, x1, y1, depth=5.0, strength=0.6):
    """Shadow cast by a frame over the top and left of a recessed area."""
    for y in range(y0, y1):
        for x in range(x0, x1):
            d = min(x - x0 + 0.5, (y - y0 + 0.5) * 0.8)
            e = min(x1 - x + 0.5, y1 - y + 0.5)
            f = strength * math.exp(-d / (depth * 0.45)) + 0.25 * math.exp(-e / 1.2)
            if f > 0.004:
                cv.scale(y * cv.w + x, 1.0 - min(0.85, f))


def engrave_line(cv, xa, xb, y, fade=20.0, depth=1.0):
    """A chiselled groove: dark upper edge, lit lower edge, fading ends."""
    for x in range(int(xa), int(xb)):
        f = clamp(min(x - xa, xb - x) / fade) * depth
        cv.scale(y * cv.w + x, 1.0 - 0.55 * f)
        cv.add((y + 1) * cv.w + x, (26, 27, 32), f)


def engrave_diamond(cv, cx, cy, r):
    for y in range(int(cy - r - 1), int(cy + r + 2)):
        for x in range(int(cx - r - 1), int(cx + r + 2)):
            dx, dy = x + 0.5 - cx, y + 0.5 - cy
            d = abs(dx) + abs(dy)
            a = clamp(r - d + 0.5)
            if a <= 0:
                continue
            i = y * cv.w + x
            # a sunken cut: the lower-right walls face the light
            if dx + dy > 0.0:
                cv.add(i, (24, 25, 30), a)
            else:
                cv.scale(i, 1.0 - 0.5 * a)


# ---------------------------------------------------------------------------
# The menu's cells, read from menuItemRect in launcher/menu_layout.cpp so the
# tablets sit where the program puts the items; any other shape of that
# function stops the script (tools/README.md)
# ---------------------------------------------------------------------------

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LAYOUT_SOURCE = os.path.join('launcher', 'menu_layout.cpp')
LAYOUT_HEADER = os.path.join('launcher', 'menu_layout.h')

BRANCH = r'\s*(?:if\s*\((?P<cond>[^(){};]*)\)\s*)?return\s*(?:\{(?P<rect>[^{};]*)\}|(?P<named>k\w+));'
# integers, names and the operators C++ and Python read alike ('&&' and '||' aside)
TOKEN = re.compile(r'\s*(?:(?P<number>\d+)|(?P<name>[A-Za-z_]\w*)|(?P<op>&&|\|\||[=!<>]=|[-+*<>()]))')


def layout_error(message):
    sys.exit('make_artwork.py: reading the menu from %s: %s' % (LAYOUT_SOURCE, message))


def int_constants(text):
    """The `kName = 123` constants and enumerators of a C++ file."""
    return {name: int(value) for name, value in re.findall(r'\b(k\w+) = (-?\d+)[;,]', text)}


def evaluate(expr, names):
    """An integer expression or condition from the C++ source, worked out."""
    words, pos, expr = [], 0, expr.strip()
    while pos < len(expr):
        m = TOKEN.match(expr, pos)
        if not m or (m.group('name') and m.group('name') not in names):
            layout_error('cannot read %r' % expr)
        if m.group('name'):
            words.append(str(names[m.group('name')]))
        else:
            op = m.group('number') or m.group('op')
            words.append({'&&': 'and', '||': 'or'}.get(op, op))
        pos = m.end()
    try:
        return eval(' '.join(words), {'__builtins__': {}})
    except SyntaxError:
        layout_error('cannot read %r' % expr)


def menu_cells(root):
    """(left, top, width, height) of each menu item's rectangle, in item order."""
    with open(os.path.join(root, LAYOUT_SOURCE)) as f:
        source = f.read()
    with open(os.path.join(root, LAYOUT_HEADER)) as f:
        names = int_constants(f.read())
    names.update(int_constants(source))
    body = re.search(r'\nMenuRect menuItemRect\(int item\) \{\n(.*?)\n\}\n', source, re.S)
    if not body:
        layout_error('no "MenuRect menuItemRect(int item) {" ... "}"')
    if not re.fullmatch('(?:%s)+\\s*' % BRANCH, body.group(1)):
        layout_error('menuItemRect is no longer a run of "if (...) return {...};" or "... return kName;"')
    named_rects = dict(re.findall(r'\bconstexpr MenuRect (k\w+) = \{([^{};]*)\};', source))
    branches = []
    for m in re.finditer(BRANCH, body.group(1)):
        if m.group('named') and m.group('named') not in named_rects:
            layout_error('no "constexpr MenuRect %s = {...};"' % m.group('named'))
        rect = m.group('rect') if m.group('rect') is not None else named_rects[m.group('named')]
        branches.append((m.group('cond'), rect.split(',')))
    if branches[-1][0] is not None or any(len(rect) != 4 for _, rect in branches):
        layout_error('menuItemRect must end in a plain return, each of four values')
    if not names.get('kMenuItemCount'):
        layout_error('no kMenuItemCount in %s' % LAYOUT_HEADER)
    cells = []
    for item in range(names['kMenuItemCount']):
        names['item'] = item
        rect = next(rect for cond, rect in branches if cond is None or evaluate(cond, names))
        left, top, right, bottom = [evaluate(v, names) for v in rect]
        if right <= left or bottom <= top:
            layout_error('item %d has an empty rectangle' % item)
        cells.append((left, top, right - left, bottom - top))
    return cells


def draw_stone_panel(cv, x0, y0, x1, y1, seed, cells):
    """Dark slate wall with one raised tablet per menu cell (left, top, width, height)."""
    if any(cx < x0 or cy < y0 or cx + cw > x1 or cy + ch > y1 for (cx, cy, cw, ch) in cells):
        sys.exit('make_artwork.py: a menu cell lies outside the stone panel: %r' % (cells,))
    w, h = x1 - x0, y1 - y0
    mott = noise_grid(w, h, 70, 50, seed, 5)
    grit = noise_grid(w, h, 2.5, 2.5, seed + 1, 2)
    vein = noise_grid(w, h, 110, 60, seed + 2, 5)
    tint = [smoothstep(0.35, 0.65, v) for v in noise_grid(w, h, 120, 90, seed + 3, 3)]
    label = [-1] * (w * h)
    for idx, (cx, cy, cw, ch) in enumerate(cells):
        for y in range(cy, cy + ch):
            for x in range(cx, cx + cw):
                label[(y - y0) * w + x - x0] = idx
    ax0, ay0 = min(c[0] for c in cells), min(c[1] for c in cells)
    ax1 = max(c[0] + c[2] for c in cells)
    ay1 = max(c[1] + c[3] for c in cells)
    tone = [(hash01(k, 3, seed) - 0.5) * 5.0 for k in range(len(cells))]
    for y in range(y0, y1):
        for x in range(x0, x1):
            li = (y - y0) * w + x - x0
            m = mott[li] - 0.5
            gr = grit[li] - 0.5
            vd = max(0.0, 1.0 - abs(vein[li] - 0.5) / 0.010)
            idx = label[li]
            if idx >= 0:
                cx, cy, cw, ch = cells[idx]
                L = 37.0 + 26.0 * m + 6.0 * gr - 7.0 * vd + tone[idx]
                L += 4.0 * (1.0 - (y - cy) / ch) - 2.0
                dt, dl = y - cy, x - cx
                db, dr = cy + ch - 1 - y, cx + cw - 1 - x
                if min(dt, dl) <= 1 and min(dt, dl) <= min(db, dr):
                    L += 13.0 if min(dt, dl) == 0 else 6.0
                elif min(db, dr) <= 1:
                    L -= 12.0 if min(db, dr) == 0 else 6.0
            elif ax0 - 1 <= x <= ax1 and ay0 - 1 <= y <= ay1:
                L = 10.0 + 4.0 * gr      # joints between the tablets
            else:
                L = 27.0 + 22.0 * m + 12.0 * gr - 8.0 * vd
            if gr < -0.38:
                L -= 5.0            # pits in the surface
            i = y * cv.w + x
            k = tint[li]
            cv.r[i] = L * (0.90 + 0.16 * k)
            cv.g[i] = L * (0.96 + 0.02 * k)
            cv.b[i] = L * (1.12 - 0.16 * k)
    # carved ornaments above and below the tablets
    cx = (ax0 + ax1) / 2.0
    for yy in (y0 + (ay0 - y0) // 2 - 1, ay1 + (y1 - ay1) // 2 - 1):
        engrave_line(cv, ax0 + 24, cx - 10, yy, 40.0)
        engrave_line(cv, cx + 11, ax1 - 24, yy, 40.0)
        engrave_diamond(cv, cx + 0.5, yy + 1.0, 5.0)


def make_highlight(w, h, ornaments=True):
    """The panel drawn behind the selected menu line: dark blue-black glass
    in a thin bronze rim, softly lit from within."""
    cv = Canvas(w, h)
    tex = noise_grid(w, h, 40, 12, 401 + w, 3)
    for y in range(h):
        for x in range(w):
            i = y * w + x
            d = min(x, y, w - 1 - x, h - 1 - y)
            upper = (y <= x and y <= w - 1 - x and y <= h - 1 - y) or (x < y and x <= h - 1 - y and x <= w - 1 - x)
            if d == 0:
                col = (14, 10, 6)
            elif d == 1:
                col = bronze(0.86 if upper else 0.5)
            elif d == 2:
                col = bronze(0.28) if upper else (10, 8, 8)
            elif d == 3:
                col = (6, 7, 12)
            else:
                t = y / (h - 1.0)
                col = gradient([(0.0, (30, 36, 60)), (0.3, (19, 24, 44)), (1.0, (8, 10, 22))], t)
                e = ((x - w / 2.0) / (w * 0.42)) ** 2 + ((y - h * 0.45) / (h * 0.55)) ** 2
                col = mix(col, (30, 40, 70), 0.6 * math.exp(-e * 1.8))
                g = math.exp(-(d - 4) / 2.6)
                col = (col[0] + 70 * g * 0.55, col[1] + 46 * g * 0.55, col[2] + 18 * g * 0.55)
                if y == 4:
                    col = (col[0] + 16, col[1] + 18, col[2] + 24)
                n = 0.94 + 0.12 * tex[i]
                col = (col[0] * n, col[1] * n, col[2] * n)
            cv.r[i], cv.g[i], cv.b[i] = col
    if ornaments:
        for cx in (11.5, w - 11.5):
            diamond(cv, cx, h / 2.0, 4.2, (20, 12, 6))
            diamond(cv, cx, h / 2.0, 3.0, bronze(0.9))
            diamond(cv, cx - 0.5, h / 2.0 - 0.5, 1.2, (255, 240, 190), 0.8)
    return cv


# ---------------------------------------------------------------------------
# Complete pictures
# ---------------------------------------------------------------------------

TAGLINES = {'QUARLOCK2': 'THE SHADOWED THRONE', 'KAVRIS2': 'REALM OF EMBERS'}
PUBLISHER = 'ORVANE'


def logo_onto_scene(cv, title, sx0, sy0, sw, sh, style, max_cap, top):
    """Places the logo and its caption centred over a scene area."""
    clip = (sx0, sy0, sx0 + sw, sy0 + sh)
    probe = TextField(title, 100, margin=0)
    cap = min(max_cap, (sw - 26) * 100.0 / probe.w)
    field = TextField(title, cap)
    ox = int(round(sx0 + (sw - (field.w - 2 * field.left)) / 2.0)) - field.left
    oy = sy0 + top - field.top
    paint_logo(cv, field, ox, oy, style, clip)
    cap_y = oy + field.top + int(cap * 1.16) + 4
    ruled_caption(cv, TAGLINES[title], sx0 + sw / 2.0, cap_y, max(7.0, cap * 0.2),
                  (214, 196, 150), (200, 160, 90), clip)
    # the publisher's mark along the dark foreground
    ruled_caption(cv, PUBLISHER, sx0 + sw / 2.0, sy0 + sh - 22, 8.0, (176, 146, 96), (150, 112, 60),
                  clip, tracking=40.0, rule=40)


def ruled_caption(cv, text, cx, top, cap, col, rule_col, clip, tracking=26.0, rule=26):
    """A caption between two short rules ending in small diamonds."""
    a, b = paint_caption(cv, text, cx, top, cap, col, clip, tracking)
    mid = int(top + cap / 2.0)
    for (xa, xb) in ((a - 8 - rule, a - 8), (b + 8, b + 8 + rule)):
        for x in range(int(xa), int(xb)):
            f = clamp(min(x - xa, xb - x) / 8.0)
            cv.blend(mid * cv.w + x, rule_col, 0.8 * f)
        diamond(cv, xa - 1 if xa < a else xb + 1, mid + 0.5, 2.2, mix(col, rule_col, 0.5))


def make_title(scene, title, style, cells):
    cv = Canvas(640, 480, (10, 10, 12))
    cv.paste(scene, 10, 10)
    logo_onto_scene(cv, title, 10, 10, 302, 460, style, 56, 22)
    inner_shadow(cv, 10, 10, 312, 470)
    draw_stone_panel(cv, 320, 10, 630, 470, 5150, cells)
    inner_shadow(cv, 320, 10, 630, 470)
    draw_bar(cv, 312, 320, 0, 480, 77)
    draw_frame(cv, 0, 0, 640, 480, 10, 61)
    for (x, y) in ((5, 5), (634, 5), (5, 474), (634, 474), (316, 5), (316, 474)):
        stud(cv, x + 0.5, y + 0.5, 3.6)
    return cv


def make_portrait(title, theme, style):
    cv = Canvas(280, 439)
    scene = render_scene(264, 423, theme)
    cv.paste(scene, 8, 8)
    logo_onto_scene(cv, title, 8, 8, 264, 423, style, 60, 22)
    inner_shadow(cv, 8, 8, 272, 431)
    draw_frame(cv, 0, 0, 280, 439, 8, 91)
    for (x, y) in ((4, 4), (275, 4), (4, 434), (275, 434)):
        stud(cv, x + 0.5, y + 0.5, 3.0)
    return cv


# ---------------------------------------------------------------------------
# The icon: a bronze-rimmed shield bearing a golden Q
# ---------------------------------------------------------------------------

def shield_inside(u, v, inset):
    top = 0.04 + inset
    if v < top:
        return False
    mid = 0.5
    hw = 0.44 - inset
    if v > mid:
        bottom = 0.98 - inset * 1.6
        t = (v - mid) / (bottom - mid)
        if t >= 1.0:
            return False
        hw *= math.cos(t * math.pi / 2) ** 0.7
    return abs(u - 0.5) <= hw


def make_icon_image(size):
    ss = 8
    px = 1.0 / size
    rim1, rim2 = (1.0 * px, 2.6 * px) if size >= 32 else (1.0 * px, 1.9 * px)
    cv = Canvas(size, size)
    alpha = [0.0] * (size * size)
    for y in range(size):
        for x in range(size):
            acc = [0.0, 0.0, 0.0]
            cover = 0
            for sy in range(ss):
                for sx in range(ss):
                    u = (x + (sx + 0.5) / ss) / size
                    v = (y + (sy + 0.5) / ss) / size
                    if not shield_inside(u, v, 0.0):
                        continue
                    cover += 1
                    if not shield_inside(u, v, rim1):
                        col = (22, 12, 5)
                    elif not shield_inside(u, v, rim2):
                        col = bronze(1.0 - 0.7 * v + 0.2 * (0.5 - u))
                    else:
                        t = v
                        col = gradient([(0.0, (44, 64, 128)), (0.55, (22, 32, 74)), (1.0, (10, 14, 38))], t)
                        if u + v < 0.62:
                            col = mix(col, (70, 94, 160), 0.35)
                    acc[0] += col[0]
                    acc[1] += col[1]
                    acc[2] += col[2]
            i = y * size + x
            if cover:
                cv.r[i], cv.g[i], cv.b[i] = acc[0] / cover, acc[1] / cover, acc[2] / cover
            alpha[i] = cover / (ss * ss)
    # the letter
    cap = 15.0 if size >= 32 else 8.0
    field = TextField('Q', cap, condense=0.92, margin=3, min_radius=0.6 if size >= 32 else 0.55,
                      weight=1.0 if size >= 32 else 0.95)
    ox = int(round(size / 2.0 - (field.w - 2 * field.left) / 2.0)) - field.left
    oy = int(round(size * (0.44 if size >= 32 else 0.47) - cap / 2.0)) - field.top
    outline = field.coverage(1.0 if size >= 32 else 0.45)
    fill = field.coverage(0.0)
    for y in range(field.h):
        for x in range(field.w):
            X, Y = ox + x, oy + y
            if not (0 <= X < size and 0 <= Y < size):
                continue
            i = y * field.w + x
            ci = Y * size + X
            if alpha[ci] <= 0.0:
                continue
            if outline[i] > 0:
                cv.blend(ci, (16, 8, 2), outline[i] * 0.9)
            if fill[i] > 0:
                t = clamp((y + 0.5 - field.top) / cap)
                col = gradient(GOLD['stops'], t)
                lit = field.NX[i] * -0.55 + field.NY[i] * -0.83
                m = 1.0 + (0.35 * lit if field.H[i] < 1.2 else 0.0)
                cv.blend(ci, (col[0] * m, col[1] * m, col[2] * m), fill[i])
    mask = [a >= 0.5 for a in alpha]
    return cv, mask


# ---------------------------------------------------------------------------
# Palette reduction
# ---------------------------------------------------------------------------

WR, WG, WB = 2.0, 4.0, 3.0     # channel weights for colour distances


class NearestColour:
    """Finds the closest palette entry; entries are kept sorted by green so
    the search can stop as soon as the green difference alone is too big."""

    def __init__(self, palette):
        order = sorted(range(len(palette)), key=lambda k: (palette[k][1], palette[k][0], palette[k][2], k))
        self.order = order
        self.cols = [palette[k] for k in order]
        self.greens = [c[1] for c in self.cols]

    def find(self, r, g, b):
        greens, cols = self.greens, self.cols
        n = len(cols)
        hi = bisect.bisect_left(greens, g)
        lo = hi - 1
        best, bi = float('inf'), 0
        while lo >= 0 or hi < n:
            if hi < n:
                dg = greens[hi] - g
                if WG * dg * dg >= best:
                    hi = n
                else:
                    c = cols[hi]
                    d = WR * (c[0] - r) ** 2 + WG * dg * dg + WB * (c[2] - b) ** 2
                    if d < best:
                        best, bi = d, hi
                    hi += 1
            if lo >= 0:
                dg = greens[lo] - g
                if WG * dg * dg >= best:
                    lo = -1
                else:
                    c = cols[lo]
                    d = WR * (c[0] - r) ** 2 + WG * dg * dg + WB * (c[2] - b) ** 2
                    if d < best:
                        best, bi = d, lo
                    lo -= 1
        return self.order[bi]


def median_cut(entries, n):
    """entries: list of (r, g, b, count).  Splits the colour box with the
    largest weighted spread until there are n boxes; returns their means."""
    def stats(box):
        tot = sum(e[3] for e in box)
        means = [sum(e[c] * e[3] for e in box) / tot for c in range(3)]
        var = [sum(e[3] * (e[c] - means[c]) ** 2 for e in box) for c in range(3)]
        wvar = [var[0] * WR, var[1] * WG, var[2] * WB]
        axis = max(range(3), key=lambda c: (wvar[c], -c))
        return tot, means, wvar[axis], axis

    boxes = [(entries, stats(entries))]
    while len(boxes) < n:
        best_k, best_score = -1, 0.0
        for k, (box, st) in enumerate(boxes):
            if len(box) > 1 and st[2] > best_score:
                best_k, best_score = k, st[2]
        if best_k < 0:
            break
        box, st = boxes.pop(best_k)
        axis = st[3]
        box = sorted(box, key=lambda e: (e[axis], e[0], e[1], e[2]))
        half = st[0] / 2.0
        acc, cut = 0, 1
        for k, e in enumerate(box):
            acc += e[3]
            if acc >= half:
                cut = min(max(k + 1, 1), len(box) - 1)
                break
        a, b = box[:cut], box[cut:]
        boxes.append((a, stats(a)))
        boxes.append((b, stats(b)))
    return [tuple(st[1]) for _, st in boxes]


def build_palette(pixels, n=256, iterations=4):
    hist = {}
    for (r, g, b) in pixels:
        key = ((r >> 2) << 12) | ((g >> 2) << 6) | (b >> 2)
        e = hist.get(key)
        if e is None:
            hist[key] = [1, r, g, b]
        else:
            e[0] += 1
            e[1] += r
            e[2] += g
            e[3] += b
    entries = [(e[1] / e[0], e[2] / e[0], e[3] / e[0], e[0]) for _, e in sorted(hist.items())]
    palette = median_cut(entries, n)
    # a few rounds of k-means polish the box averages
    for _ in range(iterations):
        near = NearestColour([tuple(int(round(c)) for c in p) for p in palette])
        sums = [[0.0, 0.0, 0.0, 0.0] for _ in palette]
        for (r, g, b, cnt) in entries:
            s = sums[near.find(r, g, b)]
            s[0] += r * cnt
            s[1] += g * cnt
            s[2] += b * cnt
            s[3] += cnt
        palette = [(s[0] / s[3], s[1] / s[3], s[2] / s[3]) if s[3] else p for s, p in zip(sums, palette)]
    pal = [tuple(max(0, min(255, int(round(c)))) for c in p) for p in palette]
    # darkest first, so index 0 is (near) black
    pal = sorted(set(pal), key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))
    while len(pal) < 256:
        pal.append((0, 0, 0))
    return pal


def bayer(n):
    m = [[0]]
    while len(m) < n:
        k = len(m)
        m = [[4 * m[y % k][x % k] + (0, 2, 3, 1)[(y // k) * 2 + (x // k)] for x in range(2 * k)]
             for y in range(2 * k)]
    return m


def quantise(cv, dither=5.0):
    """Reduces the picture to its own 256-colour palette with a light
    ordered dither.  Returns (palette, indices)."""
    pixels = cv.pixels()
    distinct = sorted(set(pixels), key=lambda c: (0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2], c))
    if len(distinct) <= 256:
        pal = distinct + [(0, 0, 0)] * (256 - len(distinct))
        lookup = {c: k for k, c in enumerate(distinct)}
        return pal, [lookup[p] for p in pixels]
    pal = build_palette(pixels)
    near = NearestColour(pal)
    mat = bayer(8)
    thr = [[(v + 0.5) / 64.0 - 0.5 for v in row] for row in mat]
    cache = {}
    out = []
    w = cv.w
    for k, (r, g, b) in enumerate(pixels):
        y, x = divmod(k, w)
        o = thr[y & 7][x & 7] * dither
        r = int(r + o + 0.5)
        g = int(g + o + 0.5)
        b = int(b + o + 0.5)
        r = 0 if r < 0 else 255 if r > 255 else r
        g = 0 if g < 0 else 255 if g > 255 else g
        b = 0 if b < 0 else 255 if b > 255 else b
        key = (r << 16) | (g << 8) | b
        idx = cache.get(key)
        if idx is None:
            idx = near.find(r, g, b)
            cache[key] = idx
        out.append(idx)
    return pal, out


# ---------------------------------------------------------------------------
# File writers
# ---------------------------------------------------------------------------

def bitmap_info(w, h, image_bytes, colours_used):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 0, image_bytes, 2835, 2835, colours_used, 0)


def palette_bytes(pal):
    return b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in pal)


def rows_bottom_up(indices, w, h):
    stride = (w + 3) & ~3
    pad = bytes(stride - w)
    return b''.join(bytes(indices[y * w:(y + 1) * w]) + pad for y in range(h - 1, -1, -1))


def write_bmp(path, cv, dither=5.0):
    pal, idx = quantise(cv, dither)
    pixels = rows_bottom_up(idx, cv.w, cv.h)
    info = bitmap_info(cv.w, cv.h, len(pixels), 256)
    offset = 14 + len(info) + 256 * 4
    head = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(head + info + palette_bytes(pal) + pixels)


def write_ico(path, images):
    """images: list of (canvas, opaque-mask).  8 bits per pixel plus the
    1-bit AND mask, as Windows icons expect."""
    blobs = []
    for cv, mask in images:
        w, h = cv.w, cv.h
        keep = Canvas(w, h)
        for i in range(w * h):
            if mask[i]:
                keep.r[i], keep.g[i], keep.b[i] = cv.r[i], cv.g[i], cv.b[i]
        pal, idx = quantise(keep, dither=0.0)
        xor = rows_bottom_up(idx, w, h)
        mstride = ((w + 31) // 32) * 4
        and_rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(w):
                if not mask[y * w + x]:
                    row[x >> 3] |= 0x80 >> (x & 7)
            and_rows.append(bytes(row))
        andmask = b''.join(and_rows)
        info = bitmap_info(w, h * 2, len(xor) + len(andmask), 0)
        blobs.append((w, h, info + palette_bytes(pal) + xor + andmask))
    out = struct.pack('<HHH', 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for (w, h, blob) in blobs:
        out += struct.pack('<BBBBHHII', w & 255, h & 255, 0, 0, 1, 8, len(blob), offset)
        offset += len(blob)
    out += b''.join(b for (_, _, b) in blobs)
    with open(path, 'wb') as f:
        f.write(out)


# ---------------------------------------------------------------------------

def main(argv):
    out_dir = argv[1] if len(argv) > 1 else os.path.join(ROOT, 'resources')
    cells = menu_cells(ROOT)
    os.makedirs(out_dir, exist_ok=True)
    start = time.time()

    def done(name):
        print('%-28s %5.1fs' % (name, time.time() - start))

    write_bmp(os.path.join(out_dir, 'title_highlight_wide.bmp'), make_highlight(295, 60))
    done('title_highlight_wide.bmp')
    write_bmp(os.path.join(out_dir, 'title_highlight_narrow.bmp'), make_highlight(147, 60, ornaments=False))
    done('title_highlight_narrow.bmp')

    scene = render_scene(302, 460, MOONLIT)
    write_bmp(os.path.join(out_dir, 'title_background.bmp'), make_title(scene, 'QUARLOCK2', GOLD, cells))
    done('title_background.bmp')
    write_bmp(os.path.join(out_dir, 'title_background_alt.bmp'), make_title(scene, 'KAVRIS2', EMBER, cells))
    done('title_background_alt.bmp')

    write_bmp(os.path.join(out_dir, 'portrait_kavris.bmp'), make_portrait('KAVRIS2', DUSK, EMBER))
    done('portrait_kavris.bmp')
    write_bmp(os.path.join(out_dir, 'portrait_quarlock.bmp'), make_portrait('QUARLOCK2', MOONLIT, GOLD))
    done('portrait_quarlock.bmp')

    write_ico(os.path.join(out_dir, 'launcher.ico'), [make_icon_image(32), make_icon_image(16)])
    done('launcher.ico')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
