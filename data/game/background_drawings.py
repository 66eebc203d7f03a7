"""The backgrounds of the vocabulary game: each a function giving the
colour of a point of the 550 x 300 picture area (see make_pictures.py)."""

import math
import random

from picture_kit import HEIGHT, WIDTH, noise


def lerp3(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def ramp(stops, t):
    """A colour along (position, colour) stops."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return lerp3(c0, c1, (t - t0) / (t1 - t0))
    return stops[-1][1]


def smooth(edge0, edge1, v):
    t = min(1.0, max(0.0, (v - edge0) / (edge1 - edge0)))
    return t * t * (3 - 2 * t)


def glow(x, y, cx, cy, r):
    return math.exp(-((x - cx) ** 2 + (y - cy) ** 2) / (2 * r * r))


def value_noise(x, y, scale, seed):
    """Smooth noise in 0..1 with features of about scale pixels."""
    gx, gy = x / scale, y / scale
    ix, iy = int(math.floor(gx)), int(math.floor(gy))
    fx, fy = gx - ix, gy - iy
    fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
    a, b = noise(ix, iy, seed), noise(ix + 1, iy, seed)
    c, d = noise(ix, iy + 1, seed), noise(ix + 1, iy + 1, seed)
    return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy


def clouds(x, y, seed, scale=60):
    return (value_noise(x, y * 2.2, scale, seed) * 0.6 + value_noise(x, y * 2.2, scale / 2.5, seed + 1) * 0.4)


def sunset_sea(x, y):
    horizon = 190
    if y < horizon:
        c = ramp([(0, (38, 32, 92)), (0.45, (150, 70, 120)), (0.8, (245, 140, 80)), (1, (255, 205, 120))],
                 y / horizon)
        c = lerp3(c, (255, 230, 170), glow(x, y, 275, horizon, 70) * 0.8)
        if math.hypot(x - 275, y - horizon) < 36:
            c = lerp3(c, (255, 240, 190), smooth(36, 33, math.hypot(x - 275, y - horizon)))
        band = clouds(x, y, 21, 90)
        if 60 < y < 150:
            c = lerp3(c, (255, 150, 120), smooth(0.55, 0.8, band) * 0.45 * math.sin((y - 60) / 90 * math.pi))
        island = horizon - 28 * math.exp(-((x - 95) / 48) ** 2) - 14 * math.exp(-((x - 160) / 30) ** 2)
        if y > island:
            c = lerp3((60, 32, 70), c, smooth(island + 0.0, island - 1.0, y))
        return c
    d = (y - horizon) / (HEIGHT - horizon)
    c = ramp([(0, (160, 80, 110)), (0.3, (70, 40, 95)), (1, (20, 18, 55))], d)
    spread = 30 + d * 120
    beam = math.exp(-((x - 275) / spread) ** 2)
    shimmer = smooth(0.35, 0.85, value_noise(x, y * 5, 16, 22))
    c = lerp3(c, (255, 200, 120), beam * shimmer * (1.0 - d * 0.6))
    c = lerp3(c, (255, 225, 170), smooth(0.8, 0.95, shimmer) * beam * 0.5)
    return c


def green_hills(x, y):
    c = ramp([(0, (95, 160, 230)), (0.6, (170, 215, 245)), (1, (215, 238, 250))], y / 190)
    c = lerp3(c, (255, 250, 225), glow(x, y, 470, 50, 40) * 0.9)
    if math.hypot(x - 470, y - 50) < 24:
        c = (255, 246, 200)
    cl = clouds(x, y, 31, 70)
    c = lerp3(c, (255, 255, 255), smooth(0.55, 0.75, cl) * smooth(150, 40, y))
    layers = [
        (lambda x: 150 + 22 * math.sin(x / 75 + 1) + 8 * math.sin(x / 23), (150, 195, 120), (110, 160, 95)),
        (lambda x: 190 + 24 * math.sin(x / 95 + 2.5) + 6 * math.sin(x / 31 + 1), (120, 185, 80), (80, 140, 55)),
        (lambda x: 236 + 18 * math.sin(x / 60) + 5 * math.sin(x / 17 + 2), (95, 170, 60), (55, 120, 40)),
    ]
    for ridge, top, bottom in layers:
        r = ridge(x)
        if y >= r - 1:
            hill = lerp3(top, bottom, (y - r) / 70)
            hill = lerp3(hill, lighter_f(top, 0.3), smooth(6, 0, y - r) * 0.6)
            hill = lerp3(hill, darker_f(hill, 0.15), value_noise(x, y, 9, 33) * 0.5)
            c = lerp3(c, hill, smooth(r - 1, r + 0.5, y))
    return c


def lighter_f(c, t):
    return lerp3(c, (255, 255, 255), t)


def darker_f(c, t):
    return lerp3(c, (0, 0, 0), t)




def make_stars():
    rng = random.Random(1234)
    return [(rng.uniform(0, WIDTH), rng.uniform(0, 200), rng.uniform(0.3, 1.0), rng.uniform(0.5, 1.4))
            for _ in range(170)]


STAR_FIELD = make_stars()


def star_light(x, y):
    light = 0.0
    for sx, sy, b, r in STAR_FIELD:
        if abs(sx - x) < 3 and abs(sy - y) < 3:
            light += b * math.exp(-((x - sx) ** 2 + (y - sy) ** 2) / (r * r))
    return min(1.0, light)


# Peaks of the far range: position, height, steepness.
NIGHT_PEAKS = [(40, 120, 0.9), (150, 95, 1.05), (250, 140, 0.8), (345, 100, 1.15), (470, 88, 0.95), (560, 130, 0.9)]


def night_mountains(x, y):
    c = ramp([(0, (8, 12, 38)), (0.7, (28, 38, 90)), (1, (60, 70, 130))], y / 240)
    c = lerp3(c, (255, 255, 240), star_light(x, y) * smooth(230, 120, y))
    c = lerp3(c, (150, 165, 220), glow(x, y, 430, 70, 45) * 0.55)
    d = math.hypot(x - 430, y - 70)
    if d < 27:
        moon = lerp3((245, 242, 220), (215, 210, 190), value_noise(x, y, 7, 44) * 0.8)
        c = lerp3(c, moon, smooth(27, 25.5, d))
    back = min(top + abs(x - at) * slope for at, top, slope in NIGHT_PEAKS) + 7 * value_noise(x, 0, 9, 46)
    if y >= back:
        rock = lerp3((52, 58, 100), (30, 34, 66), (y - back) / 80)
        snow = smooth(back + 16, back + 6, y - 5 * value_noise(x, y, 5, 47)) * smooth(150, 125, back)
        rock = lerp3(rock, (200, 210, 240), snow * 0.85)
        c = lerp3(c, rock, smooth(back - 0.5, back + 0.5, y))
    front = 215 + 25 * math.sin(x / 45 + 2) + 12 * math.sin(x / 13) + 10 * value_noise(x, 0, 20, 45)
    if y >= front:
        c = lerp3(c, lerp3((22, 26, 50), (10, 12, 26), (y - front) / 60), smooth(front - 0.5, front + 0.5, y))
    return c


def underwater(x, y):
    c = ramp([(0, (70, 200, 220)), (0.4, (25, 130, 180)), (1, (10, 55, 110))], y / HEIGHT)
    ray = max(0.0, math.sin((x + y * 0.45) / 23 + 2 * value_noise(x, 0, 40, 55))) ** 10
    c = lerp3(c, (220, 255, 255), ray * 0.35 * (1 - y / HEIGHT))
    sand = 258 + 9 * math.sin(x / 45) + 4 * math.sin(x / 13 + 1)
    if y >= sand - 1:
        ground = lerp3((225, 205, 150), (185, 160, 110), (y - sand) / 40)
        ground = lerp3(ground, (245, 230, 185), 0.35 * max(0.0, math.sin(x / 6 + y / 2.5 + 3 * value_noise(x, y, 15, 56))))
        c = lerp3(c, ground, smooth(sand - 1, sand + 0.5, y))
    for base, height, phase in ((40, 120, 0.0), (70, 80, 1.7), (480, 140, 0.9), (515, 95, 2.6), (150, 60, 3.3)):
        top = HEIGHT - height
        if y > top:
            sway = 8 * math.sin((y - top) / 22 + phase) * (1 - (y - top) / height)
            half = 5 * (0.4 + 0.6 * (y - top) / height)
            d = abs(x - base - sway)
            if d < half + 1:
                weed = lerp3((60, 170, 90), (25, 110, 60), d / (half + 1))
                c = lerp3(c, weed, smooth(half + 1, half, d))
    for bx, by, br in ((330, 80, 7), (338, 55, 5), (327, 33, 4), (120, 150, 6), (126, 125, 4)):
        d = math.hypot(x - bx, y - by)
        c = lerp3(c, (235, 255, 255), smooth(1.4, 0.2, abs(d - br)) * 0.8)
    return c


def lake_mountains(x, y):
    shore = 200

    def scene(x, y):
        c = ramp([(0, (120, 170, 230)), (0.7, (240, 200, 210)), (1, (255, 225, 200))], y / shore)
        c = lerp3(c, (255, 255, 255), smooth(0.6, 0.8, clouds(x, y, 61, 80)) * 0.6 * smooth(140, 30, y))
        peak = 80 + 70 * (abs((x - 300) / 200) ** 1.2) + 10 * math.sin(x / 17) + 6 * value_noise(x, 0, 12, 62)
        if y >= peak:
            rock = lerp3((120, 110, 140), (80, 80, 110), (y - peak) / 100)
            rock = lerp3(rock, (70, 70, 100), value_noise(x, y * 0.5, 10, 63) * 0.3)
            snow = smooth(125, 105, y) * smooth(peak + 25, peak + 8, y + 6 * value_noise(x, y, 6, 64))
            rock = lerp3(rock, (250, 250, 255), snow)
            c = lerp3(c, rock, smooth(peak - 0.5, peak + 0.5, y))
        tree, u = divmod(x, 9.0)
        trees = shore - 3 - (9 + 13 * noise(int(tree), 0, 65)) * (1 - abs(2 * u / 9.0 - 1))
        if y >= trees:
            c = lerp3(c, (30, 70, 50), smooth(trees - 0.5, trees + 0.5, y))
        return c

    if y < shore:
        return scene(x, y)
    mirror = 2 * shore - y + 2.5 * math.sin(y / 1.7 + x / 40)
    c = scene(x, max(0.0, mirror))
    c = lerp3(c, (40, 90, 150), 0.3 + 0.4 * (y - shore) / (HEIGHT - shore))
    return lerp3(c, (255, 255, 255), 0.25 * smooth(0.7, 0.95, value_noise(x, y * 6, 25, 66)))


def desert_dunes(x, y):
    c = ramp([(0, (120, 170, 220)), (0.55, (250, 205, 150)), (1, (255, 235, 200))], y / 170)
    c = lerp3(c, (255, 250, 230), glow(x, y, 140, 80, 35) * 0.8)
    if math.hypot(x - 140, y - 80) < 26:
        c = (255, 248, 225)
    for ridge, light, dark in (
            (lambda x: 165 + 20 * math.sin(x / 80 + 0.7), (240, 185, 110), (200, 140, 80)),
            (lambda x: 205 + 25 * math.sin(x / 70 + 2.2), (235, 170, 90), (185, 120, 60)),
            (lambda x: 250 + 18 * math.sin(x / 55 + 4), (245, 190, 115), (200, 140, 75))):
        r = ridge(x)
        if y >= r - 1:
            slope = ridge(x + 1) - r
            dune = lerp3(light, dark, 0.5 + slope * 1.5 + (y - r) / 140)
            c = lerp3(c, dune, smooth(r - 1, r + 0.5, y))
    return c


# name, drawing, type, scale (1 = 550 x 300)
BACKGROUNDS = [
    ("sunset_sea", sunset_sea, "jpeg", 1),
    ("green_hills", green_hills, "jpeg", 1),
    ("night_mountains", night_mountains, "jpeg", 1),
    ("underwater", underwater, "jpeg", 1),
    ("lake_mountains", lake_mountains, "jpeg", 1),
    ("desert_dunes", desert_dunes, "bmp", 2),
]


def render_background(draw, scale):
    w, h = WIDTH // scale, HEIGHT // scale
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            c = draw((x + 0.5) * scale, (y + 0.5) * scale)
            row.append(tuple(min(255, max(0, int(round(v)))) for v in c))
        rows.append(row)
    return rows, w, h
