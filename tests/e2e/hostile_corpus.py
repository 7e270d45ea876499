"""Hostile photo files, made on the spot: odd but valid encodings a loader must read, and broken or
forged files it must refuse without crashing or eating the machine.

Each case names a file, its bytes, and what the slideshow must do with it under Wine: show it (its
colour appears on the screen) or take the failure path (the message).
"""

from __future__ import annotations

import io
import random
import struct
import zlib
from dataclasses import dataclass
from pathlib import Path
from typing import Callable

from PIL import Image

RED, GREEN, BLUE = (230, 20, 20), (20, 200, 40), (30, 40, 220)
ORANGE, PURPLE, TEAL = (250, 140, 0), (150, 30, 200), (0, 170, 170)
SIZE = (160, 120)


@dataclass(frozen=True)
class Case:
    name: str
    colour: tuple[int, int, int] | None  # the colour a shown photo puts on screen; None: it fails
    file: str
    data: Callable[[], bytes] | None  # None: file is a folder, with a good TEAL photo beside it
    locked: bool = False  # held open with no sharing by another program while the slideshow runs

    def write(self, folder: Path) -> Path:
        folder.mkdir(parents=True, exist_ok=True)
        if self.data is None:
            (folder / self.file).mkdir()
            (folder / "y.jpg").write_bytes(encoded(TEAL, "JPEG"))
        else:
            (folder / self.file).write_bytes(self.data())
        return folder / self.file


def encoded(colour, image_format, size=SIZE, mode="RGB", **options) -> bytes:
    if image_format == "JPEG":
        options.setdefault("quality", 95)
    out = io.BytesIO()
    Image.new("RGB", size, colour).convert(mode).save(out, image_format, **options)
    return out.getvalue()


def bmp_bytes(bits: int, palette: list, index: int, compression: int = 0, top_down: bool = False,
              claimed_size: tuple[int, int] | None = None, pixel_data: bytes | None = None) -> bytes:
    """A solid SIZE bitmap of palette entry index, written by hand so that every field is ours."""
    width, height = claimed_size or SIZE
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


def gif_bytes(frame_colours, interlace=False) -> bytes:
    frames = [Image.new("RGB", SIZE, c).convert("P", palette=Image.Palette.ADAPTIVE, colors=4)
              for c in frame_colours]
    out = io.BytesIO()
    frames[0].save(out, "GIF", save_all=len(frames) > 1, append_images=frames[1:], duration=100,
                   loop=0, interlace=interlace)
    return out.getvalue()


def forged_gif_bytes(width: int, height: int) -> bytes:
    """A GIF whose screen and image claim width x height, with a tiny LZW stream."""
    return (struct.pack("<6sHHBBB", b"GIF89a", width, height, 0x80, 0, 0) + bytes((255, 0, 0, 0, 0, 0))
            + struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
            + bytes((2, 2, 0x4C, 0x01, 0)) + b"\x3B")  # min code size 2, one tiny block, the end


def forged_jpeg_bytes(width: int, height: int) -> bytes:
    """A real small JPEG with its frame header rewritten to claim width x height."""
    data = bytearray(encoded(BLUE, "JPEG", (16, 16)))
    struct.pack_into(">HH", data, data.index(b"\xff\xc0") + 5, height, width)
    return bytes(data)


def forged_png_bytes(width: int, height: int) -> bytes:
    """A real small PNG with its IHDR rewritten to claim width x height (and its CRC fixed)."""
    data = bytearray(encoded(RED, "PNG"))
    struct.pack_into(">II", data, 16, width, height)
    struct.pack_into(">I", data, 29, zlib.crc32(bytes(data[12:29])))
    return bytes(data)


PALETTE_4 = [(0, 0, 0)] * 5 + [TEAL] + [(255, 255, 255)] * 10
PALETTE_8 = [(i, i, i) for i in range(255)] + [GREEN]
FEW_PIXELS = bytes((20, 20, 230)) * 64

CASES = [
    Case("zero_byte_jpg", None, "empty.jpg", lambda: b""),
    # Wine's decoder refuses it at once; Windows may show the top half.
    Case("truncated_jpeg", None, "cut.jpg", lambda: (d := encoded(RED, "JPEG"))[: len(d) // 2]),
    Case("garbage_named_jpg", None, "noise.jpg", lambda: random.Random(7).randbytes(4096)),
    Case("png_named_jpg", GREEN, "png.jpg", lambda: encoded(GREEN, "PNG")),  # decoder by content
    Case("huge_bmp_header", None, "huge.bmp",
         lambda: bmp_bytes(24, [], 0, claimed_size=(65535, 65535), pixel_data=FEW_PIXELS)),
    Case("huge_gif_header", None, "huge.gif", lambda: forged_gif_bytes(65535, 65535)),
    Case("huge_jpeg_sof", None, "huge.jpg", lambda: forged_jpeg_bytes(65500, 65500)),
    Case("huge_png_ihdr_named_jpg", None, "hugepng.jpg", lambda: forged_png_bytes(65535, 65535)),
    # 81 million pixels claimed, a few bytes given.
    Case("large_bmp_header_little_data", None, "large.bmp",
         lambda: bmp_bytes(24, [], 0, claimed_size=(9000, 9000), pixel_data=FEW_PIXELS)),
    Case("progressive_jpeg", BLUE, "progressive.jpg",
         lambda: encoded(BLUE, "JPEG", progressive=True)),
    Case("cmyk_jpeg", ORANGE, "cmyk.jpg", lambda: encoded(ORANGE, "JPEG", mode="CMYK")),
    Case("bmp_1_bit", PURPLE, "one.bmp", lambda: bmp_bytes(1, [(0, 0, 0), PURPLE], 1)),
    Case("bmp_4_bit", TEAL, "four.bmp", lambda: bmp_bytes(4, PALETTE_4, 5)),
    Case("bmp_8_bit", GREEN, "eight.bmp", lambda: bmp_bytes(8, PALETTE_8, 255)),
    Case("bmp_rle8", GREEN, "rle8.bmp", lambda: bmp_bytes(8, PALETTE_8, 255, compression=1)),
    Case("bmp_rle4", TEAL, "rle4.bmp", lambda: bmp_bytes(4, PALETTE_4, 5, compression=2)),
    Case("bmp_top_down", PURPLE, "topdown.bmp",
         lambda: bmp_bytes(8, [(0, 0, 0), PURPLE], 1, top_down=True)),
    Case("bmp_zero_height", None, "flat.bmp",
         lambda: bmp_bytes(8, PALETTE_8, 0, claimed_size=(160, 0), pixel_data=b"")),
    Case("gif_interlaced", ORANGE, "interlaced.gif", lambda: gif_bytes([ORANGE], interlace=True)),
    Case("gif_animated_first_frame", RED, "animated.gif", lambda: gif_bytes([RED, BLUE, GREEN])),
    # The folder is not listed; the photo beside it shows tick after tick.
    Case("folder_named_jpg_beside_a_photo", TEAL, "x.jpg", None),
    Case("locked_file", None, "locked.jpg", lambda: encoded(RED, "JPEG"), locked=True),
]

# Files the settings dialog's picker must refuse: a cut-off photo and one that claims too much.
PICKER_CASES = [case for case in CASES if case.name in ("truncated_jpeg", "huge_jpeg_sof")]


if __name__ == "__main__":  # for a look by hand: python3 hostile_corpus.py FOLDER
    import sys

    for case in CASES:
        case.write(Path(sys.argv[1]) / case.name)
