"""Shapes, colours, the bitmap writer and the region renderer for the
sample pictures of the vocabulary game (see make_pictures.py)."""

import math
import struct
import sys

WIDTH, HEIGHT = 550, 300

BORDER = (0x2B, 0x1D, 0x3A)       # outlines: a dark aubergine, never used inside a region
TRANSPARENT = (0xFF, 0x00, 0xFF)  # magenta, outside the drawing


# ---------------------------------------------------------------- bitmaps

def write_bmp(path, width, height, pixels, allow_palette=True):
    """pixels: rows from the top, each a list of (r, g, b). Writes an 8-bit
    palette bitmap when at most 256 colours occur (and allow_palette), else
    a 24-bit one; rows bottom-up, padded to 4 bytes."""
    colours = sorted({c for row in pixels for c in row})
    paletted = allow_palette and len(colours) <= 256
    if paletted:
        index = {c: i for i, c in enumerate(colours)}
        row_bytes = (width + 3) // 4 * 4
        palette = b"".join(bytes((b, g, r, 0)) for (r, g, b) in colours)
        bits = 8
    else:
        row_bytes = (width * 3 + 3) // 4 * 4
        palette = b""
        bits = 24
    data = bytearray()
    for row in reversed(pixels):
        if paletted:
            line = bytes(index[c] for c in row)
        else:
            line = b"".join(bytes((b, g, r)) for (r, g, b) in row)
        data += line + b"\0" * (row_bytes - len(line))
    offset = 14 + 40 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(colours) if paletted else 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + palette + bytes(data))
    return bits


# ---------------------------------------------------------------- shapes

class Shape:
    def box(self):
        raise NotImplementedError

    def inside(self, x, y):
        raise NotImplementedError


class Ellipse(Shape):
    def __init__(self, cx, cy, rx, ry=None, angle=0.0):
        self.cx, self.cy, self.rx, self.ry = cx, cy, rx, ry if ry is not None else rx
        self.c, self.s = math.cos(math.radians(angle)), math.sin(math.radians(angle))

    def box(self):
        r = max(self.rx, self.ry)
        return self.cx - r, self.cy - r, self.cx + r, self.cy + r

    def inside(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        u = dx * self.c + dy * self.s
        v = -dx * self.s + dy * self.c
        return (u / self.rx) ** 2 + (v / self.ry) ** 2 <= 1.0


class Poly(Shape):
    def __init__(self, *points):
        self.p = points

    def box(self):
        xs, ys = [p[0] for p in self.p], [p[1] for p in self.p]
        return min(xs), min(ys), max(xs), max(ys)

    def inside(self, x, y):
        hit = False
        n = len(self.p)
        for i in range(n):
            (x1, y1), (x2, y2) = self.p[i], self.p[(i + 1) % n]
            if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                hit = not hit
        return hit


class Rect(Poly):
    def __init__(self, x0, y0, x1, y1):
        super().__init__((x0, y0), (x1, y0), (x1, y1), (x0, y1))


class Union(Shape):
    def __init__(self, *shapes):
        self.shapes = shapes

    def box(self):
        boxes = [s.box() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes), max(b[2] for b in boxes),
                max(b[3] for b in boxes))

    def inside(self, x, y):
        return any(s.inside(x, y) for s in self.shapes)


class Inter(Union):
    def box(self):
        boxes = [s.box() for s in self.shapes]
        return (max(b[0] for b in boxes), max(b[1] for b in boxes), min(b[2] for b in boxes),
                min(b[3] for b in boxes))

    def inside(self, x, y):
        return all(s.inside(x, y) for s in self.shapes)


class Below(Shape):
    """The part of the picture under a curve y = f(x)."""

    def __init__(self, f, top):
        self.f, self.top = f, top

    def box(self):
        return 0, self.top, WIDTH, HEIGHT

    def inside(self, x, y):
        return y >= self.f(x)


# ---------------------------------------------------------------- colours

def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def lighter(c, t):
    return mix(c, (255, 255, 255), t)


def darker(c, t):
    return mix(c, (0, 0, 0), t)


BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]
LEVELS = 5


def shade(base, tone, x, y):
    """A tone in 0 (lit) .. 1 (in shadow), dithered to a few levels so that
    a region keeps a small palette."""
    tone = min(1.0, max(0.0, tone))
    level = int(tone * (LEVELS - 1) + BAYER[y % 4][x % 4] / 16.0)
    level = min(LEVELS - 1, level)
    t = level / (LEVELS - 1)
    return mix(lighter(base, 0.22), darker(base, 0.22), t)


def vertical(box_y0, box_y1):
    return lambda x, y: (y - box_y0) / max(1, box_y1 - box_y0)


def radial(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) / r





class Region:
    def __init__(self, name, colour, shape, tone=None, detail=None):
        self.name, self.colour, self.shape = name, colour, shape
        self.tone = tone
        if self.tone is None:
            x0, y0, x1, y1 = shape.box()
            self.tone = vertical(y0, y1)
        self.detail = detail  # (x, y) -> colour or None


class RegionPicture:
    def __init__(self, name, title, regions, outline=None):
        self.name, self.title, self.regions = name, title, regions
        self.outline = outline  # (x, y) -> True for lines in the border colour outside the drawing


def render(picture):
    """Labels every pixel with its region (0 outside, then painter's order),
    outlines the regions, colours them and checks that each region is one
    piece, apart from all others. Returns rows of pixels and the points."""
    w, h = WIDTH, HEIGHT
    label = [0] * (w * h)
    for k, region in enumerate(picture.regions, 1):
        x0, y0, x1, y1 = region.shape.box()
        for y in range(max(0, int(y0) - 1), min(h, int(y1) + 2)):
            for x in range(max(0, int(x0) - 1), min(w, int(x1) + 2)):
                if region.shape.inside(x + 0.5, y + 0.5):
                    label[y * w + x] = k
    # A pixel is outline when one of its eight neighbours belongs to a later
    # region: every two neighbouring pixels of different regions then have
    # an outline pixel between them, and the outline is one pixel wide.
    border = [False] * (w * h)
    for y in range(h):
        for x in range(w):
            a = label[y * w + x]
            for dy in (-1, 0, 1):
                yy = y + dy
                if yy < 0 or yy >= h:
                    continue
                for dx in (-1, 0, 1):
                    xx = x + dx
                    if 0 <= xx < w and label[yy * w + xx] > a:
                        border[y * w + x] = True
    if picture.outline:
        for y in range(h):
            for x in range(w):
                if label[y * w + x] == 0 and picture.outline(x + 0.5, y + 0.5):
                    border[y * w + x] = True

    points = choose_points(picture, label, border)
    check_regions(picture, label, border, points)

    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            i = y * w + x
            if border[i]:
                c = BORDER
            elif label[i] == 0:
                c = TRANSPARENT
            else:
                region = picture.regions[label[i] - 1]
                c = region.detail(x, y) if region.detail else None
                if c is None:
                    c = shade(region.colour, region.tone(x, y), x, y)
                if c in (BORDER, TRANSPARENT, (0, 0, 0)):
                    c = (c[0], c[1], c[2] ^ 1)
            row.append(c)
        rows.append(row)
    return rows, points


def choose_points(picture, label, border):
    """For each region the inner pixel farthest from its outline and from the
    edges of the picture."""
    w, h = WIDTH, HEIGHT
    far = [-1] * (w * h)
    queue = []
    for i in range(w * h):
        x, y = i % w, i // w
        if border[i] or label[i] == 0 or x in (0, w - 1) or y in (0, h - 1):
            far[i] = 0
            queue.append(i)
    head = 0
    while head < len(queue):
        i = queue[head]
        head += 1
        x, y = i % w, i // w
        for xx, yy in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= xx < w and 0 <= yy < h:
                j = yy * w + xx
                if far[j] < 0:
                    far[j] = far[i] + 1
                    queue.append(j)
    best = {}
    for i in range(w * h):
        k = label[i]
        if k and not border[i] and (k not in best or far[i] > far[best[k]]):
            best[k] = i
    points = []
    for k, region in enumerate(picture.regions, 1):
        if k not in best:
            sys.exit(f"{picture.name}: region {k} ({region.name}) is hidden by later regions")
        points.append((best[k] % w, best[k] // w))
    return points


def check_regions(picture, label, border, points):
    """Each region's inner pixels form one piece, reached from its point by
    a fill that moves in four directions and stops at the outline; a fill in
    eight directions from its point meets no other region."""
    w, h = WIDTH, HEIGHT
    for k, (px, py) in enumerate(points, 1):
        name = picture.regions[k - 1].name
        inner = sum(1 for i in range(w * h) if label[i] == k and not border[i])
        for steps in (((1, 0), (-1, 0), (0, 1), (0, -1)),
                      tuple((dx, dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1) if dx or dy)):
            seen = {py * w + px}
            stack = [(px, py)]
            while stack:
                x, y = stack.pop()
                for dx, dy in steps:
                    xx, yy = x + dx, y + dy
                    if 0 <= xx < w and 0 <= yy < h:
                        j = yy * w + xx
                        if j not in seen and not border[j]:
                            if label[j] != k:
                                sys.exit(f"{picture.name}: region {k} ({name}) leaks into region {label[j]}")
                            seen.add(j)
                            stack.append((xx, yy))
            if len(seen) != inner:
                sys.exit(f"{picture.name}: region {k} ({name}) is in pieces ({len(seen)} of {inner} pixels)")
        if inner < 120:
            sys.exit(f"{picture.name}: region {k} ({name}) is too small ({inner} pixels)")


def noise(x, y, seed):
    """A repeatable pseudo-random value in 0..1 for a pixel."""
    n = (x * 374761393 + y * 668265263 + seed * 2246822519) & 0xFFFFFFFF
    n = ((n ^ (n >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((n ^ (n >> 16)) & 0xFFFF) / 65535.0


def bricks(base, x0, y0, rows, width, t=0.14):
    """Mortar lines of a brick wall starting at (x0, y0)."""
    mortar = darker(base, t)

    def detail(x, y):
        v = (y - y0) % rows
        shift = width // 2 if ((y - y0) // rows) % 2 else 0
        if v == 0 or (x - x0 + shift) % width == 0:
            return mortar
        return None
    return detail


def speckles(base, seed, share, t, cell=1):
    """A scatter of lighter (t < 0) or darker (t > 0) pixels."""
    colour = darker(base, t) if t > 0 else lighter(base, -t)

    def detail(x, y):
        return colour if noise(x // cell, y // cell, seed) < share else None
    return detail


def scales(base, size=14, t=0.14):
    line = darker(base, t)
    half = size / 2

    def detail(x, y):
        u = x % size
        v = (y + (size // 2) * ((x // size) % 2)) % size
        if abs(math.hypot(u - half, v) - half) < 0.6:
            return line
        return None
    return detail


def rays(base, cx, cy, step_degrees, t=0.18):
    """Thin lines fanning out from (cx, cy): fin rays, wing veins."""
    line = darker(base, t)

    def detail(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx))
        r = math.hypot(x - cx, y - cy)
        if r < 4:
            return None
        if abs((a + 3600) % step_degrees - step_degrees / 2) * math.pi / 180 * r < 0.55:
            return line
        return None
    return detail






def polyline_pixels(points, step=0.2):
    pixels = set()
    for (x1, y1), (x2, y2) in zip(points, points[1:]):
        n = max(1, int(math.hypot(x2 - x1, y2 - y1) / step))
        for i in range(n + 1):
            t = i / n
            pixels.add((int(x1 + (x2 - x1) * t), int(y1 + (y2 - y1) * t)))
    return pixels
