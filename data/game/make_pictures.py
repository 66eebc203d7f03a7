#!/usr/bin/env python3
"""Draws the sample pictures of the vocabulary game.

    python3 data/game/make_pictures.py [--jpeg]

Writes, next to this script:

  pictures/<name>.bmp     region pictures, 550 x 300: a drawing cut into
                          regions, each outlined in the border colour and
                          filled with its own colours; outside the drawing
                          the transparent colour lets the background through
  pictures.txt            the source of the region picture base: per picture
                          its file, colours and one point inside each region
  backgrounds/<name>.bmp  backgrounds, 550 x 300 (one at half that size)
  backgrounds.txt         the source of the background base

With --jpeg the backgrounds listed as JPEG are converted with ImageMagick's
`convert` and their bitmaps removed; the JPEG files are kept in the
repository, so that building the program never needs ImageMagick.

Only the standard library is used: picture_kit.py holds the shapes, the
region renderer and a bitmap writer, region_drawings.py and
background_drawings.py the drawings. The output is the same at every run.
"""

import os
import shutil
import subprocess
import sys

sys.dont_write_bytecode = True  # no __pycache__ beside the sources

from background_drawings import BACKGROUNDS, render_background  # noqa: E402
from picture_kit import BORDER, HEIGHT, TRANSPARENT, WIDTH, render, write_bmp  # noqa: E402
from region_drawings import PICTURES  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))


def hex_colour(c):
    return "#%02x%02x%02x" % c


def main():
    jpeg = "--jpeg" in sys.argv[1:]
    only = [a for a in sys.argv[1:] if not a.startswith("--")]
    os.makedirs(os.path.join(HERE, "pictures"), exist_ok=True)
    os.makedirs(os.path.join(HERE, "backgrounds"), exist_ok=True)

    lines = ["# Region pictures of the game, in base order: lexmora-gamebase stores them",
             "# in GAME/nobase.IDX and GAME/nobase.NOB. Written by make_pictures.py with the",
             "# bitmaps; every point lies inside its region (point r in region r).", ""]
    for make in PICTURES:
        picture = make()
        if only and picture.name not in only:
            continue
        rows, points = render(picture)
        # The house keeps 24 bits per pixel, the others take a palette.
        bits = write_bmp(os.path.join(HERE, "pictures", picture.name + ".bmp"), WIDTH, HEIGHT, rows,
                         allow_palette=picture.name != "house")
        print(f"{picture.name}: {len(points)} regions, {bits}-bit")
        lines += [f"# {picture.title}", "[picture]", f"file        = pictures/{picture.name}.bmp",
                  "type        = bmp", f"border      = {hex_colour(BORDER)}",
                  f"transparent = {hex_colour(TRANSPARENT)}"]
        for k, ((x, y), region) in enumerate(zip(points, picture.regions), 1):
            lines.append(f"point       = {x} {y}".ljust(26) + f"# {k} {region.name}")
        lines.append("")
    if not only:
        with open(os.path.join(HERE, "pictures.txt"), "w") as f:
            f.write("\n".join(lines))

    lines = ["# Backgrounds of the game, in base order: lexmora-gamebase stores them in",
             "# GAME/bkbase.IDX and GAME/bkbase.BOB. Written by make_pictures.py.", ""]
    for name, draw, kind, scale in BACKGROUNDS:
        if only and name not in only:
            continue
        rows, w, h = render_background(draw, scale)
        bmp = os.path.join(HERE, "backgrounds", name + ".bmp")
        write_bmp(bmp, w, h, rows, allow_palette=False)
        if kind == "jpeg":
            target = os.path.join(HERE, "backgrounds", name + ".jpg")
            if jpeg:
                if not shutil.which("convert"):
                    sys.exit("--jpeg needs ImageMagick's convert")
                subprocess.run(["convert", bmp, "-strip", "-quality", "88", target], check=True)
                os.remove(bmp)
            lines += ["[background]", f"file = backgrounds/{name}.jpg", "type = jpeg", ""]
        else:
            lines += ["[background]", f"file = backgrounds/{name}.bmp", "type = bmp", ""]
        print(f"{name}: {w} x {h}, {kind}")
    if not only:
        with open(os.path.join(HERE, "backgrounds.txt"), "w") as f:
            f.write("\n".join(lines))


if __name__ == "__main__":
    main()
