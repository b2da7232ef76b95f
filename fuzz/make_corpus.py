#!/usr/bin/python3
"""Seed inputs for the parser fuzzers.

    fuzz/make_corpus.py                      writes the small committed seeds
                                             to fuzz/corpus/{ico,bmp}
    fuzz/make_corpus.py --resources DIR      writes seeds made from the
                                             program's own pictures to
                                             DIR/{ico,bmp} (kept out of git:
                                             the sprite sheet alone is 26 KB)

An ico seed starts with the index byte(s) fuzz_ico.cpp reads: one byte below
0x80 is the index, 0x80 followed by a little-endian int32 is any index.
"""
import argparse
import pathlib
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent


def index_prefix(index):
    return bytes([index]) if 0 <= index < 0x80 else b"\x80" + struct.pack("<i", index)


def ico(count, payload=40, entries=None):
    """A directory of `count` entries, each pointing at one shared payload."""
    data_at = 6 + 16 * count
    out = struct.pack("<HHH", 0, 1, count)
    for i in range(count):
        w = 16 * (i + 1)
        size, offset = (entries or {}).get(i, (payload, data_at))
        out += struct.pack("<BBBBHHII", w, w, 0, 0, 1, 32, size, offset)
    return out + bytes(range(payload))


def bmp(width, height, bits, colors_used=0, compression=0, info_size=40, masks=False):
    stride = (width * bits + 31) // 32 * 4
    table = 4 * (colors_used or (1 << bits)) if bits <= 8 else 4 * colors_used
    if masks:
        table += 12
    pixels = stride * abs(height)
    offset = 14 + info_size + table
    info = struct.pack("<IiiHHIIiiII", info_size, width, height, 1, bits, compression,
                       pixels, 2835, 2835, colors_used, 0)
    info += bytes(info_size - 40)
    if compression == 3 and info_size >= 52:
        info = info[:40] + struct.pack("<III", 0xF800, 0x07E0, 0x001F) + info[52:]
    body = info + bytes(table) + bytes((i * 7) & 0xFF for i in range(pixels))
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def committed():
    ico_seeds = {
        "one_entry": index_prefix(0) + ico(1),
        "third_of_three": index_prefix(2) + ico(3),
        "index_beyond_count": index_prefix(1) + ico(1, payload=64),
        "index_minus_one": index_prefix(-1) + ico(1),
        "index_max": index_prefix(0x7FFFFFFF) + ico(1),
        "directory_only": index_prefix(0) + ico(1)[:22],
        "range_wraps": index_prefix(0) + ico(1, entries={0: (0x20, 0xFFFFFFF0)}),
        "empty_image": index_prefix(0) + ico(1, entries={0: (0, 22)}),
    }
    bmp_seeds = {
        "rgb24": bmp(3, 2, 24),
        "top_down32": bmp(2, -3, 32),
        "palette8": bmp(2, 1, 8),
        "palette4_used3": bmp(8, 2, 4, colors_used=3),
        "mono": bmp(33, 1, 1),
        "bitfields16": bmp(3, 2, 16, compression=3, masks=True),
        "bitfields32_v4": bmp(2, 2, 32, compression=3, info_size=108),
        "rgb24_with_table": bmp(2, 2, 24, colors_used=2),
        "rle8": bmp(2, 2, 8, compression=1),
    }
    return ico_seeds, bmp_seeds


def from_resources():
    res = ROOT / "resources"
    return ({"page_default": index_prefix(0) + (res / "page_default.ico").read_bytes()},
            {"sprites": (res / "sprites.bmp").read_bytes()})


def write(base, ico_seeds, bmp_seeds):
    for kind, seeds in (("ico", ico_seeds), ("bmp", bmp_seeds)):
        folder = base / kind
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds.items():
            (folder / name).write_bytes(data)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--resources", metavar="DIR", type=pathlib.Path)
    args = parser.parse_args()
    if args.resources:
        write(args.resources, *from_resources())
    else:
        write(ROOT / "fuzz" / "corpus", *committed())


if __name__ == "__main__":
    main()
