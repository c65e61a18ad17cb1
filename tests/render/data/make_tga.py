#!/usr/bin/env python3
"""Writes quadrants.tga: an uncompressed 32-bit TGA of 2 x 2 pixels, byte by byte.

Pixels as stored (rows bottom-up, each pixel B, G, R, A), in RGB:
  first row:  (200, 40, 30)  (20, 180, 60)
  second row: (30, 60, 210)  (230, 220, 20)
"""
import os

PIXELS_RGB = [(200, 40, 30), (20, 180, 60), (30, 60, 210), (230, 220, 20)]

header = bytes([
    0,        # image ID length
    0,        # no colour map
    2,        # uncompressed true colour
    0, 0, 0, 0, 0,  # colour map fields (none)
    0, 0, 0, 0,     # x and y origin
    2, 0,     # width, little-endian
    2, 0,     # height, little-endian
    32,       # bits per pixel
    8,        # 8 alpha bits, origin at the bottom left
])
body = b"".join(bytes([b, g, r, 255]) for r, g, b in PIXELS_RGB)

with open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "quadrants.tga"), "wb") as out:
    out.write(header + body)
