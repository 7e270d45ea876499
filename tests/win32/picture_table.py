# Writes the picture files the loader meets into a folder, with manifest.txt: one line per load,
# the file's name (relative to the folder), then the diagonal it is drawn at, its upright size, the
# size it is decoded at and the colours (rrggbb) of its four quarters, or "refused". Odd but valid
# encodings a loader must read; photos stored on their side with an EXIF orientation, to be turned
# upright; broken or forged files, and names that are no file, it must refuse without crashing or
# eating the machine.
# Usage: picture_table.py FOLDER

import io
import os
import random
import struct
import sys
from pathlib import Path

from PIL import Image, ImageOps

RED, GREEN, BLUE = (230, 20, 20), (20, 200, 40), (30, 40, 220)
ORANGE, PURPLE, TEAL = (250, 140, 0), (150, 30, 200), (0, 170, 170)
SIZE = (160, 120)


def encoded(colour, image_format, size=SIZE, mode="RGB", **options) -> bytes:
    out = io.BytesIO()
    Image.new("RGB", size, colour).convert(mode).save(out, image_format, **options)
    return out.getvalue()


def bmp(bits: int, palette: list, index: int, compression: int = 0, top_down: bool = False,
        claimed: tuple[int, int] = SIZE, pixel_data: bytes | None = None) -> bytes:
    # A solid bitmap of palette entry index, written by hand so that every field is ours.
    width, height = claimed
    if pixel_data is None:
        if compression:  # BI_RLE8 / BI_RLE4: runs of at most 255 pixels, row ends, bitmap end
            value = index if bits == 8 else index << 4 | index
            row = b"".join(bytes((min(255, width - x), value)) for x in range(0, width, 255))
            pixel_data = (row + b"\x00\x00") * (height - 1) + row + b"\x00\x01"
        else:
            pattern = {1: 0xFF * index, 4: index << 4 | index, 8: index}[bits]
            pixel_data = bytes([pattern]) * ((width * bits + 31) // 32 * 4) * height
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                       compression, len(pixel_data), 2835, 2835, len(palette), 0)
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset) + info + colours
            + pixel_data)


def gif(frame_colours, interlace=False) -> bytes:
    frames = [Image.new("RGB", SIZE, c).convert("P", palette=Image.Palette.ADAPTIVE, colors=4)
              for c in frame_colours]
    out = io.BytesIO()
    frames[0].save(out, "GIF", save_all=len(frames) > 1, append_images=frames[1:], duration=100,
                   loop=0, interlace=interlace)
    return out.getvalue()


def forged_jpeg(width: int, height: int) -> bytes:
    # A real small JPEG with its frame header rewritten to claim width x height.
    data = bytearray(encoded(BLUE, "JPEG", (16, 16)))
    struct.pack_into(">HH", data, data.index(b"\xff\xc0") + 5, height, width)
    return bytes(data)


PALETTE_4 = [(0, 0, 0)] * 5 + [TEAL] + [(255, 255, 255)] * 10
PALETTE_8 = [(i, i, i) for i in range(255)] + [GREEN]
FEW_PIXELS = bytes((20, 20, 230)) * 64
JPEG = encoded(RED, "JPEG", quality=95)

# name, bytes, colour when it loads (at SIZE) or None when it must be refused
CASES = [
    ("empty.jpg", b"", None),
    ("cut.jpg", JPEG[: len(JPEG) // 2], None),  # Windows may show the top half; Wine refuses it
    ("noise.jpg", random.Random(7).randbytes(4096), None),
    ("png.jpg", encoded(GREEN, "PNG"), GREEN),  # the decoder goes by content
    ("huge.bmp", bmp(24, [], 0, claimed=(65535, 65535), pixel_data=FEW_PIXELS), None),
    ("huge.jpg", forged_jpeg(65500, 65500), None),
    ("large.bmp", bmp(24, [], 0, claimed=(9000, 9000), pixel_data=FEW_PIXELS), None),
    ("progressive.jpg", encoded(BLUE, "JPEG", quality=95, progressive=True), BLUE),
    ("cmyk.jpg", encoded(ORANGE, "JPEG", mode="CMYK", quality=95), ORANGE),
    ("one.bmp", bmp(1, [(0, 0, 0), PURPLE], 1), PURPLE),
    ("four.bmp", bmp(4, PALETTE_4, 5), TEAL),
    ("eight.bmp", bmp(8, PALETTE_8, 255), GREEN),
    ("rle8.bmp", bmp(8, PALETTE_8, 255, compression=1), GREEN),
    ("rle4.bmp", bmp(4, PALETTE_4, 5, compression=2), TEAL),
    ("topdown.bmp", bmp(8, [(0, 0, 0), PURPLE], 1, top_down=True), PURPLE),
    ("flat.bmp", bmp(8, PALETTE_8, 0, claimed=(160, 0), pixel_data=b""), None),
    ("zero-alpha.bmp", bmp(32, [], 0, pixel_data=bytes((0, 140, 250, 0)) * 160 * 120), ORANGE),
    ("写真\\..\\写真\\桜の花.jpg", encoded(RED, "JPEG", quality=95), RED),
    ("無い.jpg", None, None),
    ("写真", None, None),
    ("interlaced.gif", gif([ORANGE], interlace=True), ORANGE),
    ("animated.gif", gif([RED, BLUE, GREEN]), RED),  # the first frame
]

# One upright picture of four coloured quarters (on whole JPEG blocks), stored as a camera on its
# side would store it: each orientation's tag turns it back.
QUARTERS = [(224, 16, 16), (16, 224, 16), (16, 16, 224), (224, 224, 16)]
UPRIGHT = Image.new("RGB", (64, 32))
for (x, y), colour in zip([(0, 0), (32, 0), (0, 16), (32, 16)], QUARTERS):
    UPRIGHT.paste(colour, (x, y, x + 32, y + 16))
T = Image.Transpose
STORED = {1: UPRIGHT, 2: UPRIGHT.transpose(T.FLIP_LEFT_RIGHT), 3: UPRIGHT.transpose(T.ROTATE_180),
          4: UPRIGHT.transpose(T.FLIP_TOP_BOTTOM), 5: UPRIGHT.transpose(T.TRANSPOSE),
          6: UPRIGHT.transpose(T.ROTATE_90), 7: UPRIGHT.transpose(T.TRANSVERSE),
          8: UPRIGHT.transpose(T.ROTATE_270)}


def tagged(orientation: int) -> bytes:
    exif = Image.Exif()
    exif[0x0112] = orientation
    out = io.BytesIO()
    STORED[orientation].save(out, "JPEG", quality=95, exif=exif.tobytes())
    assert ImageOps.exif_transpose(Image.open(io.BytesIO(out.getvalue()))).size == UPRIGHT.size
    return out.getvalue()


def hex_colour(colour) -> str:
    return "%02x%02x%02x" % colour


if __name__ == "__main__":
    folder = Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "写真").mkdir(exist_ok=True)
    lines = []
    for name, data, colour in CASES:
        if data is not None:
            Path(os.path.normpath(folder / name.replace("\\", "/"))).write_bytes(data)
        shown = "0 {0} {1} {0} {1} ".format(*SIZE) + f"{hex_colour(colour)} " * 4 if colour else ""
        lines.append(f"{name} {shown or 'refused'}")
    for orientation in STORED:  # at full size and at about half, decoded reduced then turned
        (folder / f"turned{orientation}.jpg").write_bytes(tagged(orientation))
        for diagonal, decoded in ((0, "64 32"), (36, "33 17")):
            lines.append(f"turned{orientation}.jpg {diagonal} 64 32 {decoded} "
                         + " ".join(map(hex_colour, QUARTERS)))
    (folder / "manifest.txt").write_text("\n".join(lines) + "\n", encoding="utf-8")
