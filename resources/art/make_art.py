#!/usr/bin/env python3
"""Draws the launcher's artwork: the four game buttons, the splash picture, the About
picture and the program icon, from shapes and the pixel font beside this file.

    make_art.py              writes the pictures into this folder
    make_art.py --check      exits 1 when a committed picture differs from a fresh drawing
    make_art.py --preview D  writes the pictures as PNG files into folder D as well

Everything is drawn here, with nothing but the standard library, so that the same source
always gives the same bytes. Shapes are sampled four times per pixel in each direction
and averaged, which smooths their edges; text is set afterwards on whole pixels, so that
it stays sharp. The bitmaps are 8-bit Windows bitmaps with a palette of 256 colours, as
the launcher's dialogs expect; the icon holds 16, 32 and 48 pixel images with an alpha
channel and a 256 pixel PNG image.
"""

import argparse
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


# --- Pixel font ---------------------------------------------------------------------------

def load_font(path):
    """Reads the glyph blocks of the font file into {character: [row strings]}."""
    glyphs = {}
    name = None
    with open(path, encoding="ascii") as lines:
        for line in lines:
            line = line.rstrip("\n")
            if not line or line.startswith(";"):
                continue
            if line.startswith("glyph "):
                name = line[len("glyph "):]
                glyphs[" " if name == "space" else name] = []
            else:
                glyphs[" " if name == "space" else name].append(line)
    for char, rows in glyphs.items():
        if len(rows) != 9 or len({len(row) for row in rows}) != 1:
            raise ValueError(f"glyph {char!r} of {path} is not nine rows of one width")
    return glyphs


FONT = load_font(os.path.join(HERE, "pixel_font.txt"))


def text_width(text, scale):
    """Width in pixels of a line of text, one empty column between the glyphs."""
    columns = sum(len(FONT[char][0]) + 1 for char in text) - 1
    return columns * scale


# --- Pictures -----------------------------------------------------------------------------

class Picture:
    """An RGBA picture drawn with sub-pixel samples; colours are (r, g, b) tuples."""

    def __init__(self, width, height, samples=4, background=None):
        self.width, self.height, self.samples = width, height, samples
        self.columns, self.rows = width * samples, height * samples
        fill = (*background, 1.0) if background else (0.0, 0.0, 0.0, 0.0)
        self.pixels = [list(fill) for _ in range(self.columns * self.rows)]

    def _blend(self, index, colour, alpha):
        """Puts a colour over one sample with the given opacity (0 to 1)."""
        if alpha <= 0:
            return
        pixel = self.pixels[index]
        below = pixel[3] * (1 - alpha)
        total = alpha + below
        for channel in range(3):
            pixel[channel] = (colour[channel] * alpha + pixel[channel] * below) / total
        pixel[3] = total

    def paint(self, box, shade):
        """Calls shade(x, y) for every sample centre inside box = (left, top, right,
        bottom) in pixels; shade returns (colour, alpha) or None."""
        s = self.samples
        left = max(0, int(math.floor(box[0] * s)))
        top = max(0, int(math.floor(box[1] * s)))
        right = min(self.columns, int(math.ceil(box[2] * s)))
        bottom = min(self.rows, int(math.ceil(box[3] * s)))
        for row in range(top, bottom):
            y = (row + 0.5) / s
            base = row * self.columns
            for column in range(left, right):
                found = shade((column + 0.5) / s, y)
                if found:
                    self._blend(base + column, found[0], found[1])

    def gradient(self, box, top_colour, bottom_colour):
        height = box[3] - box[1]
        self.paint(box, lambda x, y: (mix(top_colour, bottom_colour, (y - box[1]) / height), 1))

    def rectangle(self, box, colour, alpha=1.0):
        self.paint(box, lambda x, y: (colour, alpha))

    def ellipse(self, cx, cy, rx, ry, colour, alpha=1.0):
        def inside(x, y):
            if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                return colour, alpha
            return None
        self.paint((cx - rx, cy - ry, cx + rx, cy + ry), inside)

    def disc(self, cx, cy, r, colour, alpha=1.0):
        self.ellipse(cx, cy, r, r, colour, alpha)

    def shaded_disc(self, cx, cy, r, lit, dark, light_x, light_y):
        """A sphere lit from the direction (light_x, light_y)."""
        def shade(x, y):
            dx, dy = (x - cx) / r, (y - cy) / r
            if dx * dx + dy * dy > 1:
                return None
            light = max(0.0, 1 - distance(dx - light_x, dy - light_y) / 1.6)
            return mix(dark, lit, light), 1
        self.paint((cx - r, cy - r, cx + r, cy + r), shade)

    def ring(self, cx, cy, rx, ry, width, colour, alpha=1.0, front_only=False):
        """An elliptic band; with front_only, only its lower half (in front of a planet)."""
        def inside(x, y):
            if front_only and y < cy:
                return None
            outer = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
            inner = ((x - cx) / (rx - width)) ** 2 + ((y - cy) / (ry - width * ry / rx)) ** 2
            if outer <= 1 <= inner:
                return colour, alpha
            return None
        self.paint((cx - rx, cy - ry, cx + rx, cy + ry), inside)

    def glow(self, cx, cy, r, colour, strength=1.0):
        """A soft light whose opacity falls from strength at the centre to 0 at r."""
        def shade(x, y):
            d = distance(x - cx, y - cy) / r
            return (colour, strength * (1 - d) ** 2) if d < 1 else None
        self.paint((cx - r, cy - r, cx + r, cy + r), shade)

    def polygon(self, points, colour, alpha=1.0):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(x, y):
            crossings = False
            j = len(points) - 1
            for i in range(len(points)):
                (xi, yi), (xj, yj) = points[i], points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    crossings = not crossings
                j = i
            return (colour, alpha) if crossings else None
        self.paint((min(xs), min(ys), max(xs), max(ys)), inside)

    def line(self, x0, y0, x1, y1, width, colour, alpha=1.0):
        """A straight stroke with square ends, as a thin polygon."""
        length = distance(x1 - x0, y1 - y0)
        nx, ny = -(y1 - y0) / length * width / 2, (x1 - x0) / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny),
                      (x0 - nx, y0 - ny)], colour, alpha)

    def pixels_rgba(self):
        """The picture at its own size: every pixel the average of its samples."""
        s = self.samples
        out = []
        for y in range(self.height):
            for x in range(self.width):
                r = g = b = a = 0.0
                for row in range(y * s, y * s + s):
                    for column in range(x * s, x * s + s):
                        pr, pg, pb, pa = self.pixels[row * self.columns + column]
                        r += pr * pa
                        g += pg * pa
                        b += pb * pa
                        a += pa
                if a > 0:
                    out.append([round(r / a), round(g / a), round(b / a), round(255 * a / (s * s))])
                else:
                    out.append([0, 0, 0, 0])
        return Image(self.width, self.height, out)


class Image:
    """A picture at its final size, as a row-major list of [r, g, b, a] pixels."""

    def __init__(self, width, height, pixels):
        self.width, self.height, self.pixels = width, height, pixels

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = [round(c) for c in colour] + [255]

    def text(self, text, left, top, scale, fill, outline, shadow=None):
        """Sets a line of text on whole pixels: an outline one pixel wide around the
        glyphs, an optional shadow below it, and the glyphs with fill(row) colouring each
        row of the font (row 0 to 8)."""
        ink = []
        x = left
        for char in text:
            rows = FONT[char]
            for row, line in enumerate(rows):
                for column, cell in enumerate(line):
                    if cell == "#":
                        for dy in range(scale):
                            for dx in range(scale):
                                ink.append((x + column * scale + dx, top + row * scale + dy, row))
            x += (len(rows[0]) + 1) * scale
        cells = {(px, py) for px, py, _ in ink}
        if shadow:
            for px, py in cells:
                for dx in (1, 2):
                    self.put(px + dx, py + dx, shadow)
        for px, py in cells:
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    if (px + dx, py + dy) not in cells:
                        self.put(px + dx, py + dy, outline)
        for px, py, row in ink:
            self.put(px, py, fill(row))

    def centred_lines(self, lines, box, largest, fill, outline, shadow=None):
        """Sets lines of text centred in box = (left, top, right, bottom), each line at the
        largest scale up to its entry in `largest` at which it fits the box's width, with
        three pixels between the lines (descenders may reach into them)."""
        gap = 3
        scales = []
        for line, scale in zip(lines, largest):
            while scale > 1 and text_width(line, scale) > box[2] - box[0]:
                scale -= 1
            scales.append(scale)
        total = sum(7 * scale for scale in scales) + gap * (len(lines) - 1)
        top = box[1] + (box[3] - box[1] - total) // 2
        for line, scale in zip(lines, scales):
            width = text_width(line, scale)
            if width > box[2] - box[0]:
                raise ValueError(f"{line!r} is wider than its box even at scale 1")
            left = box[0] + (box[2] - box[0] - width) // 2
            self.text(line, left, top, scale, fill, outline, shadow)
            top += 7 * scale + gap


def distance(dx, dy):
    """The length of (dx, dy). Square roots are exact to the last bit on every system,
    while math.hypot has changed its rounding between Python versions; the pictures must
    come out byte for byte the same wherever they are drawn."""
    return math.sqrt(dx * dx + dy * dy)


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def vertical_fill(top, bottom, rows=7):
    """A text fill that runs from one colour at the top of a capital to another at its foot."""
    return lambda row: tuple(round(c) for c in mix(top, bottom, row / (rows - 1)))


class Stars:
    """A fixed sequence of star positions, the same on every run and every system."""

    def __init__(self, seed):
        self.state = seed

    def next(self):
        self.state = (self.state * 1103515245 + 12345) % 2 ** 31
        return self.state / 2 ** 31

    def scatter(self, picture, count, box, colours):
        for _ in range(count):
            x = box[0] + self.next() * (box[2] - box[0])
            y = box[1] + self.next() * (box[3] - box[1])
            size = 0.35 + self.next() * 0.5
            colour = colours[int(self.next() * len(colours))]
            picture.disc(x, y, size, colour, 0.55 + self.next() * 0.45)


# --- File formats -------------------------------------------------------------------------

def palette_of(image):
    """Reduces the image to at most 256 colours by rounding the channels ever coarser, and
    returns (palette, index per pixel). The palette is ordered by use, then by colour, so
    that it depends on nothing but the pixels."""
    for step in (1, 2, 4, 6, 8, 12, 16):
        rounded = [tuple(min(255, step * round(c / step)) for c in p[:3]) for p in image.pixels]
        counts = {}
        for colour in rounded:
            counts[colour] = counts.get(colour, 0) + 1
        if len(counts) <= 256:
            palette = sorted(counts, key=lambda colour: (-counts[colour], colour))
            index = {colour: i for i, colour in enumerate(palette)}
            return palette, [index[colour] for colour in rounded]
    raise ValueError("the picture has too many colours")


def bitmap_8bit(image):
    """A Windows bitmap file, 8 bits per pixel with a palette of 256 entries."""
    palette, indices = palette_of(image)
    palette = palette + [(0, 0, 0)] * (256 - len(palette))
    stride = (image.width + 3) & ~3
    rows = b"".join(
        bytes(indices[y * image.width:(y + 1) * image.width]) + bytes(stride - image.width)
        for y in reversed(range(image.height)))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, image.width, image.height, 1, 8, 0, len(rows),
                       2835, 2835, 256, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + colours + rows


def png(image):
    """A PNG file of the image with its alpha channel."""
    raw = b"".join(b"\0" + bytes(c for p in image.pixels[y * image.width:(y + 1) * image.width]
                                 for c in p)
                   for y in range(image.height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", image.width, image.height, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_image(image):
    """One image of an icon file: a 32-bit bottom-up DIB at double height, followed by
    the one-bit mask that older systems use in place of the alpha channel."""
    size = image.width
    colour = b"".join(bytes((p[2], p[1], p[0], p[3]))
                      for y in reversed(range(size))
                      for p in image.pixels[y * size:(y + 1) * size])
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if image.pixels[y * size + x][3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask),
                       0, 0, 0, 0)
    return info + colour + mask


def icon_file(images):
    """An icon file of (size, bytes) images; a 256 pixel image is stored as PNG."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    data = b""
    for size, payload in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                                 len(payload), offset + len(data))
        data += payload
    return directory + data


# --- The artwork --------------------------------------------------------------------------

WHITE = (255, 255, 255)
OUTLINE = (8, 10, 24)


def frame(image, light, dark):
    """A raised edge two pixels wide around a button picture."""
    w, h = image.width, image.height
    for i in range(2):
        for x in range(i, w - i):
            image.put(x, i, light)
            image.put(x, h - 1 - i, dark)
        for y in range(i, h - i):
            image.put(i, y, light)
            image.put(w - 1 - i, y, dark)


def fighter(picture, x, y, size, hull, glow_colour, facing=1):
    """A small starfighter seen from above: a dart with two wings and an engine glow."""
    f = facing
    picture.glow(x - 1.1 * size * f, y, size * 0.9, glow_colour, 0.9)
    picture.polygon([(x + size * f, y), (x - size * 0.8 * f, y - size * 0.7),
                     (x - size * 0.5 * f, y), (x - size * 0.8 * f, y + size * 0.7)], hull)
    picture.polygon([(x + size * f, y), (x - size * 0.5 * f, y - size * 0.18),
                     (x - size * 0.5 * f, y + size * 0.18)], mix(hull, WHITE, 0.5))


def button(seed, sky_top, sky_bottom, scenery, lines, largest, text_top, text_bottom, edge):
    picture = Picture(175, 75, background=sky_top)
    picture.gradient((0, 0, 175, 75), sky_top, sky_bottom)
    Stars(seed).scatter(picture, 70, (0, 0, 175, 75), [WHITE, (200, 220, 255), (255, 240, 200)])
    scenery(picture)
    image = picture.pixels_rgba()
    image.centred_lines(lines, (4, 4, 171, 71), largest, vertical_fill(text_top, text_bottom),
                        OUTLINE, shadow=(0, 0, 0))
    frame(image, mix(edge, WHITE, 0.55), mix(edge, (0, 0, 0), 0.5))
    return image


def tie_scenery(p):
    # A grey moon low on the left and two fighters crossing above it.
    p.glow(24, 78, 60, (120, 255, 160), 0.35)
    p.shaded_disc(20, 82, 36, (170, 180, 175), (40, 46, 50), -0.5, -0.6)
    fighter(p, 150, 16, 7, (150, 160, 170), (120, 255, 140), facing=-1)
    fighter(p, 136, 60, 5, (150, 160, 170), (120, 255, 140), facing=-1)


def xvt_scenery(p):
    # Two sides meeting: a red and a green streak of fire crossing.
    p.line(-5, 70, 180, 8, 2.2, (255, 70, 60), 0.85)
    p.line(-5, 8, 180, 66, 2.2, (80, 255, 110), 0.85)
    p.glow(87.5, 37, 30, (255, 230, 180), 0.45)
    fighter(p, 22, 14, 6, (200, 190, 190), (255, 90, 70))
    fighter(p, 155, 62, 6, (190, 200, 190), (90, 255, 110), facing=-1)


def bop_scenery(p):
    # A ringed golden planet on the right: the balance of two halves.
    p.glow(150, 38, 50, (255, 200, 80), 0.4)
    p.ring(150, 40, 44, 10, 4, (230, 190, 120), 0.8)
    p.shaded_disc(150, 40, 24, (255, 214, 120), (90, 50, 20), -0.5, -0.5)
    p.ring(150, 40, 44, 10, 4, (250, 220, 150), 0.95, front_only=True)
    fighter(p, 18, 62, 5, (220, 210, 190), (255, 190, 80))


def xwa_scenery(p):
    # A blue-violet nebula, a bright sun and a ship rising from the lower left.
    p.glow(40, 30, 70, (150, 80, 255), 0.45)
    p.glow(140, 55, 60, (40, 160, 255), 0.4)
    p.glow(156, 14, 16, (255, 255, 220), 1.0)
    p.disc(156, 14, 4, WHITE)
    fighter(p, 24, 60, 6, (210, 215, 230), (120, 180, 255))


def buttons():
    return {
        "tie_button.bmp": button(95, (6, 16, 14), (20, 52, 40), tie_scenery,
                                 ["TIE Fighter", "95"], [3, 3],
                                 WHITE, (150, 255, 170), (60, 150, 100)),
        "xvt_button.bmp": button(114, (34, 6, 10), (8, 30, 14), xvt_scenery,
                                 ["X-Wing", "vs. TIE Fighter"], [3, 3],
                                 WHITE, (255, 220, 160), (170, 90, 80)),
        "bop_button.bmp": button(20, (30, 14, 4), (70, 34, 8), bop_scenery,
                                 ["Balance", "of Power"], [3, 3],
                                 (255, 250, 220), (255, 196, 60), (200, 140, 50)),
        "xwa_button.bmp": button(202, (10, 6, 40), (20, 40, 90), xwa_scenery,
                                 ["X-Wing", "Alliance"], [3, 3],
                                 WHITE, (150, 200, 255), (90, 110, 200)),
    }


def splash():
    p = Picture(250, 150, background=(2, 4, 16))
    p.gradient((0, 0, 250, 150), (2, 4, 16), (16, 10, 48))
    p.glow(70, 110, 110, (90, 40, 160), 0.35)
    p.glow(200, 40, 90, (20, 90, 170), 0.3)
    Stars(2003).scatter(p, 160, (0, 0, 250, 150), [WHITE, (200, 220, 255), (255, 235, 200)])
    p.glow(205, 112, 62, (110, 170, 255), 0.5)
    p.ring(205, 114, 66, 14, 5, (180, 200, 240), 0.7)
    p.shaded_disc(205, 114, 38, (140, 190, 255), (10, 20, 60), -0.6, -0.6)
    p.ring(205, 114, 66, 14, 5, (210, 225, 255), 0.9, front_only=True)
    p.shaded_disc(20, 16, 9, (230, 220, 200), (60, 50, 40), 0.5, -0.5)
    fighter(p, 60, 112, 8, (215, 220, 235), (255, 160, 80))
    fighter(p, 34, 128, 6, (215, 220, 235), (255, 160, 80))
    fighter(p, 82, 132, 5, (215, 220, 235), (255, 160, 80))
    image = p.pixels_rgba()
    image.centred_lines(["Vantrel"], (0, 30, 250, 70), [5],
                        vertical_fill((255, 255, 255), (255, 200, 90)), OUTLINE, shadow=(0, 0, 0))
    image.centred_lines(["Battle launcher"], (0, 72, 250, 90), [2],
                        vertical_fill((190, 220, 255), (140, 180, 240)), OUTLINE)
    return image


def badge(picture, size):
    """The program's mark on a transparent ground: a night-blue disc with a golden V."""
    c, r = size / 2, size / 2 - size / 32
    picture.disc(c, c, r, (18, 40, 110))
    picture.shaded_disc(c, c, r * 0.92, (50, 100, 210), (8, 14, 50), -0.4, -0.5)
    u = size / 32
    picture.polygon([(c - 10 * u, 8 * u), (c - 5 * u, 8 * u), (c, 20 * u), (c + 5 * u, 8 * u),
                     (c + 10 * u, 8 * u), (c + 1.8 * u, 26 * u), (c - 1.8 * u, 26 * u)],
                    (255, 200, 60))
    picture.polygon([(c - 10 * u, 8 * u), (c - 5 * u, 8 * u), (c, 20 * u), (c - 1.8 * u, 26 * u)],
                    (255, 236, 150))
    picture.disc(c + 9 * u, c + 6 * u, 1.2 * u, WHITE)
    picture.disc(c - 9 * u, c + 5 * u, 0.9 * u, WHITE)


def about():
    p = Picture(36, 36, background=(236, 233, 216))
    badge(p, 36)
    return p.pixels_rgba()


def icon():
    """The icon file and its images, smallest first."""
    pictures = []
    for size, samples in ((16, 4), (32, 4), (48, 4), (256, 2)):
        p = Picture(size, size, samples)
        badge(p, size)
        pictures.append(p.pixels_rgba())
    entries = [(image.width, icon_image(image)) for image in pictures[:-1]]
    entries.append((256, png(pictures[-1])))
    return icon_file(entries), pictures


def artwork():
    """Every picture as {file name: (bytes, preview image or None)}, and the icon's
    images."""
    files = {name: (bitmap_8bit(image), image) for name, image in buttons().items()}
    image = splash()
    files["splash.bmp"] = (bitmap_8bit(image), image)
    image = about()
    files["about.bmp"] = (bitmap_8bit(image), image)
    data, images = icon()
    files["vntl.ico"] = (data, None)
    return files, images


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true",
                        help="compare the committed pictures with a fresh drawing")
    parser.add_argument("--preview", metavar="FOLDER", help="also write PNG previews here")
    arguments = parser.parse_args()

    files, icon_images = artwork()
    if arguments.check:
        stale = []
        for name, (data, _) in files.items():
            path = os.path.join(HERE, name)
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        if stale:
            print("out of date (run resources/art/make_art.py): " + ", ".join(stale))
            return 1
        print(f"all {len(files)} pictures match their drawing")
        return 0

    for name, (data, image) in files.items():
        with open(os.path.join(HERE, name), "wb") as out:
            out.write(data)
        if arguments.preview and image:
            palette, indices = palette_of(image)
            image = Image(image.width, image.height, [[*palette[i], 255] for i in indices])
            os.makedirs(arguments.preview, exist_ok=True)
            with open(os.path.join(arguments.preview, name[:-4] + ".png"), "wb") as out:
                out.write(png(image))
    if arguments.preview:
        for image in icon_images:
            with open(os.path.join(arguments.preview, f"vntl_{image.width}.png"), "wb") as out:
                out.write(png(image))
    return 0


if __name__ == "__main__":
    sys.exit(main())
