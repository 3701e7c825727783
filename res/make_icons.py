#!/usr/bin/env python3
"""Draws Shirl's icon: a county map with a radio mast sending waves.

One artwork, given in unit coordinates (0..1, y down), is rasterised at
32 x 32 and 16 x 16 pixels in the 16 colours of the standard Windows
palette and written as

  shirl-32.png, shirl-16.png   for the Qt window and the Linux desktop,
  shirl.ico                    32 x 32 and 16 x 16, 4 bits per pixel, for Windows,
  shirl.svg                    the same artwork as vector shapes, for the Linux
                               desktop at every other size (48 to 256 pixels and up).

Usage: make_icons.py [--check] [OUTPUT_DIR]   (default: the folder of this script)
--check writes nothing and fails when the files there differ from the artwork.
Python 3 standard library only.
"""
import math
import os
import struct
import sys
import zlib

# The 16 colours of the Windows palette, in index order.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, NAVY, SILVER, RED, LIME, YELLOW, WHITE = 0, 2, 4, 7, 9, 10, 11, 15

MAP = [(0.04, 0.42), (0.28, 0.42), (0.28, 0.36), (0.54, 0.36), (0.58, 0.56),
       (0.66, 0.70), (0.58, 0.96), (0.06, 0.96), (0.03, 0.70)]
MAST_TOP = (0.77, 0.40)

# The artwork: layers from bottom to top.
ARTWORK = [
    ("polygon", LIME, MAP),
    ("line", GREEN, [(0.30, 0.42), (0.30, 0.96)], 0.035),        # county lines
    ("line", GREEN, [(0.04, 0.68), (0.62, 0.68)], 0.035),
    ("outline", BLACK, MAP, 0.06),
    ("line", NAVY, [(0.77, 0.97), MAST_TOP], 0.08),                     # mast
    ("line", NAVY, [(0.66, 0.97), (0.77, 0.62)], 0.06),                 # legs
    ("line", NAVY, [(0.88, 0.97), (0.77, 0.62)], 0.06),
    ("arc", RED, MAST_TOP, 0.14, -145.0, -35.0, 0.07),                  # waves
    ("arc", RED, MAST_TOP, 0.27, -145.0, -35.0, 0.07),
    ("disc", YELLOW, MAST_TOP, 0.065),
]

SUBSAMPLES = 8


def _segment_distance(p, a, b):
    (px, py), (ax, ay), (bx, by) = p, a, b
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def _inside_polygon(p, points):
    x, y = p
    inside = False
    for i, (x1, y1) in enumerate(points):
        x2, y2 = points[(i + 1) % len(points)]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def _covers(layer, p, pixel):
    """Whether a layer covers point p; pixel is one pixel in unit lengths,
    so that strokes never get thinner than one pixel."""
    kind = layer[0]
    if kind == "polygon":
        return _inside_polygon(p, layer[2])
    if kind == "outline":
        points, width = layer[2], max(layer[3], pixel)
        return any(_segment_distance(p, points[i], points[(i + 1) % len(points)]) <= width / 2
                   for i in range(len(points)))
    if kind == "line":
        (a, b), width = layer[2], max(layer[3], pixel)
        return _segment_distance(p, a, b) <= width / 2
    if kind == "disc":
        centre, radius = layer[2], max(layer[3], pixel)
        return math.hypot(p[0] - centre[0], p[1] - centre[1]) <= radius
    if kind == "arc":
        centre, radius, start, end, width = layer[2:]
        width = max(width, pixel)
        dx, dy = p[0] - centre[0], p[1] - centre[1]
        if abs(math.hypot(dx, dy) - radius) > width / 2:
            return False
        return start <= math.degrees(math.atan2(dy, dx)) <= end
    raise ValueError(kind)


def render(size):
    """Rows of palette indices, None where the icon is transparent."""
    pixel = 1.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            votes = {}
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    p = ((px + (sx + 0.5) / SUBSAMPLES) * pixel, (py + (sy + 0.5) / SUBSAMPLES) * pixel)
                    colour = None
                    for layer in ARTWORK:
                        if _covers(layer, p, pixel):
                            colour = layer[1]
                    votes[colour] = votes.get(colour, 0) + 1
            # The colour most subsamples show; on a tie the upper layer wins.
            order = [None] + [layer[1] for layer in ARTWORK]
            row.append(max(votes, key=lambda c: (votes[c], max(i for i, o in enumerate(order) if o == c))))
        rows.append(row)
    return rows


def png_bytes(rows):
    size = len(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rows:
        raw.append(0)  # no filter
        for index in row:
            raw.extend((0, 0, 0, 0) if index is None else PALETTE[index] + (255,))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def _dib_bytes(rows):
    """A 4-bit icon image: header, palette, colour bits and AND mask, bottom-up."""
    size = len(rows)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x, index in enumerate(row):
            if index is None:
                bits[x // 8] |= 0x80 >> (x % 8)
                index = 0
            line[x // 2] |= index << (4 if x % 2 == 0 else 0)
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def ico_bytes(images):
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    data = b""
    for rows in images:
        dib = _dib_bytes(rows)
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(dib), offset + len(data))
        data += dib
    return header + entries + data


def svg_bytes(size=256):
    """The artwork as SVG shapes on a size x size canvas; strokes end round
    as the rasteriser's distance test does, except the waves' cut ends."""
    def xy(point):
        return "%g,%g" % (round(point[0] * size, 3), round(point[1] * size, 3))

    def colour(index):
        return "#%02x%02x%02x" % PALETTE[index]

    shapes = []
    for layer in ARTWORK:
        kind, fill = layer[0], colour(layer[1])
        if kind == "polygon":
            shapes.append('<polygon points="%s" fill="%s"/>' % (" ".join(xy(p) for p in layer[2]), fill))
        elif kind == "outline":
            shapes.append('<polygon points="%s" fill="none" stroke="%s" stroke-width="%g" stroke-linejoin="round"/>'
                          % (" ".join(xy(p) for p in layer[2]), fill, layer[3] * size))
        elif kind == "line":
            (a, b), width = layer[2], layer[3]
            shapes.append('<path d="M%s L%s" stroke="%s" stroke-width="%g" stroke-linecap="round"/>'
                          % (xy(a), xy(b), fill, width * size))
        elif kind == "disc":
            centre, radius = layer[2], layer[3]
            shapes.append('<circle cx="%g" cy="%g" r="%g" fill="%s"/>'
                          % (centre[0] * size, centre[1] * size, radius * size, fill))
        elif kind == "arc":
            centre, radius, start, end, width = layer[2:]
            ends = [(centre[0] + radius * math.cos(math.radians(a)), centre[1] + radius * math.sin(math.radians(a)))
                    for a in (start, end)]
            shapes.append('<path d="M%s A%g,%g 0 0 1 %s" fill="none" stroke="%s" stroke-width="%g"/>'
                          % (xy(ends[0]), radius * size, radius * size, xy(ends[1]), fill, width * size))
        else:
            raise ValueError(kind)
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n' % ((size,) * 4)
            + "".join("  " + shape + "\n" for shape in shapes) + "</svg>\n").encode("ascii")


def main(argv):
    check = "--check" in argv
    args = [a for a in argv if a != "--check"]
    out_dir = args[0] if args else os.path.dirname(os.path.abspath(__file__))
    big, small = render(32), render(16)
    files = {
        "shirl-32.png": png_bytes(big),
        "shirl-16.png": png_bytes(small),
        "shirl.ico": ico_bytes([big, small]),
        "shirl.svg": svg_bytes(),
    }
    stale = []
    for name, data in files.items():
        path = os.path.join(out_dir, name)
        if check:
            try:
                with open(path, "rb") as f:
                    if f.read() != data:
                        stale.append(name)
            except OSError:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("make_icons.py: out of date with the artwork: " + ", ".join(stale), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
