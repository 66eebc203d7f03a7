"""The region pictures of the vocabulary game: drawings cut into regions,
each a function that returns its RegionPicture (see make_pictures.py)."""

import math

from picture_kit import (Below, Ellipse, Inter, Poly, Rect, Region, RegionPicture, Union, bricks, darker,
                         lighter, polyline_pixels, radial, rays, scales, speckles)


def house():
    sun = (0xFF, 0xD2, 0x3F)
    cloud = (0xF2, 0xF6, 0xFB)
    grass = (0x6D, 0xBB, 0x4A)
    path = (0xD9, 0xC4, 0x9A)
    trunk = (0x7A, 0x52, 0x30)
    crown = (0x3F, 0x9B, 0x3F)
    brick = (0xA5, 0x4B, 0x3A)
    wall = (0xF3, 0xE0, 0xB5)
    roof = (0xC8, 0x55, 0x3D)
    door = (0x8B, 0x5A, 0x2B)
    glass = (0xA8, 0xD8, 0xF0)
    frame = (0xFB, 0xFB, 0xF4)

    def window(x0, y0, x1, y1):
        cx, cy = (x0 + x1) // 2, (y0 + y1) // 2
        shine = lighter(glass, 0.5)

        def detail(x, y):
            if abs(x - cx) <= 1 or abs(y - cy) <= 1:
                return frame
            if 0 <= (x - x0) - (y - y0) + 6 <= 3:
                return shine
            return None
        return Region("window", glass, Rect(x0, y0, x1, y1), detail=detail)

    def door_detail(x, y):
        if (x - 251) % 10 == 0:
            return darker(door, 0.2)
        if (x - 281) ** 2 + (y - 228) ** 2 <= 9:
            return (0xF0, 0xC0, 0x40)
        return None

    regions = [
        Region("sun", sun, Ellipse(495, 55, 32), tone=lambda x, y: 0.5 * radial(485, 45, 45)(x, y)),
        Region("cloud", cloud, Union(Ellipse(100, 62, 32, 20), Ellipse(132, 50, 32, 26), Ellipse(165, 64, 28, 18))),
        Region("grass", grass, Below(lambda x: 248 + 5 * math.sin(x / 40), 240),
               detail=speckles(grass, 1, 0.10, 0.22, 1)),
        Region("path", path, Poly((252, 258), (288, 258), (326, 288), (214, 288)),
               detail=speckles(path, 2, 0.08, 0.2, 3)),
        Region("trunk", trunk, Poly((430, 262), (433, 175), (443, 175), (448, 262)),
               detail=speckles(trunk, 3, 0.25, 0.25, 3)),
        Region("tree crown", crown, Union(Ellipse(438, 138, 42, 38), Ellipse(410, 162, 30, 24), Ellipse(466, 162, 30, 24)),
               detail=speckles(crown, 4, 0.12, -0.3, 2)),
        Region("chimney", brick, Rect(318, 76, 343, 130), detail=bricks(brick, 318, 76, 8, 12, 0.2)),
        Region("wall", wall, Rect(175, 148, 365, 258), detail=bricks(wall, 175, 148, 12, 24)),
        Region("roof", roof, Poly((150, 152), (270, 66), (390, 152)), detail=bricks(roof, 150, 66, 10, 16, 0.25)),
        Region("door", door, Rect(251, 192, 289, 258), detail=door_detail),
        window(193, 172, 238, 212),
        window(302, 172, 347, 212),
    ]
    regions[-2].name = "left window"
    regions[-1].name = "right window"
    return RegionPicture("house", "A house with a tree", regions)


def fish():
    orange = (0xF2, 0x84, 0x1F)
    fin = (0xE0, 0x6A, 0x12)
    white = (0xFF, 0xF4, 0xE2)
    bubble = (0xBF, 0xE6, 0xFF)
    body = Ellipse(255, 150, 150, 85)

    def band(rx, ry):
        return Inter(body, Ellipse(130, 150, rx, ry))

    def eye(x, y):
        if (x - 161) ** 2 + (y - 130) ** 2 <= 40:
            return (0x20, 0x22, 0x30)
        return None

    def head_detail(x, y):
        if y in (168, 169) and 112 <= x <= 128:  # the mouth
            return darker(orange, 0.4)
        return scales(orange)(x, y)

    regions = [
        Region("bubble", bubble, Ellipse(70, 72, 15), tone=radial(64, 66, 18)),
        Region("small bubble", bubble, Ellipse(48, 118, 11), tone=radial(44, 114, 14)),
        Region("tail", fin, Poly((385, 150), (500, 66), (476, 150), (500, 234)), detail=rays(fin, 385, 150, 9)),
        Region("top fin", fin, Poly((175, 88), (250, 28), (335, 82)), detail=rays(fin, 255, 140, 7)),
        Region("bottom fin", fin, Poly((230, 215), (285, 272), (308, 218)), detail=rays(fin, 265, 150, 7)),
        Region("back", orange, body, detail=scales(orange)),
        Region("back stripe", white, band(212, 215), detail=speckles(white, 5, 0.05, 0.08)),
        Region("middle", orange, band(180, 200), detail=scales(orange)),
        Region("front stripe", white, band(112, 170), detail=speckles(white, 6, 0.05, 0.08)),
        Region("head", orange, band(75, 140), detail=head_detail),
        Region("eye", (0xFF, 0xFF, 0xFF), Ellipse(163, 128, 14), detail=eye),
    ]
    return RegionPicture("fish", "A clownfish", regions)


def flower():
    cx, cy = 275, 100
    petals = [(0xEC, 0x40, 0x7A), (0xF0, 0x62, 0x92), (0xAB, 0x47, 0xBC),
              (0xBA, 0x68, 0xC8), (0x7E, 0x57, 0xC2), (0xF4, 0x8F, 0xB1)]
    stem = (0x4C, 0xAF, 0x50)
    leaf = (0x66, 0xBB, 0x6A)
    pot = (0xD2, 0x69, 0x1E)
    rim = (0xB8, 0x55, 0x1A)
    centre = (0xFF, 0xCA, 0x28)

    def leaf_detail(x0, y0, angle):
        c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
        vein = darker(leaf, 0.3)

        def detail(x, y):
            v = -(x - x0) * s + (y - y0) * c
            return vein if abs(v) < 0.7 else None
        return detail

    regions = [
        Region("stem", stem, Poly((270, 150), (280, 150), (283, 240), (273, 240))),
        Region("left leaf", leaf, Ellipse(237, 205, 36, 13, -30), detail=leaf_detail(237, 205, -30)),
        Region("right leaf", leaf, Ellipse(316, 192, 36, 13, 30), detail=leaf_detail(316, 192, 30)),
        Region("pot", pot, Poly((228, 236), (322, 236), (308, 297), (242, 297)),
               detail=lambda x, y: darker(pot, 0.15) if (y - 236) % 14 == 7 else None),
        Region("pot rim", rim, Rect(218, 226, 332, 243)),
    ]
    for k, colour in enumerate(petals):
        a = math.radians(k * 60 - 90)
        px, py = cx + 48 * math.cos(a), cy + 48 * math.sin(a)
        regions.append(Region(f"petal {k + 1}", colour, Ellipse(px, py, 36, 21, k * 60 - 90),
                              tone=radial(cx, cy, 85), detail=rays(colour, cx, cy, 12, 0.1)))
    regions.append(Region("centre", centre, Ellipse(cx, cy, 24), tone=radial(cx - 6, cy - 6, 30),
                          detail=speckles(centre, 7, 0.14, 0.4, 2)))
    return RegionPicture("flower", "A flower in a pot", regions)


def apple_tree():
    grass = (0x7C, 0xC5, 0x4E)
    trunk = (0x80, 0x55, 0x33)
    leaves = [(0x2E, 0x8B, 0x3E), (0x3A, 0x9A, 0x48), (0x47, 0xA8, 0x4F)]
    apple = (0xE5, 0x39, 0x35)
    basket = (0xC9, 0x9A, 0x5B)

    def apple_region(x, y):
        shine = lighter(apple, 0.6)
        return Region("apple", apple, Ellipse(x, y, 12), tone=radial(x - 4, y - 4, 14),
                      detail=lambda xx, yy: shine if (xx - x + 5) ** 2 + (yy - y + 5) ** 2 <= 4 else None)

    def weave(x, y):
        return darker(basket, 0.25) if (y - 238) % 7 == 0 or (x + (y - 238) // 7 * 4) % 9 == 0 else None

    regions = [
        Region("meadow", grass, Below(lambda x: 245 - 22 * math.exp(-((x - 275) / 190) ** 2), 220),
               detail=speckles(grass, 8, 0.1, 0.22)),
        Region("trunk", trunk, Poly((252, 262), (266, 165), (286, 165), (300, 262)),
               detail=speckles(trunk, 9, 0.25, 0.25, 3)),
        Region("left leaves", leaves[0], Ellipse(212, 135, 72, 56), detail=speckles(leaves[0], 10, 0.12, -0.3, 2)),
        Region("right leaves", leaves[1], Ellipse(338, 135, 72, 56), detail=speckles(leaves[1], 11, 0.12, -0.3, 2)),
        Region("top leaves", leaves[2], Ellipse(275, 82, 82, 60), detail=speckles(leaves[2], 12, 0.12, -0.3, 2)),
        apple_region(190, 122),
        apple_region(240, 160),
        apple_region(335, 108),
        apple_region(368, 152),
        apple_region(282, 62),
        Region("basket", basket, Poly((352, 238), (410, 238), (401, 270), (361, 270)), detail=weave),
    ]
    for k, r in enumerate(regions[5:10], 1):
        r.name = f"apple {k}"
    return RegionPicture("apple_tree", "An apple tree", regions)


def sailboat():
    sea = (0x29, 0x8F, 0xD0)
    hull = (0xA0, 0x52, 0x2D)
    stripe = (0xF5, 0xF0, 0xE6)
    sail = (0xFA, 0xF7, 0xEE)
    jib = (0xFF, 0xE0, 0x82)
    mast = (0x6D, 0x4C, 0x41)
    flag = (0xE5, 0x39, 0x35)
    sun = (0xFF, 0xC1, 0x07)
    cloud = (0xF0, 0xF4, 0xFA)

    def waves(x, y):
        crest = 225 + 6 * math.sin(x / 22)
        if (y - crest) > 4 and abs(((y - crest) % 16) - 8 - 3 * math.sin(x / 15 + y)) < 0.8:
            return lighter(sea, 0.35)
        return None

    def seams(base, step):
        line = darker(base, 0.12)
        return lambda x, y: line if y % step == 0 else None

    regions = [
        Region("sun", sun, Ellipse(90, 70, 34), tone=lambda x, y: 0.5 * radial(80, 60, 45)(x, y)),
        Region("cloud", cloud, Union(Ellipse(420, 62, 34, 20), Ellipse(452, 50, 30, 24), Ellipse(482, 64, 28, 17))),
        Region("sea", sea, Below(lambda x: 225 + 6 * math.sin(x / 22), 215), detail=waves),
        Region("hull", hull, Poly((150, 214), (420, 214), (384, 260), (186, 260)),
               detail=lambda x, y: darker(hull, 0.2) if (y - 214) % 9 == 0 else None),
        Region("hull stripe", stripe, Inter(Poly((150, 214), (420, 214), (384, 260), (186, 260)), Rect(0, 210, 550, 226))),
        Region("front porthole", (0xB3, 0xE5, 0xFC), Ellipse(235, 242, 9), tone=radial(232, 239, 10)),
        Region("back porthole", (0xB3, 0xE5, 0xFC), Ellipse(335, 242, 9), tone=radial(332, 239, 10)),
        Region("mast", mast, Rect(280, 36, 290, 215)),
        Region("mainsail", sail, Poly((294, 52), (294, 206), (400, 206)), detail=seams(sail, 14)),
        Region("jib", jib, Poly((276, 66), (276, 206), (176, 206)), detail=seams(jib, 14)),
        Region("flag", flag, Poly((290, 36), (332, 47), (290, 58))),
    ]
    return RegionPicture("sailboat", "A sailing boat", regions)


def butterfly():
    upper = (0x42, 0xA5, 0xF5)
    lower = (0x26, 0xC6, 0xDA)
    spot = (0xFF, 0xEB, 0x3B)
    body = (0x5D, 0x40, 0x37)
    antennae = polyline_pixels([(270, 68), (262, 50), (250, 34), (238, 26)]) | \
        polyline_pixels([(280, 68), (288, 50), (300, 34), (312, 26)])
    for (kx, ky) in ((238, 26), (312, 26)):
        for dy in range(-3, 4):
            for dx in range(-3, 4):
                if dx * dx + dy * dy <= 9:
                    antennae.add((kx + dx, ky + dy))

    regions = [
        Region("lower left wing", lower, Ellipse(225, 197, 52, 42, 30), detail=rays(lower, 275, 150, 14)),
        Region("lower right wing", lower, Ellipse(325, 197, 52, 42, -30), detail=rays(lower, 275, 150, 14)),
        Region("upper left wing", upper, Ellipse(203, 108, 78, 56, -25), detail=rays(upper, 275, 150, 11)),
        Region("upper right wing", upper, Ellipse(347, 108, 78, 56, 25), detail=rays(upper, 275, 150, 11)),
        Region("left spot", spot, Ellipse(180, 92, 21), tone=radial(175, 87, 25)),
        Region("right spot", spot, Ellipse(370, 92, 21), tone=radial(365, 87, 25)),
        Region("lower left spot", spot, Ellipse(212, 210, 14), tone=radial(209, 207, 17)),
        Region("lower right spot", spot, Ellipse(338, 210, 14), tone=radial(335, 207, 17)),
        Region("body", body, Ellipse(275, 158, 11, 72), detail=lambda x, y: lighter(body, 0.3) if y % 9 == 0 else None),
        Region("head", body, Ellipse(275, 78, 14), tone=radial(270, 73, 16)),
    ]
    return RegionPicture("butterfly", "A butterfly", regions,
                         outline=lambda x, y: (int(x), int(y)) in antennae)


PICTURES = [house, fish, flower, apple_tree, sailboat, butterfly]
