#!/usr/bin/env python3
"""Draws wyrownik.ico: a green tile with two rails and a height mark."""
import struct


def obraz(n):
    zielony, bialy, piasek = (0x2E, 0x7D, 0x32, 255), (255, 255, 255, 255), (0xF3, 0xD9, 0xA4, 255)
    px = [[(0, 0, 0, 0)] * n for _ in range(n)]
    s = n / 32
    for y in range(n):
        for x in range(n):
            if 1 * s <= x < 31 * s and 1 * s <= y < 31 * s:
                px[y][x] = zielony
    for szyna in (22, 26):  # two rails near the bottom
        for x in range(int(4 * s), int(28 * s)):
            for g in range(max(1, int(s))):
                px[int(szyna * s) + g][x] = bialy
    for i in range(int(12 * s)):  # a "V": the height set down to the ground
        for g in range(max(1, int(2 * s))):
            for x in (int(8 * s) + i // 2 + g, int(24 * s) - i // 2 - g):
                px[int(4 * s) + i][x] = piasek
    return px


def bmp(px):
    n = len(px)
    naglowek = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    kolory = b"".join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    maska = b"\0" * (((n + 31) // 32) * 4 * n)
    return naglowek + kolory + maska


rozmiary = [16, 32, 48]
obrazy = [bmp(obraz(n)) for n in rozmiary]
wynik = struct.pack("<HHH", 0, 1, len(obrazy))
przesuniecie = 6 + 16 * len(obrazy)
for n, dane in zip(rozmiary, obrazy):
    wynik += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(dane), przesuniecie)
    przesuniecie += len(dane)
wynik += b"".join(obrazy)
open("wyrownik.ico", "wb").write(wynik)
