#!/usr/bin/env python3
"""Draws Vantorel's logo and the application icons made from it.

The logo is pixel art: 141 x 166 pixels, 24-bit colour, 14 flat colours, no
text. A white box with thick black outlines and grey dots stands on a light
greyish-blue ground, casts a grey shadow to its lower right, has cyan strips
along its top edge and an arched magenta-and-purple opening in its front; a
yellow-and-olive disc rests on its upper left corner and a green disc floats
above it. The splash window shows the picture from its top left corner and
cuts it off at 117 x 155 pixels (the inside of its picture box), so everything
that matters is drawn within that part.

The icons are the same drawing on a rounded tile, scaled down by averaging so
that the thick outlines survive at small sizes.

Only the standard library is used, so the picture can be redrawn anywhere:
    python3 ui/splash/make_logo.py            (from the repository's top)
writes ui/splash/logo.png and packaging/icons/<size>x<size>/io.github.vantorel.vantorel.png.
"""

import os
import struct
import sys
import zlib

WIDTH, HEIGHT = 141, 166

# The 14 colours, as (red, green, blue).
GROUND = (176, 192, 223)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DOT = (160, 160, 164)
SHADOW = (128, 128, 128)
SIDE = (208, 208, 208)
CYAN = (0, 255, 255)
DARK_CYAN = (0, 160, 176)
MAGENTA = (255, 0, 255)
PURPLE = (96, 0, 96)
YELLOW = (255, 255, 0)
OLIVE = (128, 128, 0)
GREEN = (0, 200, 0)
DARK_GREEN = (0, 112, 0)
PALETTE = [GROUND, WHITE, BLACK, DOT, SHADOW, SIDE, CYAN, DARK_CYAN,
           MAGENTA, PURPLE, YELLOW, OLIVE, GREEN, DARK_GREEN]

# The box: its front face, and how far its back edges lie up and to the right.
FRONT_LEFT, FRONT_RIGHT, FRONT_TOP, FRONT_BOTTOM = 20, 84, 78, 142
DEPTH_X, DEPTH_Y = 22, -16
OUTLINE = 3  # pen width of the black outlines, in pixels


def inside_polygon(x, y, points):
    """Even-odd test of the pixel centre (x + 0.5, y + 0.5)."""
    px, py = x + 0.5, y + 0.5
    inside = False
    for i, (x1, y1) in enumerate(points):
        x2, y2 = points[(i + 1) % len(points)]
        if (y1 > py) != (y2 > py):
            cross = x1 + (py - y1) * (x2 - x1) / (y2 - y1)
            if px < cross:
                inside = not inside
    return inside


class Canvas:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def polygon(self, points, colour_at):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            for x in range(min(xs), max(xs) + 1):
                if inside_polygon(x, y, points):
                    colour = colour_at(x, y)
                    if colour is not None:
                        self.put(x, y, colour)

    def line(self, x1, y1, x2, y2, colour, pen=OUTLINE):
        """A line drawn with a square pen, pen pixels across."""
        steps = max(abs(x2 - x1), abs(y2 - y1), 1)
        for i in range(steps + 1):
            x = round(x1 + (x2 - x1) * i / steps)
            y = round(y1 + (y2 - y1) * i / steps)
            for dy in range(pen):
                for dx in range(pen):
                    self.put(x - pen // 2 + dx, y - pen // 2 + dy, colour)

    def outline(self, points, colour=BLACK):
        for i, (x1, y1) in enumerate(points):
            x2, y2 = points[(i + 1) % len(points)]
            self.line(x1, y1, x2, y2, colour)

    def disc(self, cx, cy, r, light, dark):
        """A disc lit from the upper left: dark where a disc shifted that way
        no longer covers it, with a black rim."""
        for y in range(cy - r - 2, cy + r + 3):
            for x in range(cx - r - 2, cx + r + 3):
                d2 = (x - cx) ** 2 + (y - cy) ** 2
                if d2 <= r * r:
                    lit = (x - cx + 5) ** 2 + (y - cy + 5) ** 2 <= r * r
                    self.put(x, y, light if lit else dark)
                elif d2 <= (r + 2.5) ** 2:
                    self.put(x, y, BLACK)


def in_arch(x, y, cx, top, half_width, bottom):
    """The opening: straight sides from bottom up to top, a half circle above."""
    if top <= y <= bottom:
        return abs(x + 0.5 - cx) <= half_width
    return y < top and (x + 0.5 - cx) ** 2 + (y + 0.5 - top) ** 2 <= half_width ** 2


def draw_logo():
    c = Canvas(WIDTH, HEIGHT, GROUND)
    fl, fr, ft, fb = FRONT_LEFT, FRONT_RIGHT, FRONT_TOP, FRONT_BOTTOM
    front = [(fl, ft), (fr, ft), (fr, fb), (fl, fb)]
    top = [(fl, ft), (fl + DEPTH_X, ft + DEPTH_Y), (fr + DEPTH_X, ft + DEPTH_Y), (fr, ft)]
    side = [(fr, ft), (fr + DEPTH_X, ft + DEPTH_Y), (fr + DEPTH_X, fb + DEPTH_Y), (fr, fb)]
    silhouette = [(fl, ft), (fl + DEPTH_X, ft + DEPTH_Y), (fr + DEPTH_X, ft + DEPTH_Y),
                  (fr + DEPTH_X, fb + DEPTH_Y), (fr, fb), (fl, fb)]

    # The shadow first, so that the box stands on it.
    c.polygon([(x + 8, y + 7) for x, y in silhouette], lambda x, y: SHADOW)

    def dotted(face_colour):
        def colour(x, y):
            return DOT if x % 8 in (4, 5) and y % 8 in (2, 3) else face_colour
        return colour

    c.polygon(front, dotted(WHITE))
    c.polygon(side, dotted(SIDE))

    def strips(x, y):
        # Two cyan strips with a darker one between, along the front top edge.
        rows_from_edge = ft - y
        if 2 <= rows_from_edge <= 4 or 8 <= rows_from_edge <= 10:
            return CYAN
        if 5 <= rows_from_edge <= 7:
            return DARK_CYAN
        return WHITE
    c.polygon(top, strips)

    # The arched opening, its inner wall in shade.
    cx, arch_top, half = 52.0, 114, 14
    for y in range(arch_top - half, fb + 1):
        for x in range(int(cx - half) - 1, int(cx + half) + 2):
            if in_arch(x, y, cx, arch_top, half, fb):
                shaded = in_arch(x - 5, y - 5, cx, arch_top, half, fb + 10)
                c.put(x, y, PURPLE if shaded else MAGENTA)
    for y in range(arch_top - half - 2, fb + 1):
        for x in range(int(cx - half) - 3, int(cx + half) + 4):
            if not in_arch(x, y, cx, arch_top, half, fb) and in_arch(x, y, cx, arch_top, half + 2.5, fb):
                c.put(x, y, BLACK)

    for face in (front, top, side):
        c.outline(face)

    # The yellow disc rests on the box's upper left corner; the green one floats.
    c.disc(24, 62, 14, YELLOW, OLIVE)
    c.disc(46, 24, 12, GREEN, DARK_GREEN)
    return c


def png_bytes(width, height, rows, alpha):
    """A PNG file: 8 bits per channel, RGB (colour type 2) or RGBA (type 6)."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type None
        for pixel in row:
            raw.extend(pixel)
    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def icon_tile(logo):
    """The drawing on a square tile with rounded corners, transparent outside."""
    size, left, top, corner = 144, -10, 6, 22
    tile = []
    for y in range(size):
        row = []
        for x in range(size):
            # distance into the rounded corner, if the pixel lies in one
            qx = max(corner - x, x - (size - 1 - corner), 0)
            qy = max(corner - y, y - (size - 1 - corner), 0)
            if qx * qx + qy * qy > corner * corner:
                row.append((0, 0, 0, 0))
                continue
            sx, sy = x + left, y + top
            colour = logo.pixels[sy][sx] if 0 <= sx < WIDTH and 0 <= sy < HEIGHT else GROUND
            row.append(colour + (255,))
        tile.append(row)
    return tile


def scaled(tile, size):
    """Area-average resampling of a square RGBA tile to size x size."""
    n = len(tile)
    out = []
    for ty in range(size):
        y0, y1 = ty * n / size, (ty + 1) * n / size
        row = []
        for tx in range(size):
            x0, x1 = tx * n / size, (tx + 1) * n / size
            acc = [0.0, 0.0, 0.0, 0.0]
            total = 0.0
            for sy in range(int(y0), min(int(-(-y1 // 1)), n)):
                wy = min(y1, sy + 1) - max(y0, sy)
                for sx in range(int(x0), min(int(-(-x1 // 1)), n)):
                    w = wy * (min(x1, sx + 1) - max(x0, sx))
                    r, g, b, a = tile[sy][sx]
                    # premultiplied, so transparent pixels add no colour
                    acc[0] += w * r * a
                    acc[1] += w * g * a
                    acc[2] += w * b * a
                    acc[3] += w * a
                    total += w
            alpha = acc[3] / total
            if acc[3] > 0:
                rgb = tuple(round(v / acc[3]) for v in acc[:3])
            else:
                rgb = (0, 0, 0)
            row.append(rgb + (round(alpha),))
        out.append(row)
    return out


ICON_SIZES = (16, 24, 32, 48, 64, 128, 256)
ICON_NAME = "io.github.vantorel.vantorel.png"


def main():
    top = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    logo = draw_logo()
    used = {p for row in logo.pixels for p in row}
    if used != set(PALETTE):
        sys.exit(f"the logo uses {len(used)} colours, not the 14 of its palette")
    with open(os.path.join(top, "ui", "splash", "logo.png"), "wb") as f:
        f.write(png_bytes(WIDTH, HEIGHT, logo.pixels, alpha=False))
    tile = icon_tile(logo)
    for size in ICON_SIZES:
        folder = os.path.join(top, "packaging", "icons", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, ICON_NAME), "wb") as f:
            f.write(png_bytes(size, size, scaled(tile, size), alpha=True))


if __name__ == "__main__":
    main()
