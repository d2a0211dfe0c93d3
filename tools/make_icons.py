#!/usr/bin/env python3
"""Draws every icon and picture of Norvex and writes them to resources/icons/.

Standard library only. Each picture is drawn with simple shapes (polygons, ellipses,
strokes, arcs) on a grid four times finer than the output, composited there with
straight alpha, and averaged down, so the edges are anti-aliased and shapes that
touch do not leave seams.

Every .bmp is also drawn anew, from the same shapes, at 1.5 and 2 times its size for
displays at 150% and 200%: name@150.bmp and name@200.bmp beside name.bmp.

    python3 tools/make_icons.py                   # writes resources/icons/*
    python3 tools/make_icons.py --preview /tmp/p  # and a PNG preview of each file there:
                                                  # 1x and 4x on white, light grey and dark,
                                                  # and name@scales.png: 100%, 150% and 200%
                                                  # zoomed to one size, to compare them
    options: --out DIR (write the icons there instead), --scale N (preview zoom),
             --only a.bmp,b.ico (only these files)

Output formats (see resources/icons/README.md):
  *.bmp  32 bits per pixel, BI_RGB, BITMAPINFOHEADER, bottom-up rows, B G R A with a
         straight (not premultiplied) alpha in the fourth byte.
  *.ico  16, 20, 24, 32, 40, 48 and 64 pixel images, each a 32-bit BGRA DIB plus a
         1-bit AND mask.
"""

import math
import os
import struct
import sys
import zlib

SS = 4  # samples per output pixel, in each direction


# --------------------------------------------------------------------------------------
# colours
# --------------------------------------------------------------------------------------

def rgb(h, a=255):
    h = h.lstrip('#')
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), a)


def mix(c1, c2, t):
    a1 = c1[3] if len(c1) > 3 else 255
    a2 = c2[3] if len(c2) > 3 else 255
    return (c1[0] + (c2[0] - c1[0]) * t, c1[1] + (c2[1] - c1[1]) * t,
            c1[2] + (c2[2] - c1[2]) * t, a1 + (a2 - a1) * t)


WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)


def lighter(c, t):
    return mix(c, WHITE, t)


def darker(c, t):
    return mix(c, BLACK, t)


def alpha(c, a):
    return (c[0], c[1], c[2], a)


# --------------------------------------------------------------------------------------
# masks: one Python int per sample row, bit i = sample column i
# --------------------------------------------------------------------------------------

class Mask:
    __slots__ = ('w', 'h', 'rows')

    def __init__(self, w, h, rows=None):
        self.w, self.h = w, h
        self.rows = rows if rows is not None else [0] * h

    def full(self):
        return (1 << self.w) - 1

    def __or__(self, o):
        return Mask(self.w, self.h, [a | b for a, b in zip(self.rows, o.rows)])

    def __and__(self, o):
        return Mask(self.w, self.h, [a & b for a, b in zip(self.rows, o.rows)])

    def __sub__(self, o):
        return Mask(self.w, self.h, [a & ~b for a, b in zip(self.rows, o.rows)])

    def invert(self):
        f = self.full()
        return Mask(self.w, self.h, [f & ~a for a in self.rows])

    def _hmorph(self, r, erode):
        # horizontal erosion / dilation of every row by 0..r samples
        f = self.full()
        out = [list(self.rows)]
        cur = list(self.rows)
        for s in range(1, r + 1):
            if erode:
                cur = [c & (row >> s) & (row << s) for c, row in zip(cur, self.rows)]
            else:
                cur = [c | (row >> s) | ((row << s) & f) for c, row in zip(cur, self.rows)]
            out.append(cur)
        return out

    def _morph(self, rad, erode):
        r = int(round(rad * SS))
        if r <= 0:
            return Mask(self.w, self.h, list(self.rows))
        hm = self._hmorph(r, erode)
        rows = []
        for j in range(self.h):
            acc = None
            for dy in range(-r, r + 1):
                hx = int(math.floor(math.sqrt(max(0.0, (r + 0.3) ** 2 - dy * dy))))
                hx = min(hx, r)
                jj = j + dy
                v = hm[hx][jj] if 0 <= jj < self.h else 0
                if acc is None:
                    acc = v
                elif erode:
                    acc &= v
                else:
                    acc |= v
            rows.append(acc)
        return Mask(self.w, self.h, rows)

    def erode(self, rad):
        """rad in output pixels"""
        return self._morph(rad, True)

    def dilate(self, rad):
        return self._morph(rad, False)

    def border(self, width):
        """the inner band of the shape, width output pixels wide"""
        return self - self.erode(width)

    def shift(self, dx, dy):
        """move by whole samples"""
        f = self.full()
        rows = [0] * self.h
        for j, row in enumerate(self.rows):
            jj = j + dy
            if 0 <= jj < self.h:
                rows[jj] = ((row << dx) & f) if dx >= 0 else (row >> -dx)
        return Mask(self.w, self.h, rows)

    def empty(self):
        return not any(self.rows)


# --------------------------------------------------------------------------------------
# canvas: per-sample straight RGBA, painted with masks
# --------------------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h, crisp=False):
        self.w, self.h = w, h
        # crisp: G.spoly puts its corners on whole pixels; set for the 150% and 200% pictures,
        # where whole design units fall on half pixels, and off at 100% so those keep their pixels
        self.crisp = crisp
        self.sw, self.sh = w * SS, h * SS
        self.px = [None] * (self.sw * self.sh)

    def mask(self):
        return Mask(self.sw, self.sh)

    # ---- rasterisers (coordinates in output pixels, pixel (x, y) covers [x, x+1)) ----
    def _spans(self, m, j, spans):
        row = 0
        for xa, xb in spans:
            i0 = max(0, int(math.ceil(xa * SS - 0.5)))
            i1 = min(self.sw, int(math.ceil(xb * SS - 0.5)))
            if i1 > i0:
                row |= ((1 << (i1 - i0)) - 1) << i0
        m.rows[j] |= row

    def poly(self, *contours):
        """nonzero-winding polygon of one or more contours"""
        m = self.mask()
        edges = []
        ymin, ymax = 1e9, -1e9
        for pts in contours:
            n = len(pts)
            for k in range(n):
                x0, y0 = pts[k]
                x1, y1 = pts[(k + 1) % n]
                if y0 == y1:
                    continue
                d = 1
                if y0 > y1:
                    x0, y0, x1, y1, d = x1, y1, x0, y0, -1
                edges.append((y0, y1, x0, (x1 - x0) / (y1 - y0), d))
                ymin, ymax = min(ymin, y0), max(ymax, y1)
        if not edges:
            return m
        j0 = max(0, int(math.floor(ymin * SS - 0.5)))
        j1 = min(self.sh, int(math.ceil(ymax * SS + 0.5)))
        for j in range(j0, j1):
            y = (j + 0.5) / SS
            xs = []
            for (ey0, ey1, ex0, slope, d) in edges:
                if ey0 <= y < ey1:
                    xs.append((ex0 + (y - ey0) * slope, d))
            if not xs:
                continue
            xs.sort()
            spans, wind, start = [], 0, 0.0
            for x, d in xs:
                if wind == 0:
                    start = x
                wind += d
                if wind == 0:
                    spans.append((start, x))
            self._spans(m, j, spans)
        return m

    def ellipse(self, cx, cy, rx, ry):
        m = self.mask()
        if rx <= 0 or ry <= 0:
            return m
        j0 = max(0, int(math.floor((cy - ry) * SS - 0.5)))
        j1 = min(self.sh, int(math.ceil((cy + ry) * SS + 0.5)))
        for j in range(j0, j1):
            dy = ((j + 0.5) / SS - cy) / ry
            if dy * dy >= 1:
                continue
            hw = rx * math.sqrt(1 - dy * dy)
            self._spans(m, j, [(cx - hw, cx + hw)])
        return m

    def rect(self, x0, y0, x1, y1):
        return self.poly([(x0, y0), (x1, y0), (x1, y1), (x0, y1)])

    def rrect(self, x0, y0, x1, y1, r):
        r = max(0.0, min(r, (x1 - x0) / 2, (y1 - y0) / 2))
        if r <= 0:
            return self.rect(x0, y0, x1, y1)
        pts = []
        for (cx, cy, a0) in ((x1 - r, y0 + r, 0), (x0 + r, y0 + r, 90),
                             (x0 + r, y1 - r, 180), (x1 - r, y1 - r, 270)):
            for k in range(9):
                a = math.radians(a0 + k * 90 / 8)
                pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
        return self.poly(pts)

    def line(self, x0, y0, x1, y1, w, cap='butt'):
        dx, dy = x1 - x0, y1 - y0
        ln = math.hypot(dx, dy)
        if ln == 0:
            return self.ellipse(x0, y0, w / 2, w / 2) if cap == 'round' else self.mask()
        ux, uy = dx / ln, dy / ln
        nx, ny = -uy * w / 2, ux * w / 2
        if cap == 'square':
            x0, y0, x1, y1 = x0 - ux * w / 2, y0 - uy * w / 2, x1 + ux * w / 2, y1 + uy * w / 2
        m = self.poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])
        if cap == 'round':
            m = m | self.ellipse(x0, y0, w / 2, w / 2) | self.ellipse(x1, y1, w / 2, w / 2)
        return m

    def polyline(self, pts, w, cap='butt', join='miter', closed=False):
        """a stroked open (or closed) polyline; miter joins are computed exactly"""
        if join == 'round' or len(pts) < 3:
            m = self.mask()
            n = len(pts)
            segs = n if closed else n - 1
            for k in range(segs):
                a, b = pts[k], pts[(k + 1) % n]
                m = m | self.line(a[0], a[1], b[0], b[1], w, 'round' if join == 'round' else cap)
            return m
        h = w / 2
        n = len(pts)
        left, right = [], []

        def normal(a, b):
            dx, dy = b[0] - a[0], b[1] - a[1]
            ln = math.hypot(dx, dy) or 1
            return (-dy / ln, dx / ln), (dx / ln, dy / ln)

        for k in range(n):
            p = pts[k]
            if not closed and k == 0:
                (nx, ny), (ux, uy) = normal(pts[0], pts[1])
                if cap == 'square':
                    p = (p[0] - ux * h, p[1] - uy * h)
                left.append((p[0] + nx * h, p[1] + ny * h))
                right.append((p[0] - nx * h, p[1] - ny * h))
            elif not closed and k == n - 1:
                (nx, ny), (ux, uy) = normal(pts[-2], pts[-1])
                if cap == 'square':
                    p = (p[0] + ux * h, p[1] + uy * h)
                left.append((p[0] + nx * h, p[1] + ny * h))
                right.append((p[0] - nx * h, p[1] - ny * h))
            else:
                a, b = pts[(k - 1) % n], pts[(k + 1) % n]
                (n1x, n1y), _ = normal(a, p)
                (n2x, n2y), _ = normal(p, b)
                mx, my = n1x + n2x, n1y + n2y
                ml = math.hypot(mx, my) or 1
                mx, my = mx / ml, my / ml
                cosh = mx * n1x + my * n1y
                d = h / max(cosh, 0.25)
                left.append((p[0] + mx * d, p[1] + my * d))
                right.append((p[0] - mx * d, p[1] - my * d))
        if closed:
            return self.poly(left, list(reversed(right)))
        m = self.poly(left + list(reversed(right)))
        if cap == 'round':
            m = m | self.ellipse(pts[0][0], pts[0][1], h, h) | self.ellipse(pts[-1][0], pts[-1][1], h, h)
        return m

    def arc(self, cx, cy, r, a0, a1, w, cap='butt', steps=None):
        """stroke of a circular arc, angles in degrees, counter-clockwise from east (y up)"""
        if steps is None:
            steps = max(8, int(abs(a1 - a0) / 4))
        ro, ri = r + w / 2, r - w / 2
        outer, inner = [], []
        for k in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * k / steps)
            outer.append((cx + ro * math.cos(a), cy - ro * math.sin(a)))
            inner.append((cx + ri * math.cos(a), cy - ri * math.sin(a)))
        m = self.poly(outer + list(reversed(inner)))
        if cap == 'round':
            for a in (a0, a1):
                ar = math.radians(a)
                m = m | self.ellipse(cx + r * math.cos(ar), cy - r * math.sin(ar), w / 2, w / 2)
        return m

    # ---- painting ----
    def fill(self, m, color):
        """color: RGBA tuple (0..255) or a function (x, y) -> RGBA in output pixels"""
        px, sw = self.px, self.sw
        fn = color if callable(color) else None
        if fn is None:
            c = (color[0] / 255.0, color[1] / 255.0, color[2] / 255.0,
                 (color[3] if len(color) > 3 else 255) / 255.0)
        for j, bits in enumerate(m.rows):
            if not bits:
                continue
            base = j * sw
            y = (j + 0.5) / SS
            while bits:
                low = (bits & -bits).bit_length() - 1
                t = bits >> low
                run = (t ^ (t + 1)).bit_length() - 1
                bits &= ~(((1 << run) - 1) << low)
                for i in range(low, low + run):
                    if fn is not None:
                        cc = fn((i + 0.5) / SS, y)
                        c = (cc[0] / 255.0, cc[1] / 255.0, cc[2] / 255.0,
                             (cc[3] if len(cc) > 3 else 255) / 255.0)
                    sa = c[3]
                    k = base + i
                    d = px[k]
                    if sa >= 0.999 or d is None:
                        if sa > 0:
                            px[k] = c
                        continue
                    da = d[3] * (1 - sa)
                    oa = sa + da
                    px[k] = ((c[0] * sa + d[0] * da) / oa, (c[1] * sa + d[1] * da) / oa,
                             (c[2] * sa + d[2] * da) / oa, oa)

    def clear(self, m):
        px, sw = self.px, self.sw
        for j, bits in enumerate(m.rows):
            base = j * sw
            while bits:
                low = (bits & -bits).bit_length() - 1
                bits &= bits - 1
                px[base + low] = None

    def painted(self):
        """mask of every sample painted so far"""
        m = self.mask()
        px, sw = self.px, self.sw
        for j in range(self.sh):
            row = 0
            base = j * sw
            for i in range(sw):
                if px[base + i] is not None:
                    row |= 1 << i
            m.rows[j] = row
        return m

    def image(self):
        out = []
        n = SS * SS
        px, sw = self.px, self.sw
        for y in range(self.h):
            for x in range(self.w):
                r = g = b = a = 0.0
                for j in range(y * SS, y * SS + SS):
                    base = j * sw + x * SS
                    for i in range(base, base + SS):
                        p = px[i]
                        if p is None:
                            continue
                        pa = p[3]
                        r += p[0] * pa
                        g += p[1] * pa
                        b += p[2] * pa
                        a += pa
                if a <= 1e-6:
                    out.append((0, 0, 0, 0))
                else:
                    A = int(round(a / n * 255))
                    if A == 0:
                        out.append((0, 0, 0, 0))
                    else:
                        out.append((min(255, int(round(r / a * 255))), min(255, int(round(g / a * 255))),
                                    min(255, int(round(b / a * 255))), A))
        return Image(self.w, self.h, out)


class Image:
    def __init__(self, w, h, px=None):
        self.w, self.h = w, h
        self.px = px if px is not None else [(0, 0, 0, 0)] * (w * h)

    def paste(self, im, ox, oy):
        for y in range(im.h):
            for x in range(im.w):
                if 0 <= x + ox < self.w and 0 <= y + oy < self.h:
                    self.px[(y + oy) * self.w + x + ox] = im.px[y * im.w + x]


def hstrip(images):
    w = sum(i.w for i in images)
    h = max(i.h for i in images)
    out = Image(w, h)
    x = 0
    for im in images:
        out.paste(im, x, 0)
        x += im.w
    return out


# --------------------------------------------------------------------------------------
# drawing context: a design grid (usually 16 x 16) placed on a canvas at (ox, oy), scale k
# --------------------------------------------------------------------------------------

class G:
    def __init__(self, canvas, ox=0.0, oy=0.0, k=1.0):
        self.c = canvas
        self.ox, self.oy, self.k = ox, oy, k

    # geometry helpers
    def X(self, v):
        return self.ox + v * self.k

    def Y(self, v):
        return self.oy + v * self.k

    def L(self, v):
        return v * self.k

    def sx(self, v):
        return round(self.ox + v * self.k)

    def sy(self, v):
        return round(self.oy + v * self.k)

    def P(self, pts):
        return [(self.X(x), self.Y(y)) for x, y in pts]

    @property
    def ow(self):
        """outline width in output pixels"""
        return 1 if self.k < 2.5 else 2

    def sw(self, w):
        """a stroke width in design units, snapped to whole pixels"""
        return max(1, round(w * self.k))

    def _snapc(self, c, w, vert):
        """centre of a stroke of width w (output px) so that its edges are on pixel edges"""
        v = (self.X(c) if vert else self.Y(c))
        e = round(v - w / 2)
        return e + w / 2

    # shapes in design coordinates
    def rect(self, x0, y0, x1, y1, snap=True):
        if snap:
            return self.c.rect(self.sx(x0), self.sy(y0), self.sx(x1), self.sy(y1))
        return self.c.rect(self.X(x0), self.Y(y0), self.X(x1), self.Y(y1))

    def rrect(self, x0, y0, x1, y1, r, snap=True):
        if snap:
            return self.c.rrect(self.sx(x0), self.sy(y0), self.sx(x1), self.sy(y1), self.L(r))
        return self.c.rrect(self.X(x0), self.Y(y0), self.X(x1), self.Y(y1), self.L(r))

    def oval(self, x0, y0, x1, y1, snap=True):
        if snap:
            a, b, c, d = self.sx(x0), self.sy(y0), self.sx(x1), self.sy(y1)
        else:
            a, b, c, d = self.X(x0), self.Y(y0), self.X(x1), self.Y(y1)
        return self.c.ellipse((a + c) / 2, (b + d) / 2, (c - a) / 2, (d - b) / 2)

    def circle(self, cx, cy, r, snap=True):
        return self.oval(cx - r, cy - r, cx + r, cy + r, snap)

    def ring(self, cx, cy, r, w, snap=True):
        """a circle of radius r less the circle w smaller (w in design units)"""
        if snap:
            x0, x1 = self.sx(cx - r), self.sx(cx + r)
            y0, y1 = self.sy(cy - r), self.sy(cy + r)
            X, Y, R = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2
        else:
            X, Y, R = self.X(cx), self.Y(cy), self.L(r)
        inner = R - self.L(w)
        return self.c.ellipse(X, Y, R, R) - self.c.ellipse(X, Y, inner, inner)

    def poly(self, *contours):
        return self.c.poly(*[self.P(p) for p in contours])

    def spoly(self, *contours):
        """a polygon with straight edges that should stay sharp: on a crisp canvas every corner
        goes to the nearest pixel corner, as rect does"""
        if not self.c.crisp:
            return self.poly(*contours)
        return self.c.poly(*[[(self.sx(x), self.sy(y)) for x, y in p] for p in contours])

    def line(self, x0, y0, x1, y1, w, cap='butt', snap=True):
        if snap and (x0 == x1 or y0 == y1):
            ww = self.sw(w)
            if x0 == x1:
                cx = self._snapc(x0, ww, True)
                ya, yb = sorted((y0, y1))
                if cap == 'square':
                    ya, yb = ya - w / 2, yb + w / 2
                return self.c.rect(cx - ww / 2, self.sy(ya), cx + ww / 2, self.sy(yb))
            cy = self._snapc(y0, ww, False)
            xa, xb = sorted((x0, x1))
            if cap == 'square':
                xa, xb = xa - w / 2, xb + w / 2
            return self.c.rect(self.sx(xa), cy - ww / 2, self.sx(xb), cy + ww / 2)
        return self.c.line(self.X(x0), self.Y(y0), self.X(x1), self.Y(y1), self.L(w), cap)

    def polyline(self, pts, w, cap='butt', join='miter', closed=False):
        return self.c.polyline(self.P(pts), self.L(w), cap, join, closed)

    def arc(self, cx, cy, r, a0, a1, w, cap='butt'):
        return self.c.arc(self.X(cx), self.Y(cy), self.L(r), a0, a1, self.L(w), cap)

    # painting
    def fill(self, m, color):
        self.c.fill(m, color)

    def clear(self, m):
        self.c.clear(m)

    def body(self, m, fill, line, ow=None):
        """fill a shape and draw its inner border"""
        self.c.fill(m, fill)
        if line is not None:
            self.c.fill(m.border(self.ow if ow is None else ow), line)

    def halo(self, m, w=None):
        """clear a gap around a shape that is about to be drawn over others"""
        self.c.clear(m.dilate(self.ow if w is None else w) - m)

    def vgrad(self, y0, y1, c0, c1):
        Y0, Y1 = self.Y(y0), self.Y(y1)

        def f(x, y):
            t = 0.0 if Y1 == Y0 else min(1.0, max(0.0, (y - Y0) / (Y1 - Y0)))
            return mix(c0, c1, t)
        return f

    def hgrad(self, x0, x1, c0, c1):
        X0, X1 = self.X(x0), self.X(x1)

        def f(x, y):
            t = 0.0 if X1 == X0 else min(1.0, max(0.0, (x - X0) / (X1 - X0)))
            return mix(c0, c1, t)
        return f

    def rgrad(self, cx, cy, r, c0, c1):
        CX, CY, R = self.X(cx), self.Y(cy), self.L(r)

        def f(x, y):
            t = min(1.0, math.hypot(x - CX, y - CY) / R)
            return mix(c0, c1, t)
        return f


def bez(p0, p1, p2, p3, n=12):
    """points of a cubic Bezier curve (without the first point)"""
    out = []
    for k in range(1, n + 1):
        t = k / n
        u = 1 - t
        out.append((u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
                    u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]))
    return out


def draw(w, h, fn, *args, k=None, ox=0.0, oy=0.0, design=16, crisp=False):
    """run a drawing function on a fresh canvas and return the image"""
    c = Canvas(w, h, crisp)
    if k is None:
        k = min(w, h) / design
        ox = (w - design * k) / 2
        oy = (h - design * k) / 2
    fn(G(c, ox, oy, k), *args)
    return c.image()


# ======================================================================================
# palette
# ======================================================================================

NAVY = rgb('1d3f8f')
NAVY_D = rgb('0f2458')
BLUE = rgb('2f74d0')
BLUE_L = rgb('6fb0f5')
BLUE_D = rgb('1a4a99')
ORANGE = rgb('f7941d')
ORANGE_L = rgb('ffc15a')
ORANGE_D = rgb('b55a00')
GREEN = rgb('3aa935')
GREEN_L = rgb('7fd86a')
GREEN_D = rgb('1e6b1b')
RED = rgb('dc3b2b')
RED_L = rgb('ff7a5e')
RED_D = rgb('8c1a10')
GOLD = rgb('f5c22b')
GOLD_L = rgb('ffe48a')
GOLD_D = rgb('9a6d00')
GREY = rgb('8a939e')
GREY_L = rgb('dfe4ea')
GREY_D = rgb('444c57')
SLATE = rgb('5d7188')
SLATE_D = rgb('2c3a4c')
CREAM = rgb('fbefd0')
BROWN = rgb('8b5a2b')
BROWN_L = rgb('c08850')
BROWN_D = rgb('4e2f12')
PURPLE = rgb('8a4fd0')
PURPLE_D = rgb('4d2487')
TEAL = rgb('1e9aa8')
TEAL_D = rgb('0d5a63')
INK = rgb('2b3440')
PAPER = rgb('ffffff')
PAPER_D = rgb('7d8894')
SCREEN = rgb('3d8fe0')
SCREEN_L = rgb('9ed3ff')


# ======================================================================================
# building blocks (most pictures are drawn on a 16 x 16 design grid, scaled by G.k)
# ======================================================================================

def pattern(g, x0, y0, rows, cell=1.0):
    """a little pixel pattern ('#' set) placed at (x0, y0) in design units; returns a mask"""
    m = g.c.mask()
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == '#':
                m = m | g.rect(x0 + i * cell, y0 + j * cell, x0 + (i + 1) * cell, y0 + (j + 1) * cell)
    return m


def contacts(g, x0, x1, y0, y1, color):
    """1 px wide contacts 1 px apart, centred in [x0, x1) (design units)"""
    a, b = g.sx(x0), g.sx(x1)
    W = b - a
    n = (W - 1) // 2
    first = a + (W - (2 * n - 1)) // 2
    m = g.c.mask()
    for i in range(n):
        x = first + 2 * i
        m = m | g.c.rect(x, g.sy(y0), x + 1, g.sy(y1))
    g.fill(m, color)


def page(g, x0, y0, x1, y1, fold=3.0, lines=None, paper=PAPER, line=PAPER_D):
    """a sheet of paper with a folded top right corner"""
    m = g.spoly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    g.body(m, g.vgrad(y0, y1, paper, rgb('e9eef3')), line)
    f = g.spoly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    g.body(f, rgb('d5dde6'), line)
    if lines:
        for (ya, xa, xb) in lines:
            g.fill(g.line(xa, ya, xb, ya, 1), rgb('9aa7b5'))
    return m


def plus_mask(g, cx, cy, arm, w):
    return g.rect(cx - w / 2, cy - arm, cx + w / 2, cy + arm) | g.rect(cx - arm, cy - w / 2, cx + arm, cy + w / 2)


def arrow_head(g, cx, cy, r, ang, clockwise, length, half):
    """triangle at angle ang (degrees) on a circle, pointing along the circle"""
    a = math.radians(ang)
    px, py = cx + r * math.cos(a), cy - r * math.sin(a)
    if clockwise:
        dx, dy = math.sin(a), math.cos(a)
    else:
        dx, dy = -math.sin(a), -math.cos(a)
    nx, ny = math.cos(a), -math.sin(a)
    tip = (px + dx * length, py + dy * length)
    return g.poly([tip, (px + nx * half, py + ny * half), (px - nx * half, py - ny * half)])


def socket_face(g, x0, y0, x1, y1, body=NAVY, line=NAVY_D, hole=WHITE):
    """an RJ45 socket seen from the front: rounded body with the keyed opening"""
    m = g.rrect(x0, y0, x1, y1, 1.5)
    g.body(m, g.vgrad(y0, y1, lighter(body, 0.25), body), line)
    w, h = x1 - x0, y1 - y0
    cx = (x0 + x1) / 2
    hw = w * 0.34
    top, mid, bot = y0 + h * 0.24, y0 + h * 0.62, y0 + h * 0.80
    tw = w * 0.16
    hole_m = g.rect(cx - hw, top, cx + hw, mid) | g.rect(cx - tw, mid - 0.01, cx + tw, bot)
    g.fill(hole_m, hole)
    if g.k >= 2:
        # gold contacts at the top of the opening, one pixel wide, one pixel apart
        x0p, x1p = g.sx(cx - hw), g.sx(cx + hw)
        yt = g.sy(top)
        n = (x1p - x0p - 1) // 2
        first = x0p + (x1p - x0p - (2 * n - 1)) // 2
        for i in range(n):
            x = first + 2 * i
            g.fill(g.c.rect(x, yt, x + 1, yt + max(2, round(h * 0.16 * g.k))), GOLD)


def gear_mask(g, cx, cy, ro, ri, teeth, hole, tw=0.42):
    pts = []
    step = 360.0 / teeth
    for i in range(teeth):
        a = i * step
        for (da, r) in ((-step * 0.5, ri), (-step * tw * 0.62, ri), (-step * tw * 0.38, ro),
                        (step * tw * 0.38, ro), (step * tw * 0.62, ri)):
            t = math.radians(a + da + 90)
            pts.append((cx + r * math.cos(t), cy - r * math.sin(t)))
    m = g.poly(pts)
    if hole:
        m = m - g.circle(cx, cy, hole, snap=False)
    return m


def gear(g, cx=8, cy=8, ro=7.5, ri=5.6, teeth=8, hole=2.2, col=rgb('9aa4b0'), line=rgb('3d4652')):
    m = gear_mask(g, cx, cy, ro, ri, teeth, hole)
    g.body(m, g.rgrad(cx - 2, cy - 2, ro * 1.6, lighter(col, 0.6), darker(col, 0.15)), line)
    return m


def globe_earth(g, cx=8, cy=8, r=7):
    m = g.circle(cx, cy, r)
    g.fill(m, g.rgrad(cx - r * 0.35, cy - r * 0.4, r * 1.5, rgb('8fd3ff'), rgb('1b5fb5')))
    s = r / 7.0
    def P(pts):
        return [(cx + (x - 8) * s, cy + (y - 8) * s) for x, y in pts]
    land1 = P([(2.5, 4.5), (4.5, 2.5), (7.0, 2.2), (7.8, 3.5), (6.6, 5.2), (5.2, 5.6), (5.0, 7.0),
               (6.6, 8.2), (7.6, 10.0), (7.0, 12.2), (5.6, 14.6), (4.6, 12.6), (4.4, 10.2),
               (2.8, 8.6), (1.6, 6.8)])
    land2 = P([(9.6, 3.0), (12.2, 2.8), (14.2, 5.0), (12.8, 6.2), (14.4, 7.6), (14.6, 9.6),
               (12.6, 12.6), (11.0, 13.4), (10.4, 11.0), (9.2, 9.4), (10.0, 7.4), (9.0, 5.6)])
    land = (g.poly(land1) | g.poly(land2)) & m
    g.fill(land, g.rgrad(cx - r * 0.35, cy - r * 0.4, r * 1.5, rgb('9be36a'), rgb('2e8a22')))
    # a soft shine at the top left and a darker limb at the bottom right
    shine = g.circle(cx - r * 0.35, cy - r * 0.45, r * 0.6, snap=False) & m
    g.fill(shine, g.rgrad(cx - r * 0.35, cy - r * 0.45, r * 0.6, alpha(WHITE, 130), alpha(WHITE, 0)))
    limb = m - g.circle(cx - r * 0.22, cy - r * 0.22, r * 1.02, snap=False)
    g.fill(limb, alpha(rgb('0a2a60'), 90))
    g.fill(m.border(g.ow), rgb('123f80'))


def globe_grid(g, cx=8, cy=8, r=7, line=rgb('cfeaff')):
    m = g.circle(cx, cy, r)
    g.fill(m, g.rgrad(cx - r * 0.35, cy - r * 0.4, r * 1.5, rgb('7cc6ff'), rgb('1b5fb5')))
    lw = 1.0 if g.k < 2 else 0.6
    inner = m.erode(g.ow * 0.5)
    lines = g.line(cx - r, cy, cx + r, cy, lw) | g.line(cx, cy - r, cx, cy + r, lw)
    mer = g.oval(cx - r * 0.5, cy - r, cx + r * 0.5, cy + r, snap=False)
    mer = mer - mer.erode(g.L(lw))
    lat = g.line(cx - r, cy - r * 0.5, cx + r, cy - r * 0.5, lw) | g.line(cx - r, cy + r * 0.5, cx + r, cy + r * 0.5, lw)
    g.fill((lines | mer | lat) & inner, line)
    g.fill(m.border(g.ow), rgb('123f80'))


def globe_small(g, cx, cy, r):
    m = g.circle(cx, cy, r)
    g.fill(m, g.rgrad(cx - r * 0.35, cy - r * 0.4, r * 1.5, rgb('7cc6ff'), rgb('1b5fb5')))
    inner = m.erode(g.ow)
    mer = g.oval(cx - r * 0.45, cy - r, cx + r * 0.45, cy + r)
    mer = mer - mer.erode(1)
    eq = g.line(cx - r, cy, cx + r, cy, 1)
    g.fill((mer | eq) & inner, rgb('d8efff'))
    g.fill(m.border(g.ow), rgb('123f80'))


def eth_plug(g, body=rgb('d6e8fa'), line=rgb('3f5f86'), cable=rgb('4f6f96'), gold=rgb('e0a800')):
    g.body(g.rect(6, 12, 9, 16), g.hgrad(6, 9, lighter(cable, 0.3), cable), darker(cable, 0.5))
    boot = g.poly([(4, 9.5), (11, 9.5), (10, 13), (5, 13)])
    g.body(boot, g.hgrad(4, 11, lighter(cable, 0.35), cable), darker(cable, 0.5))
    m = g.rect(3, 1, 12, 10)
    g.body(m, g.vgrad(1, 10, lighter(body, 0.5), body), line)
    contacts(g, 4, 11, 2, 5, gold)
    g.fill(g.rect(4, 7, 11, 8), alpha(line, 90))


def wifi(g, col=BLUE, line=None, cy=13.5, radii=(5.0, 8.5), w=2.0, dot=1.6, span=(40, 140)):
    m = g.circle(8, cy - 0.25, dot, snap=False)
    for r in radii:
        m = m | g.arc(8, cy, r, span[0], span[1], w, cap='round')
    g.body(m, g.vgrad(cy - radii[-1] - 1, cy + 1, lighter(col, 0.25), darker(col, 0.1)), line)


def brace(g, cx, y0, y1, w, d, col, flip=False):
    """a curly brace, cx its spine, d how far the tips reach"""
    s = -1 if flip else 1
    mid = (y0 + y1) / 2
    pts = [(cx + s * d, y0)]
    pts += bez((cx + s * d, y0), (cx, y0), (cx, y0 + d * 0.6), (cx, y0 + d * 1.2), 6)
    pts += [(cx, mid - d * 0.8)]
    pts += bez((cx, mid - d * 0.8), (cx, mid - d * 0.2), (cx - s * d * 0.5, mid), (cx - s * d, mid), 6)
    pts2 = [(cx - s * d, mid)]
    pts2 += bez((cx - s * d, mid), (cx - s * d * 0.5, mid), (cx, mid + d * 0.2), (cx, mid + d * 0.8), 6)
    pts2 += [(cx, y1 - d * 1.2)]
    pts2 += bez((cx, y1 - d * 1.2), (cx, y1 - d * 0.6), (cx, y1), (cx + s * d, y1), 6)
    return g.polyline(pts, w, join='round') | g.polyline(pts2, w, join='round')


# ======================================================================================
# the program motif
# ======================================================================================

def motif(g):
    """the program motif: a network socket inside two switching arrows"""
    if g.k < 2:
        # hand-placed at 16 x 16: plain arrows (an outline would eat the 2 px band)
        col = rgb('f08a00')
        for rot in (0, 180):
            m = g.arc(8, 8, 6.25, 60 + rot, 175 + rot, 2) | arrow_head(g, 8, 8, 6.25, 60 + rot, True, 3.6, 3.1)
            g.fill(m, col)
        m = g.rrect(4, 4, 12, 12, 1)
        g.body(m, g.vgrad(4, 12, lighter(NAVY, 0.3), NAVY), NAVY_D)
        g.fill(g.rect(5, 6, 11, 9) | g.rect(7, 9, 9, 10), WHITE)
        return
    for rot in (0, 180):
        m = g.arc(8, 8, 6.0, 55 + rot, 175 + rot, 2.1) | arrow_head(g, 8, 8, 6.0, 55 + rot, True, 3.6, 3.0)
        g.body(m, g.rgrad(8, 8, 9, ORANGE_L, ORANGE), ORANGE_D)
    socket_face(g, 4.5, 4.5, 11.5, 11.5)


# ======================================================================================
# page icons of the interface slots
# ======================================================================================

def info_circle(g):
    m = g.circle(8, 8, 7)
    g.body(m, g.vgrad(1, 15, rgb('5aa2f0'), rgb('1f5fbf')), rgb('174a99'))
    g.fill(g.rect(7, 3, 9, 5), WHITE)
    g.fill(g.rect(7, 6, 9, 12), WHITE)


def laptop(g):
    m = g.rrect(3, 2, 13, 11, 1)
    g.body(m, rgb('3b4452'), rgb('1f252e'))
    g.fill(g.rect(4, 3, 12, 10), g.vgrad(3, 10, SCREEN_L, SCREEN))
    base = g.spoly([(2, 11), (14, 11), (16, 14), (0, 14)])
    g.body(base, g.vgrad(11, 14, rgb('e9edf1'), rgb('a9b2bc')), rgb('56606b'))


def monitor(g):
    m = g.rrect(1, 1, 15, 12, 1)
    g.body(m, rgb('3b4452'), rgb('1f252e'))
    g.fill(g.rect(2, 2, 14, 11), g.vgrad(2, 11, SCREEN_L, SCREEN))
    g.fill(g.rect(7, 12, 9, 14), rgb('8d96a0'))
    g.body(g.rect(4, 14, 12, 16), rgb('a9b2bc'), rgb('56606b'))


def house(g):
    walls = g.rect(3, 7, 13, 15)
    g.body(walls, CREAM, rgb('9a7a45'))
    g.fill(g.rect(7, 10, 10, 15), rgb('a0612b'))
    roof = g.poly([(8, 0.5), (16, 8.5), (0, 8.5)])
    g.body(roof, g.vgrad(1, 8, RED_L, RED), RED_D)


def office(g):
    body = rgb('7a8ea6')
    line = rgb('34465c')
    win = rgb('cfe9ff')
    t = g.rect(2, 1, 11, 15)
    g.body(t, g.vgrad(1, 15, lighter(body, 0.2), body), line)
    a = g.rect(10, 6, 15, 15)
    g.body(a, g.vgrad(6, 15, lighter(body, 0.05), darker(body, 0.1)), line)
    for y in (3, 5, 7, 9, 11):
        for x in (4, 7):
            g.fill(g.rect(x, y, x + 2, y + 1), win)
    for y in (8, 10, 12):
        g.fill(g.rect(12, y, 14, y + 1), win)
    g.fill(g.rect(5, 13, 8, 15), line)


# ======================================================================================
# profile icons
# ======================================================================================

def plug_blue(g):
    eth_plug(g, body=rgb('7fb2f5'), line=rgb('173f85'), cable=rgb('2a66c0'), gold=rgb('ffd24a'))


def net_check(g):
    """a green network socket with a green tick in front of it"""
    socket = g.rrect(0, 0, 12, 11, 1.5)
    g.body(socket, g.vgrad(0, 11, rgb('7fdc6a'), rgb('23902a')), GREEN_D)
    g.fill(g.rect(2, 3, 10, 7) | g.rect(4, 7, 8, 9), WHITE)
    contacts(g, 2, 10, 3, 5, rgb('e0a800'))
    tick = g.polyline([(5.2, 10.4), (8.4, 13.6), (15.0, 6.8)], 3.0)
    g.halo(tick, 1)
    g.body(tick, g.vgrad(5, 15, GREEN_L, GREEN), GREEN_D)


def wifi_purple(g):
    wifi(g, col=PURPLE)


def shield(g):
    pts = [(8, 0.5)]
    pts += bez((8, 0.5), (10.5, 2.0), (12.5, 2.5), (14.5, 2.5), 6)
    pts += bez((14.5, 2.5), (14.5, 9.0), (12.0, 12.5), (8, 15.5), 10)
    pts += bez((8, 15.5), (4.0, 12.5), (1.5, 9.0), (1.5, 2.5), 10)
    pts += bez((1.5, 2.5), (3.5, 2.5), (5.5, 2.0), (8, 0.5), 6)
    m = g.poly(pts)
    g.body(m, g.hgrad(1.5, 14.5, GOLD_L, rgb('e8a317')), GOLD_D)
    # darker right half, heraldic style
    half = m.erode(g.ow) & g.rect(8, 0, 16, 16)
    g.fill(half, alpha(rgb('c07d00'), 110))


def coffee(g):
    cup = BROWN
    st = rgb('b4bcc6')
    for x in (6.0, 9.5):
        pts = [(x + 0.8 * math.sin(t / 10 * 2 * math.pi), 5.0 - t * 0.42) for t in range(11)]
        g.fill(g.polyline(pts, 0.9, join='round'), st)
    handle = g.ring(12.5, 9.5, 2.8, 1.4, snap=False)
    g.body(handle, cup, BROWN_D)
    m = g.rrect(2, 6, 13, 15, 2.5)
    body = m | g.rect(2, 6, 13, 9)
    g.body(body, g.hgrad(2, 13, BROWN_L, cup), BROWN_D)
    g.fill(g.rect(3, 7, 12, 8), rgb('3b2210'))


# ======================================================================================
# command and tab icons
# ======================================================================================

def book_closed(g):
    cov = rgb('3358b8')
    g.body(g.rrect(3, 11, 14, 15, 0.5), rgb('f7f3e8'), rgb('6a7687'))
    g.fill(g.rect(4, 13, 13, 14), rgb('c9c2b0'))
    m = g.rrect(2, 1, 14, 13, 1)
    g.body(m, g.hgrad(2, 14, lighter(cov, 0.2), cov), darker(cov, 0.5))
    g.fill(g.rect(3, 2, 5, 12), darker(cov, 0.25))
    g.fill(g.rect(7, 4, 12, 6), GOLD)


def help_page(g):
    page(g, 2, 1, 13, 15, 3, lines=[(4.5, 4, 9), (6.5, 4, 11), (8.5, 4, 7)])
    bg = g.circle(12, 11.5, 4.5, snap=False)
    g.halo(bg, 0.5)
    g.body(bg, g.vgrad(7, 16, rgb('5aa2f0'), rgb('1f5fbf')), rgb('174a99'))
    q = pattern(g, 10, 8, ['###.',
                           '...#',
                           '.##.',
                           '.#..',
                           '....',
                           '.#..'])
    g.fill(q, WHITE)


def book_open(g):
    cov = rgb('3358b8')
    g.body(g.poly([(0, 4), (8, 5), (16, 4), (16, 14), (8, 15), (0, 14)]), cov, darker(cov, 0.5))
    for sgn in (-1, 1):
        def P(x, y):
            return (8 + sgn * x, y)
        m = g.poly([P(0, 4), P(3, 2.5), P(7, 2), P(7, 12), P(3, 12.5), P(0, 14)])
        g.body(m, rgb('fbfbf8'), rgb('6a7687'))
        for y in (5, 7, 9):
            g.fill(g.rect(min(8 + sgn * 2, 8 + sgn * 6), y, max(8 + sgn * 2, 8 + sgn * 6), y + 1), rgb('a5b0bd'))


def folder(g):
    back = g.spoly([(1, 2), (6, 2), (7.5, 3.5), (15, 3.5), (15, 14), (1, 14)])
    g.body(back, rgb('e9b23a'), rgb('9a6a08'))
    front = g.spoly([(1, 6), (15, 6), (15, 14), (1, 14)])
    g.body(front, g.vgrad(6, 14, rgb('ffe08a'), rgb('f5bf3c')), rgb('9a6a08'))


def star(g, cx=8, cy=8.6, ro=7.8, ri=3.3):
    pts = []
    for i in range(10):
        r = ro if i % 2 == 0 else ri
        a = math.radians(90 + i * 36)
        pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
    m = g.poly(pts)
    g.body(m, g.vgrad(1, 15, GOLD_L, rgb('f0a500')), rgb('c08000') if g.k < 2 else GOLD_D)


def add_doc(g):
    page(g, 1, 0, 12, 14, 3, lines=[(3.5, 3, 8), (5.5, 3, 10), (7.5, 3, 9)])
    m = plus_mask(g, 11.5, 11.5, 4.5, 3)
    g.halo(m, 1)
    g.body(m, g.vgrad(7, 16, GREEN_L, GREEN), GREEN_D)


def key(g):
    head = g.circle(4.5, 8, 4.5) - g.circle(3.5, 8, 1.5)
    shaft = g.rect(8, 7, 15.5, 10)
    bits = g.rect(11, 10, 12.5, 12.5) | g.rect(13.5, 10, 15.5, 13)
    m = head | shaft | bits
    g.body(m, g.vgrad(3, 13, GOLD_L, rgb('dd9c00')), GOLD_D)


def clock(g):
    m = g.circle(8, 8, 7.5)
    g.body(m, rgb('2f74d0'), rgb('1a4a99'))
    face = g.circle(8, 8, 5.5)
    g.fill(face, g.vgrad(2, 14, WHITE, rgb('e6edf5')))
    g.fill(g.rect(7, 4, 8, 9) | g.rect(8, 8, 11, 9), INK)   # hands at three o'clock


def play(g):
    m = g.poly([(5, 3.5), (12.5, 8), (5, 12.5)]).dilate(1.5 * g.k)
    g.body(m, g.vgrad(1, 15, GREEN_L, rgb('23902a')), GREEN_D)


def cross(g):
    m = g.line(3, 3, 13, 13, 3.6) | g.line(13, 3, 3, 13, 3.6)
    g.body(m, g.vgrad(2, 14, RED_L, RED), RED_D)


def pencil(g):
    tip = (1.5, 14.5)
    ang = math.radians(-45)
    ux, uy = math.cos(ang), math.sin(ang)       # along the pencil, from the tip
    vx, vy = -uy, ux                            # across

    def P(u, v):
        return (tip[0] + ux * u + vx * v, tip[1] + uy * u + vy * v)
    hw = 2.2
    wood = g.poly([P(0, 0), P(4.2, -hw), P(4.2, hw)])
    g.body(wood, rgb('f3d3a0'), rgb('7a5a30'))
    g.fill(g.poly([P(0, 0), P(1.6, -0.9), P(1.6, 0.9)]), INK)
    body = g.poly([P(4.2, -hw), P(14.0, -hw), P(14.0, hw), P(4.2, hw)])
    g.body(body, rgb('f6b400'), rgb('8a5a00'))
    g.fill(g.poly([P(4.2, -0.35), P(14.0, -0.35), P(14.0, 0.35), P(4.2, 0.35)]), rgb('ffd95a'))
    band = g.poly([P(14.0, -hw), P(15.2, -hw), P(15.2, hw), P(14.0, hw)])
    g.body(band, rgb('c7cdd4'), rgb('5a626c'))
    er = g.poly([P(15.2, -hw), P(17.2, -hw), P(17.2, hw), P(15.2, hw)])
    g.body(er, rgb('f48ca0'), rgb('9a3a4c'))


def power(g, col=rgb('2f74d0')):
    m = g.arc(8, 8.5, 5.6, 120, 420, 2.2, cap='round')
    m = m | g.line(8, 1.5, 8, 8, 2.2, 'round')
    g.fill(m, g.vgrad(1, 15, lighter(col, 0.25), darker(col, 0.1)))


def script_doc(g):
    page(g, 2, 1, 14, 15, 3)
    col = rgb('6a2fb4')
    if g.k % 1:
        # at 150% one-unit cells are one or two pixels by turns and the braces come out lopsided:
        # draw them as curves instead
        b = brace(g, 5.5, 5.5, 11.5, 1.1, 1.1, col) | brace(g, 10.5, 5.5, 11.5, 1.1, 1.1, col, flip=True)
        g.fill(b, col)
        return
    left = pattern(g, 4, 5, ['.##',
                             '.#.',
                             '.#.',
                             '#..',
                             '.#.',
                             '.#.',
                             '.##'])
    right = pattern(g, 9, 5, ['##.',
                              '.#.',
                              '.#.',
                              '..#',
                              '.#.',
                              '.#.',
                              '##.'])
    g.fill(left | right, col)


def net_card(g):
    """an expansion card: green board, gold edge contacts, chips; a metal bracket at larger sizes"""
    g.body(g.rect(2, 12, 12, 15), GOLD, GOLD_D)
    for x in (4, 6, 8, 10):
        g.fill(g.rect(x, 13, x + 1, 15), GOLD_D)
    m = g.rect(1, 3, 15, 13)
    g.body(m, g.vgrad(3, 13, rgb('48b078'), rgb('1f7a4a')), rgb('0f4a2b'))
    g.fill(g.rect(4, 6, 8, 10), INK)
    g.fill(g.rect(9, 5, 13, 7), rgb('c5d0da'))
    g.fill(g.rect(9, 8, 13, 10), rgb('c5d0da'))
    if g.k >= 2:
        for y in (6.6, 7.6, 8.6):
            g.fill(g.rect(3.4, y, 4, y + 0.4) | g.rect(8, y, 8.6, y + 0.4), rgb('c9d2dc'))
        br = g.rect(14.2, 1, 15.8, 14.5)
        g.body(br, g.hgrad(14, 16, rgb('f4f6f8'), rgb('b4bcc6')), rgb('5a636e'), ow=1)


def dns(g):
    card = g.rrect(4, 5, 16, 15, 1)
    g.body(card, g.vgrad(5, 15, WHITE, rgb('e3eaf2')), rgb('5a6a80'))
    for y in (8, 10, 12):
        g.fill(g.rect(10, y, 14, y + 1), rgb('3a5a8c'))
    gm = g.circle(5, 5, 5)
    g.halo(gm, 1)
    globe_small(g, 5, 5, 5)


def two_pcs(g):
    g.fill(g.line(4.5, 7, 4.5, 11.5, 1) | g.line(4, 11.5, 9, 11.5, 1), rgb('3a4552'))
    for (x0, y0) in ((0, 0), (7, 7)):
        m = g.rrect(x0, y0, x0 + 9, y0 + 7, 0.5)
        g.body(m, rgb('3b4452'), rgb('1f252e'))
        g.fill(g.rect(x0 + 1, y0 + 1, x0 + 8, y0 + 6), g.vgrad(y0 + 1, y0 + 6, SCREEN_L, SCREEN))
        g.fill(g.rect(x0 + 3, y0 + 7, x0 + 6, y0 + 8), rgb('56606b'))


def bricks(g):
    mortar = rgb('d9d2c5')
    g.fill(g.rect(0, 1, 16, 15), mortar)
    for r, y in enumerate((1, 5, 9, 13)):
        x = 0 if r % 2 == 0 else -4
        while x < 16:
            b = g.rect(max(0, x), y, min(16, x + 7), min(15, y + 3))
            g.body(b, g.vgrad(y, y + 3, rgb('e2654a'), rgb('a8321f')), rgb('6e1a0e'))
            x += 8


def arrow_up(g):
    m = g.poly([(8, 1.5), (14.5, 8), (10.5, 8), (10.5, 14.5), (5.5, 14.5), (5.5, 8), (1.5, 8)])
    g.body(m, g.vgrad(1, 15, rgb('6f8fc0'), rgb('2f4f84')), rgb('1c3158'))


def arrow_down(g):
    m = g.poly([(8, 14.5), (14.5, 8), (10.5, 8), (10.5, 1.5), (5.5, 1.5), (5.5, 8), (1.5, 8)])
    g.body(m, g.vgrad(1, 15, rgb('6f8fc0'), rgb('2f4f84')), rgb('1c3158'))


# ======================================================================================
# dialog pictures (48 x 48 design grid)
# ======================================================================================

DIGITS = {
    '0': ['.###.', '#...#', '#..##', '#.#.#', '##..#', '#...#', '.###.'],
    '1': ['..#..', '.##..', '..#..', '..#..', '..#..', '..#..', '.###.'],
    '2': ['.###.', '#...#', '....#', '...#.', '..#..', '.#...', '#####'],
    '6': ['..##.', '.#...', '#....', '####.', '#...#', '#...#', '.###.'],
    '8': ['.###.', '#...#', '#...#', '.###.', '#...#', '#...#', '.###.'],
    '9': ['.###.', '#...#', '#...#', '.####', '....#', '...#.', '.##..'],
    '.': ['.', '.', '.', '.', '.', '.', '#'],
}


def pixel_text(g, x, y, text, cell):
    m = g.c.mask()
    for ch in text:
        rows = DIGITS[ch]
        m = m | pattern(g, x, y, rows, cell)
        x += (len(rows[0]) + 1) * cell
    return m


def header48(g):
    motif(g)


def ipaddress48(g):
    # g is a 48 x 48 grid: a blue plug whose cable runs into an address field reading "192"
    plug_blue(G(g.c, g.X(11), g.Y(0), g.k * 1.75))
    tag = g.rrect(2, 23, 46, 46, 3)
    g.halo(tag, 2)
    g.body(tag, g.vgrad(23, 46, WHITE, rgb('e2eaf3')), rgb('2a4f86'), ow=2)
    g.fill(pixel_text(g, 7, 28, '192', 2), rgb('16356e'))


def interface48(g):
    # g is a 48 x 48 grid: a network card with a gear in front of it
    net_card(G(g.c, g.X(0), g.Y(0), g.k * 2.5))
    gm = G(g.c, g.X(22), g.Y(22), g.k * 1.625)
    g.clear(gear_mask(gm, 8, 8, 7.5, 5.6, 8, 0).dilate(2))
    gear(gm, hole=2.6)


def script48(g):
    page(g, 6, 2, 42, 46, 10)
    for y, x1 in ((8.5, 28), (12.5, 32)):
        g.fill(g.rect(11, y, x1, y + 2), rgb('b7c2ce'))
    g.fill(g.rect(11, 39, 30, 41), rgb('b7c2ce'))
    col = rgb('7a3fc4')
    b = brace(g, 14.5, 17, 35, 2.6, 4, col) | brace(g, 33.5, 17, 35, 2.6, 4, col, flip=True)
    g.fill(b, g.vgrad(17, 35, lighter(col, 0.2), darker(col, 0.1)))
    x = g.line(19.5, 21.5, 28.5, 30.5, 3.2) | g.line(28.5, 21.5, 19.5, 30.5, 3.2)
    g.fill(x, g.vgrad(21, 31, ORANGE, rgb('d96a00')))


# ======================================================================================
# about window
# ======================================================================================

def contact_card(g):
    card = g.rrect(0.5, 2.5, 15.5, 13.5, 1)
    g.body(card, g.vgrad(2, 14, WHITE, rgb('e6edf5')), rgb('5a6a80'))
    head = g.circle(5, 6.5, 2)
    sh = g.oval(1.8, 9, 8.2, 15) & g.rect(0, 0, 16, 12.5)
    g.fill(head | sh, g.vgrad(4, 13, rgb('5aa2f0'), rgb('1f5fbf')))
    for y in (5, 7, 9):
        g.fill(g.rect(9, y, 14, y + 1) if g.k < 2 else g.rect(9, y, 14, y + 0.5), rgb('7d8894'))


def bulb(g):
    """a light bulb on a 20 x 18 grid"""
    glass = g.circle(10, 6.5, 5.5, snap=False) | g.poly([(6.2, 9.5), (13.8, 9.5), (12.4, 13), (7.6, 13)])
    g.body(glass, g.rgrad(8.5, 4.5, 8, rgb('fff7c0'), rgb('f5c400')), rgb('a87a00'))
    g.fill(g.polyline([(8, 11), (8.5, 8.5), (10, 10), (11.5, 8.5), (12, 11)], 0.9), rgb('d27800'))
    base = g.rect(7, 12, 13, 16)
    g.body(base, g.hgrad(7, 13, rgb('e4e8ec'), rgb('8d96a0')), rgb('4a525c'))
    g.fill(g.rect(7, 14, 13, 15), rgb('6a737e'))
    g.fill(g.rect(8.5, 16, 11.5, 17.5), rgb('4a525c'))


# ======================================================================================
# logo: the word is drawn with shapes on a grid where the x-height is 20, capitals 27,
# strokes 5, the baseline at y = 0
# ======================================================================================

def glyph_N(g, x):
    w = 22
    m = g.rect(x, -27, x + 5, 0) | g.rect(x + w - 5, -27, x + w, 0)
    m = m | g.poly([(x, -27), (x + 6.2, -27), (x + w, 0), (x + w - 6.2, 0)])
    return m, w


def glyph_o(g, x):
    w = 20
    m = g.oval(x, -20.5, x + w, 0.5, snap=False) - g.oval(x + 5, -15.5, x + w - 5, -4.5, snap=False)
    return m, w


def glyph_r(g, x):
    w = 13.5
    m = g.rect(x, -20, x + 5, 0)
    shoulder = g.oval(x, -20.5, x + 2 * (w - 1.5), -20.5 + 2 * 13.5, snap=False) - \
        g.oval(x + 5, -15.5, x + 2 * (w - 1.5) - 5, -20.5 + 2 * 13.5 - 5, snap=False)
    shoulder = shoulder & g.rect(x, -21, x + w, -11)
    return m | shoulder, w


def glyph_v(g, x):
    w = 20
    m = g.poly([(x, -20), (x + 5.6, -20), (x + w / 2, -5.5), (x + w - 5.6, -20), (x + w, -20),
                (x + w / 2 + 3.2, 0), (x + w / 2 - 3.2, 0)])
    return m, w


def glyph_e(g, x):
    w = 20
    ring = g.oval(x, -20.5, x + w, 0.5, snap=False) - g.oval(x + 5, -15.5, x + w - 5, -4.5, snap=False)
    bar = g.rect(x + 2, -12, x + w - 1, -8)
    inner_lo = g.poly([(x + w / 2, -8), (x + w + 1, -8), (x + w + 1, -3.2), (x + w / 2, -6)])
    m = (ring | bar) - inner_lo
    return m, w


def glyph_x(g, x):
    w = 19
    m = g.poly([(x, -20), (x + 6, -20), (x + w, 0), (x + w - 6, 0)])
    m = m | g.poly([(x + w - 6, -20), (x + w, -20), (x + 6, 0), (x, 0)])
    return m, w


WORD = [glyph_N, glyph_o, glyph_r, glyph_v, glyph_e, glyph_x]


def word_mask(g, x, gap=3.0):
    m = g.c.mask()
    for fn in WORD:
        gm, w = fn(g, x)
        m = m | gm
        x += w + gap
    return m, x - gap


def logo(c, s=1.0, gap=2.8):
    """s: the display scale; every length grows with it, so 150% and 200% are the same layout"""
    motif_k, text_k = 3.0 * s, 0.68 * s
    mg = G(c, px(1 * s), round((c.h - 16 * motif_k) / 2), motif_k)
    motif(mg)
    tx = 16 * motif_k + 3 * s
    # measure the word, then place it centred in the space left
    probe = G(Canvas(1, 1), 0, 0, text_k)
    _, wend = word_mask(probe, 0, gap)
    width = wend * text_k
    left = round(tx + (c.w - tx - width) / 2)
    tg = G(c, left, c.h / 2 + 27 * text_k / 2, text_k)
    m, _ = word_mask(tg, 0, gap)
    g = G(c, 0, 0, s)
    g.fill(m, g.vgrad(10, 45, rgb('2a56b0'), rgb('142f6e')))


def logo144x55(s=1.0):
    c = Canvas(px(144 * s), px(55 * s), crisp=s != 1)
    logo(c, s)
    return c.image()


# ======================================================================================
# what goes where
# ======================================================================================

PANEL_PICTURES = [info_circle, eth_plug, wifi, laptop, monitor, house, office, globe_grid]
PROFILE_PICTURES = [plug_blue, net_check, house, office, globe_earth, laptop, wifi_purple, shield, coffee]
SYSTEM_PICTURES = [book_closed, info_circle, help_page, gear, book_open, folder, star, add_doc, key, clock,
                   play, cross, pencil, power, script_doc, net_card, dns, two_pcs, bricks]
ARROW_PICTURES = [arrow_up, arrow_down]


def px(v):
    """a length in whole pixels, halves rounded up (55 at 150% is 83)"""
    return int(math.floor(v + 0.5))


def strip(w, h, fns, s=1.0):
    """cells of w x h at 100%; at scale s each cell is drawn anew at s times that size"""
    return hstrip([draw(px(w * s), px(h * s), f, crisp=s != 1) for f in fns])


# sizes in norvex.ico: 16, 32 and 48 for 100%, and 20, 24, 40 and 64 so the title bar, the tray and
# Alt+Tab find a drawn image at 125%, 150% and 200% instead of a stretched one
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)


def program_icon():
    return [draw(s, s, motif) for s in ICON_SIZES]


# every .bmp comes at 100% under its own name and drawn again at these display scales, as
# name@150.bmp and name@200.bmp; resource.h gives them the base ID plus 1000 and 2000
SCALES = ((150, 1.5), (200, 2.0))

PICTURES = [
    ('panels16.bmp', lambda s: strip(16, 16, PANEL_PICTURES, s)),
    ('panels24x20.bmp', lambda s: strip(24, 20, PANEL_PICTURES, s)),
    ('profiles16.bmp', lambda s: strip(16, 16, PROFILE_PICTURES, s)),
    ('system16.bmp', lambda s: strip(16, 16, SYSTEM_PICTURES, s)),
    ('arrows16.bmp', lambda s: strip(16, 16, ARROW_PICTURES, s)),

    ('header48.bmp', lambda s: draw(px(48 * s), px(48 * s), header48, crisp=s != 1)),
    ('ipaddress48.bmp', lambda s: draw(px(48 * s), px(48 * s), ipaddress48, design=48, crisp=s != 1)),
    ('interface48.bmp', lambda s: draw(px(48 * s), px(48 * s), interface48, design=48, crisp=s != 1)),
    ('script48.bmp', lambda s: draw(px(48 * s), px(48 * s), script48, design=48, crisp=s != 1)),
    ('logo144x55.bmp', logo144x55),
    ('about32.bmp', lambda s: strip(32, 32, [motif, contact_card, globe_earth], s)),
    ('hint20x18.bmp', lambda s: draw(px(20 * s), px(18 * s), bulb, k=s, ox=0, oy=0, crisp=s != 1)),
]


def scaled_name(name, percent):
    base, ext = os.path.splitext(name)
    return '%s@%d%s' % (base, percent, ext)


def _outputs():
    out = [('norvex.ico', 'ico', program_icon)]
    for name, make in PICTURES:
        out.append((name, 'bmp', lambda make=make: make(1.0)))
        for percent, s in SCALES:
            out.append((scaled_name(name, percent), 'bmp', lambda make=make, s=s: make(s)))
    return out


OUTPUTS = _outputs()


# ======================================================================================
# file writers
# ======================================================================================

def _dib_rows_bgra(im):
    """pixel rows bottom-up, 4 bytes a pixel B G R A (straight alpha)"""
    out = bytearray()
    for y in range(im.h - 1, -1, -1):
        for x in range(im.w):
            r, g, b, a = im.px[y * im.w + x]
            if a == 0:
                r = g = b = 0
            out += bytes((b, g, r, a))
    return bytes(out)


def bmp_bytes(im):
    pixels = _dib_rows_bgra(im)
    info = struct.pack('<IiiHHIIiiII', 40, im.w, im.h, 1, 32, 0, len(pixels), 2835, 2835, 0, 0)
    off = 14 + len(info)
    head = struct.pack('<2sIHHI', b'BM', off + len(pixels), 0, 0, off)
    return head + info + pixels


def ico_bytes(images):
    entries, blobs = [], []
    off = 6 + 16 * len(images)
    for im in images:
        xor = _dib_rows_bgra(im)
        stride = ((im.w + 31) // 32) * 4
        andm = bytearray()
        for y in range(im.h - 1, -1, -1):
            row = bytearray(stride)
            for x in range(im.w):
                if im.px[y * im.w + x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            andm += row
        info = struct.pack('<IiiHHIIiiII', 40, im.w, im.h * 2, 1, 32, 0, len(xor) + len(andm), 0, 0, 0, 0)
        blob = info + xor + bytes(andm)
        entries.append(struct.pack('<BBBBHHII', im.w % 256, im.h % 256, 0, 0, 1, 32, len(blob), off))
        blobs.append(blob)
        off += len(blob)
    return struct.pack('<HHH', 0, 1, len(images)) + b''.join(entries) + b''.join(blobs)


def png_bytes(w, h, rows_rgb):
    """rows_rgb: list of h bytes objects of 3*w bytes"""
    def chunk(t, d):
        c = struct.pack('>I', len(d)) + t + d
        return c + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    raw = b''.join(b'\x00' + r for r in rows_rgb)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def over(im, bg, scale):
    """the image composited on a plain background, scaled up by whole pixels: list of rows"""
    rows = []
    for y in range(im.h):
        row = bytearray()
        for x in range(im.w):
            r, g, b, a = im.px[y * im.w + x]
            t = a / 255.0
            p = bytes((int(round(bg[0] + (r - bg[0]) * t)), int(round(bg[1] + (g - bg[1]) * t)),
                       int(round(bg[2] + (b - bg[2]) * t))))
            row += p * scale
        for _ in range(scale):
            rows.append(bytes(row))
    return rows


# white, light grey (as dialogs and lists), dark (as a dark taskbar for the tray icon)
PREVIEW_BGS = ((255, 255, 255), (224, 224, 224), (32, 32, 32))


def preview_sheet(ims, scale=4, pad=8):
    """every image in ims at 1x and at scale x, on white, light grey and dark bands"""
    bands = []
    width = 0
    for bg in PREVIEW_BGS:
        band = []  # list of (x, rows)
        x = pad
        h = 0
        for im in ims:
            band.append((x, over(im, bg, 1)))
            x += im.w + pad
        for im in ims:
            band.append((x, over(im, bg, scale)))
            x += im.w * scale + pad
            h = max(h, im.h * scale)
        width = max(width, x)
        bands.append((bg, band, h + 2 * pad))
    out = []
    for bg, band, h in bands:
        canvas = [bytearray(bytes(bg) * width) for _ in range(h)]
        for x, rows in band:
            for j, r in enumerate(rows):
                canvas[pad + j][3 * x:3 * x + len(r)] = r
        out.extend(bytes(r) for r in canvas)
    return png_bytes(width, len(out), out)


def compare_sheet(ims, zooms, pad=8):
    """the same picture at 100%, 150% and 200%: at 1x side by side, then each zoomed by its entry
    in zooms (6, 4, 3 show them at one size), side by side too if they fit in 1600 pixels, else
    one under the other (long strips); on each background"""
    out = []
    across = pad + sum(im.w * z + pad for im, z in zip(ims, zooms)) <= 1600
    width = pad + sum(im.w + pad for im in ims)
    if across:
        width = max(width, pad + sum(im.w * z + pad for im, z in zip(ims, zooms)))
    else:
        width = max(width, max(pad + im.w * z + pad for im, z in zip(ims, zooms)))
    for bg in PREVIEW_BGS:
        placed = []  # (x, y, rows)
        x, y = pad, pad
        for im in ims:
            placed.append((x, y, over(im, bg, 1)))
            x += im.w + pad
        y += max(im.h for im in ims) + pad
        x = pad
        for im, z in zip(ims, zooms):
            placed.append((x, y, over(im, bg, z)))
            if across:
                x += im.w * z + pad
            else:
                y += im.h * z + pad
        if across:
            y += max(im.h * z for im, z in zip(ims, zooms)) + pad
        canvas = [bytearray(bytes(bg) * width) for _ in range(y)]
        for x, y0, rows in placed:
            for j, r in enumerate(rows):
                canvas[y0 + j][3 * x:3 * x + len(r)] = r
        out.extend(bytes(r) for r in canvas)
    return png_bytes(width, len(out), out)


# ======================================================================================
# main
# ======================================================================================

def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    outdir = os.path.join(os.path.dirname(here), 'resources', 'icons')
    preview = None
    scale = 4
    only = None
    args = list(argv)
    while args:
        a = args.pop(0)
        if a == '--preview':
            preview = args.pop(0)
        elif a == '--out':
            outdir = args.pop(0)
        elif a == '--scale':
            scale = int(args.pop(0))
        elif a == '--only':
            only = set(args.pop(0).split(','))
        else:
            sys.stderr.write(__doc__)
            return 2
    os.makedirs(outdir, exist_ok=True)
    if preview:
        os.makedirs(preview, exist_ok=True)
    drawn = {}
    for name, kind, make in OUTPUTS:
        if only and name not in only:
            continue
        result = make()
        drawn[name] = result
        path = os.path.join(outdir, name)
        if kind == 'ico':
            data = ico_bytes(result)
            shown = result
        else:
            data = bmp_bytes(result)
            shown = [result]
        with open(path, 'wb') as f:
            f.write(data)
        print('%-20s %7d bytes' % (name, len(data)))
        if preview:
            base = os.path.splitext(name)[0]
            with open(os.path.join(preview, base + '.png'), 'wb') as f:
                f.write(preview_sheet(shown, scale))
    if preview:
        # name@scales.png: each picture at every scale, zoomed to one size, to compare them
        for name, _ in PICTURES:
            names = [name] + [scaled_name(name, p) for p, _ in SCALES]
            if all(n in drawn for n in names):
                base = os.path.splitext(name)[0]
                with open(os.path.join(preview, base + '@scales.png'), 'wb') as f:
                    f.write(compare_sheet([drawn[n] for n in names], (6, 4, 3)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
