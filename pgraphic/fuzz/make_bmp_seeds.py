#!/usr/bin/env python3
"""Writes the small seed bitmaps of the BMP fuzz corpus: one file for each kind the reader knows."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), 'corpus', 'bmp')


def bmp(width, height, bits, compression=0, palette=b'', pixels=b'', clrused=0, extra=b''):
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, compression, len(pixels), 0, 0, clrused, 0)
    off = 14 + 40 + len(extra) + len(palette)
    head = b'BM' + struct.pack('<IHHI', off + len(pixels), 0, 0, off)
    return head + info + extra + palette + pixels


def palette(n):
    return b''.join(bytes([i * 37 % 256, i * 11 % 256, i * 5 % 256, 0]) for i in range(n))


def core_header_bitmap():
    pixels = bytes([0x80, 0, 0, 0])
    table = bytes([0, 0, 0, 255, 255, 255])
    off = 14 + 12 + len(table)
    return (b'BM' + struct.pack('<IHHI', off + len(pixels), 0, 0, off) +
            struct.pack('<IHHHH', 12, 2, 1, 1, 1) + table + pixels)


FILES = {
    'pal1.bmp': bmp(9, 3, 1, palette=palette(2), pixels=bytes([0xA5, 0x80, 0, 0]) * 3),
    'pal4.bmp': bmp(5, 2, 4, palette=palette(16), pixels=bytes([0x12, 0x34, 0x50, 0]) * 2),
    'pal8.bmp': bmp(3, 2, 8, palette=palette(256), pixels=bytes([1, 2, 3, 0, 4, 5, 6, 0])),
    'rgb24.bmp': bmp(2, 2, 24, pixels=bytes([1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0])),
    'rgb24-topdown.bmp': bmp(1, -2, 24, pixels=bytes([1, 2, 3, 0, 4, 5, 6, 0])),
    'rgb16.bmp': bmp(2, 1, 16, pixels=struct.pack('<HH', 0x7FFF, 0x0421)),
    'rgb16-565.bmp': bmp(2, 1, 16, 3, extra=struct.pack('<III', 0xF800, 0x07E0, 0x001F),
                         pixels=struct.pack('<HH', 0xFFFF, 0x0020)),
    'rgb32.bmp': bmp(1, 1, 32, pixels=struct.pack('<I', 0x00112233)),
    'rle8.bmp': bmp(4, 2, 8, 1, palette=palette(8), clrused=8,
                    pixels=bytes([3, 5, 0, 0, 0, 3, 7, 8, 9, 0, 0, 2, 1, 0, 0, 1])),
    'rle4.bmp': bmp(6, 2, 4, 2, palette=palette(16), clrused=16, pixels=bytes([5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1])),
    'os2-core.bmp': core_header_bitmap(),
}

if __name__ == '__main__':
    os.makedirs(OUT, exist_ok=True)
    for name, data in FILES.items():
        with open(os.path.join(OUT, name), 'wb') as f:
            f.write(data)
