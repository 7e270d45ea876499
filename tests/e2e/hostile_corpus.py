"""Hostile photo files, made on the spot: odd but valid encodings a loader must read, and broken or
forged files it must refuse without crashing or eating the machine.

Every case writes its files into a given folder and says what the slideshow must do with it under
Wine: show the photo (its colour appears on the screen) or take the failure path (the message).
"""

from __future__ import annotations

import io
import random
import struct
import zlib
from dataclasses import dataclass, field
from pathlib import Path
from typing import Callable

from PIL import Image

SHOWS = "shows"
FAILS = "fails"

RED, GREEN, BLUE = (230, 20, 20), (20, 200, 40), (30, 40, 220)
ORANGE, PURPLE, TEAL = (250, 140, 0), (150, 30, 200), (0, 170, 170)
SIZE = (160, 120)


@dataclass(frozen=True)
class Case:
    name: str
    expected: str  # SHOWS or FAILS, as seen under Wine
    colour: tuple[int, int, int] | None  # the colour a shown photo puts on the screen
    write: Callable[[Path], None]
    locked: str | None = None  # a file name to hold open with no sharing while the slideshow runs
    why: str = field(default="", compare=False)


# --- encoders --------------------------------------------------------------------------------


def jpeg_bytes(colour=RED, size=SIZE, **options) -> bytes:
    out = io.BytesIO()
    Image.new("RGB", size, colour).save(out, "JPEG", quality=95, **options)
    return out.getvalue()


def _rle8(row: list[int]) -> bytes:
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 255 and row[i + run] == row[i]:
            run += 1
        out += bytes((run, row[i]))
        i += run
    return bytes(out)


def _rle4(row: list[int]) -> bytes:
    # Encoded runs of one index repeated: the high and low nibbles alternate, here both alike.
    out = bytearray()
    i = 0
    while i < len(row):
        run = 1
        while i + run < len(row) and run < 255 and row[i + run] == row[i]:
            run += 1
        out += bytes((run, (row[i] << 4) | row[i]))
        i += run
    return bytes(out)


def bmp_bytes(bits: int, palette: list[tuple[int, int, int]], index_rows: list[list[int]],
              compression: int = 0, top_down: bool = False,
              claimed_size: tuple[int, int] | None = None, pixel_data: bytes | None = None) -> bytes:
    """A BITMAPINFOHEADER bitmap with a palette, written by hand so that every field is ours."""
    height = len(index_rows)
    width = len(index_rows[0]) if height else 0
    if pixel_data is None:
        rows = index_rows if top_down else list(reversed(index_rows))
        data = bytearray()
        if compression == 1:  # BI_RLE8
            for row in rows:
                data += _rle8(row) + b"\x00\x00"
            data[-2:] = b"\x00\x01"
        elif compression == 2:  # BI_RLE4
            for row in rows:
                data += _rle4(row) + b"\x00\x00"
            data[-2:] = b"\x00\x01"
        else:
            stride = (width * bits + 31) // 32 * 4
            for row in rows:
                packed = bytearray(stride)
                for x, index in enumerate(row):
                    bit = x * bits
                    packed[bit // 8] |= index << (8 - bits - bit % 8)
                data += packed
        pixel_data = bytes(data)
    if claimed_size is not None:
        width, height = claimed_size
    if top_down:
        height = -height
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colours)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression, len(pixel_data),
                       2835, 2835, len(palette), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixel_data), 0, 0, offset)
    return header + info + colours + pixel_data


def bmp_24_bytes(colour, claimed_size: tuple[int, int], pixel_bytes: int) -> bytes:
    """A 24-bit bitmap whose header claims claimed_size but that holds only pixel_bytes."""
    width, height = claimed_size
    r, g, b = colour
    data = bytes((b, g, r)) * (pixel_bytes // 3)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, 0, 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54) + info + data


def solid_rows(size, index) -> list[list[int]]:
    return [[index] * size[0] for _ in range(size[1])]


def gif_bytes(colours, interlace=False) -> bytes:
    frames = [Image.new("RGB", SIZE, colour).convert("P", palette=Image.Palette.ADAPTIVE, colors=4)
              for colour in colours]
    out = io.BytesIO()
    frames[0].save(out, "GIF", save_all=len(frames) > 1, append_images=frames[1:], duration=100,
                   loop=0, interlace=interlace)
    return out.getvalue()


def forged_gif_bytes(width: int, height: int) -> bytes:
    """A GIF whose screen and image claim width x height, with a tiny LZW stream."""
    screen = struct.pack("<6sHHBBB", b"GIF89a", width, height, 0x80, 0, 0)
    palette = bytes((255, 0, 0, 0, 0, 0))
    image = struct.pack("<BHHHHB", 0x2C, 0, 0, width, height, 0)
    lzw = bytes((2, 2, 0x4C, 0x01, 0))  # min code size 2, one tiny sub-block, terminator
    return screen + palette + image + lzw + b"\x3B"


def forged_sof_jpeg_bytes(width: int, height: int) -> bytes:
    """A real small JPEG with its frame header rewritten to claim width x height."""
    data = bytearray(jpeg_bytes(BLUE, (16, 16)))
    for marker in (b"\xff\xc0", b"\xff\xc2"):
        at = data.find(marker)
        if at >= 0:
            struct.pack_into(">HH", data, at + 5, height, width)
            return bytes(data)
    raise AssertionError("no frame header in the JPEG")


def forged_png_bytes(width: int, height: int) -> bytes:
    """A real small PNG with its IHDR rewritten to claim width x height (and its CRC fixed)."""
    data = bytearray(png_bytes(RED))
    struct.pack_into(">II", data, 16, width, height)
    struct.pack_into(">I", data, 29, zlib.crc32(bytes(data[12:29])))
    return bytes(data)


def cmyk_jpeg_bytes() -> bytes:
    out = io.BytesIO()
    Image.new("RGB", SIZE, ORANGE).convert("CMYK").save(out, "JPEG", quality=95)
    return out.getvalue()


def png_bytes(colour) -> bytes:
    out = io.BytesIO()
    Image.new("RGB", SIZE, colour).save(out, "PNG")
    return out.getvalue()


# --- the corpus --------------------------------------------------------------------------------


def _file(name: str, data: Callable[[], bytes]) -> Callable[[Path], None]:
    def write(folder: Path) -> None:
        folder.mkdir(parents=True, exist_ok=True)
        (folder / name).write_bytes(data())

    return write


def _folder_and_good_photo(folder: Path) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "x.jpg").mkdir()
    (folder / "y.jpg").write_bytes(jpeg_bytes(TEAL))


PALETTE_1 = [(0, 0, 0), PURPLE]
PALETTE_4 = [(0, 0, 0)] * 5 + [TEAL] + [(255, 255, 255)] * 10
PALETTE_8 = [(i, i, i) for i in range(255)] + [GREEN]

CASES = [
    Case("zero_byte_jpg", FAILS, None, _file("empty.jpg", lambda: b"")),
    Case("truncated_jpeg", FAILS, None,
         _file("cut.jpg", lambda: jpeg_bytes(RED)[: len(jpeg_bytes(RED)) // 2]),
         why="Wine's decoder refuses it at once; Windows may show the top half"),
    Case("garbage_named_jpg", FAILS, None,
         _file("noise.jpg", lambda: random.Random(7).randbytes(4096))),
    Case("png_named_jpg", SHOWS, GREEN, _file("png.jpg", lambda: png_bytes(GREEN)),
         why="WIC picks the decoder by content"),
    Case("huge_bmp_header", FAILS, None,
         _file("huge.bmp", lambda: bmp_24_bytes(RED, (65535, 65535), 3 * 64))),
    Case("huge_gif_header", FAILS, None, _file("huge.gif", lambda: forged_gif_bytes(65535, 65535))),
    Case("huge_jpeg_sof", FAILS, None,
         _file("huge.jpg", lambda: forged_sof_jpeg_bytes(65500, 65500))),
    Case("huge_png_ihdr_named_jpg", FAILS, None,
         _file("hugepng.jpg", lambda: forged_png_bytes(65535, 65535))),
    Case("large_bmp_header_little_data", FAILS, None,
         _file("large.bmp", lambda: bmp_24_bytes(RED, (9000, 9000), 3 * 64)),
         why="81 million pixels claimed, a few bytes given"),
    Case("progressive_jpeg", SHOWS, BLUE,
         _file("progressive.jpg", lambda: jpeg_bytes(BLUE, progressive=True))),
    Case("cmyk_jpeg", SHOWS, ORANGE, _file("cmyk.jpg", cmyk_jpeg_bytes)),
    Case("bmp_1_bit", SHOWS, PURPLE,
         _file("one.bmp", lambda: bmp_bytes(1, PALETTE_1, solid_rows(SIZE, 1)))),
    Case("bmp_4_bit", SHOWS, TEAL,
         _file("four.bmp", lambda: bmp_bytes(4, PALETTE_4, solid_rows(SIZE, 5)))),
    Case("bmp_8_bit", SHOWS, GREEN,
         _file("eight.bmp", lambda: bmp_bytes(8, PALETTE_8, solid_rows(SIZE, 255)))),
    Case("bmp_rle8", SHOWS, GREEN,
         _file("rle8.bmp", lambda: bmp_bytes(8, PALETTE_8, solid_rows(SIZE, 255), compression=1))),
    Case("bmp_rle4", SHOWS, TEAL,
         _file("rle4.bmp", lambda: bmp_bytes(4, PALETTE_4, solid_rows(SIZE, 5), compression=2))),
    Case("bmp_top_down", SHOWS, PURPLE,
         _file("topdown.bmp",
               lambda: bmp_bytes(8, [(0, 0, 0), PURPLE], solid_rows(SIZE, 1), top_down=True))),
    Case("bmp_zero_height", FAILS, None,
         _file("flat.bmp", lambda: bmp_bytes(8, PALETTE_8, [], claimed_size=(160, 0),
                                             pixel_data=b""))),
    Case("gif_interlaced", SHOWS, ORANGE,
         _file("interlaced.gif", lambda: gif_bytes([ORANGE], interlace=True))),
    Case("gif_animated_first_frame", SHOWS, RED,
         _file("animated.gif", lambda: gif_bytes([RED, BLUE, GREEN]))),
    Case("folder_named_jpg_beside_a_photo", SHOWS, TEAL, _folder_and_good_photo,
         why="the folder is not listed; the photo beside it shows tick after tick"),
    Case("locked_file", FAILS, None, _file("locked.jpg", lambda: jpeg_bytes(RED)),
         locked="locked.jpg", why="another program holds it open with no sharing"),
]

# Files the settings dialog's picker must refuse.
PICKER_CASES = [case for case in CASES
                if case.name in ("zero_byte_jpg", "garbage_named_jpg", "truncated_jpeg",
                                 "huge_jpeg_sof")]


def write_all(folder: Path) -> None:
    """Every case in its own subfolder (for a look by hand: python3 hostile_corpus.py FOLDER)."""
    for case in CASES:
        case.write(folder / case.name)


if __name__ == "__main__":
    import sys

    write_all(Path(sys.argv[1]))
