# Writes the picture files the loader meets into a folder, with manifest.txt: per load, the name,
# the diagonal it is drawn at ("inf": any), its upright size, the size it is decoded at and its
# quarters' colours (rrggbb); or "refused", or "forged" when its header's size must refuse it
# before a decoder reads on.
# Usage: picture_table.py FOLDER

import io
import math
import os
import struct
import sys
from pathlib import Path

from PIL import Image

RED, GREEN, BLUE, ORANGE = (230, 20, 20), (20, 200, 40), (30, 40, 220), (250, 140, 0)
GREY = (120, 120, 120)
SIZE = (160, 120)


def encoded(colour, image_format, size=SIZE, mode="RGB", **options) -> bytes:
    out = io.BytesIO()
    Image.new("RGB", size, colour).convert(mode).save(out, image_format, **options)
    return out.getvalue()


def bmp(bits: int, claimed: tuple[int, int], pixel_data: bytes, compression: int = 0,
        palette: bytes = b"") -> bytes:
    # Written by hand so that every field is ours: it may claim a size its pixels do not have.
    info = struct.pack("<IiiHHIIiiII", 40, *claimed, 1, bits, compression, len(pixel_data), 2835,
                       2835, len(palette) // 4, 0)
    start = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", start + len(pixel_data), 0, 0, start)
    return header + info + palette + pixel_data


def rle8_panorama(half: int, height: int) -> bytes:
    # Wider than X11 lets a window be, in quarters: runs of up to 255 pixels, rows bottom-up.
    def row(left: int, right: int) -> bytes:
        runs = (bytes((min(255, half - x), i)) for i in (left, right) for x in range(0, half, 255))
        return b"".join(runs) + b"\0\0"
    pixels = row(2, 3) * (height // 2) + row(0, 1) * (height // 2) + b"\0\1"
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in QUARTERS)
    return bmp(8, (2 * half, height), pixels, 1, palette)


def one_colour_gif(side: int) -> bytes:
    # side x side pixels that really decode, from a byte per 1400 or so: after each clear code (4),
    # code 0 is one pixel and each code 5 + j after it repeats the one before and a pixel more.
    codes, left = [(4, 0)], side * side  # (code, j): as wide as code 5 + j, at least 3 bits
    while left:
        n = min(4090, (math.isqrt(8 * left + 1) - 1) // 2)  # 1 + 2 + ... + n pixels; 4095 ends
        left -= n * (n + 1) // 2
        codes += [(0, 0)] + [(5 + j, j) for j in range(1, n)] + [(4 if left else 5, n)]
    bits = "".join(f"{code:0{max(3, (5 + j).bit_length())}b}"[::-1] for code, j in codes)
    data = int(bits[::-1], 2).to_bytes(len(bits) // 8 + 1, "little")
    blocks = b"".join(bytes([len(data[i:i + 255])]) + data[i:i + 255]
                      for i in range(0, len(data), 255))
    screen = struct.pack("<6sHHBBB", b"GIF89a", side, side, 0x81, 0, 0) + bytes((*BLUE, *RED)) * 2
    return screen + struct.pack("<BHHHHBB", 0x2C, 0, 0, side, side, 0, 2) + blocks + b"\0;"


FEW_PIXELS = bytes((20, 20, 230)) * 64
JPEG = encoded(RED, "JPEG", quality=95)

# name, bytes, colour when it loads (at SIZE), or "forged" or None when it must be refused
CASES = [
    ("cut.jpg", JPEG[: len(JPEG) // 2], None),  # Windows may show the top half; Wine refuses it
    ("png.jpg", encoded(GREEN, "PNG"), GREEN),  # the decoder goes by content
    ("hostile.gif", one_colour_gif(40000), "forged"),  # 1 MB that decodes to 1.6 gigapixels
    ("blue.gif", encoded(BLUE, "GIF"), BLUE),
    ("large.bmp", bmp(24, (9000, 9000), FEW_PIXELS), None),
    ("grey.bmp", encoded(GREY, "BMP", mode="L"), GREY),  # 8 bits, a palette of greys,
    ("flat.bmp", bmp(24, (160, 0), b""), None),
    ("zero-alpha.bmp", bmp(32, SIZE, bytes((0, 140, 250, 0)) * 160 * 120), ORANGE),
    ("写真\\..\\写真\\桜の花.jpg", JPEG, RED),
    ("無い.jpg", None, None),
    ("写真", None, None),
]

# One upright picture of four coloured quarters (on whole JPEG blocks), stored as a camera on its
# side would store it: each orientation's tag turns it back.
QUARTERS = [(224, 16, 16), (16, 224, 16), (16, 16, 224), (224, 224, 16)]
UPRIGHT = Image.new("RGB", (64, 32))
for (x, y), colour in zip([(0, 0), (32, 0), (0, 16), (32, 16)], QUARTERS):
    UPRIGHT.paste(colour, (x, y, x + 32, y + 16))
T = Image.Transpose
TURNS = (T.FLIP_LEFT_RIGHT, T.ROTATE_180, T.FLIP_TOP_BOTTOM, T.TRANSPOSE, T.ROTATE_90, T.TRANSVERSE,
         T.ROTATE_270)
STORED = {1: UPRIGHT} | {n: UPRIGHT.transpose(turn) for n, turn in enumerate(TURNS, 2)}


def tagged(orientation: int) -> bytes:
    exif = Image.Exif()
    exif[0x0112] = orientation
    out = io.BytesIO()
    STORED[orientation].save(out, "JPEG", quality=95, exif=exif.tobytes())
    return out.getvalue()


if __name__ == "__main__":
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "写真").mkdir(exist_ok=True)
    lines = []
    for name, data, colour in CASES:
        if data is not None:
            Path(os.path.normpath(folder / name.replace("\\", "/"))).write_bytes(data)
        if isinstance(colour, tuple):  # it loads at any size as SIZE
            colour = "inf {0} {1} {0} {1} ".format(*SIZE) + f"{bytes(colour).hex()} " * 4
        lines.append(f"{name} {colour or 'refused'}")
    for orientation in STORED:  # at full size and at about half, decoded reduced then turned
        (folder / f"turned{orientation}.jpg").write_bytes(tagged(orientation))
        for diagonal, decoded in (("inf", "64 32"), (36, "33 17")):
            lines.append(f"turned{orientation}.jpg {diagonal} 64 32 {decoded} "
                         + " ".join(bytes(q).hex() for q in QUARTERS))
    (folder / "panorama.bmp").write_bytes(rle8_panorama(20000, 3000))  # the holder's test's
    (folder / "slideshow").mkdir(exist_ok=True)  # the endurance test's photos
    for name, size, colour in (("a", (64, 48), BLUE), ("b", (48, 48), GREEN), ("c", (40, 60), RED)):
        Image.new("RGB", size, colour).save(folder / "slideshow" / f"{name}.bmp")
    for name in ("stamped", "copy", "other"):  # the stamp test's: same size, same write time
        (folder / f"{name}.jpg").write_bytes(name[0].encode() * 1000)
        os.utime(folder / f"{name}.jpg", (1e9, 1e9))
    (folder / "manifest.txt").write_text("\n".join(lines) + "\n", encoding="utf-8")
