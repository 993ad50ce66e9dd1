#!/usr/bin/env python3
"""Draws the suite's 32x32 icons and writes them as .ico files.

Run once; the .ico files are committed. lofter and volley use 16 colours
(4 bits a pixel), aubade and nocturne 256 colours (8 bits a pixel), as the
programs' resources require. Pictures are simple shapes on a clear ground.
"""
import math
import struct
import sys

SIZE = 32

# The classic 16-colour palette (index -> RGB).
VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
         (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
         (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def canvas():
    return [[None] * SIZE for _ in range(SIZE)]


def rect(img, x0, y0, x1, y1, c):
    for y in range(max(0, y0), min(SIZE, y1)):
        for x in range(max(0, x0), min(SIZE, x1)):
            img[y][x] = c


def frame(img, x0, y0, x1, y1, c):
    rect(img, x0, y0, x1, y0 + 1, c)
    rect(img, x0, y1 - 1, x1, y1, c)
    rect(img, x0, y0, x0 + 1, y1, c)
    rect(img, x1 - 1, y0, x1, y1, c)


def disc(img, cx, cy, r, c):
    for y in range(SIZE):
        for x in range(SIZE):
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                img[y][x] = c


def line(img, x0, y0, x1, y1, c):
    steps = int(max(abs(x1 - x0), abs(y1 - y0))) * 2 + 1
    for i in range(steps + 1):
        t = i / steps
        x, y = int(round(x0 + (x1 - x0) * t)), int(round(y0 + (y1 - y0) * t))
        if 0 <= x < SIZE and 0 <= y < SIZE:
            img[y][x] = c


def window(img, x0, y0, x1, y1, title, body):
    rect(img, x0, y0, x1, y1, body)
    rect(img, x0, y0, x1, y0 + 4, title)
    frame(img, x0, y0, x1, y1, (0, 0, 0))


def clock(img, face, rim):
    disc(img, 16, 17, 13, rim)
    disc(img, 16, 17, 11, face)
    line(img, 16, 17, 16, 9, (0, 0, 0))
    line(img, 16, 17, 22, 17, (0, 0, 0))
    for k in range(12):
        a = k * math.pi / 6
        x, y = 16 + 9.5 * math.sin(a), 17 - 9.5 * math.cos(a)
        img[int(y)][int(x)] = (0, 0, 0)


def lofter():
    img = canvas()
    window(img, 3, 10, 25, 29, (0, 0, 128), (255, 255, 255))
    for i in range(7):  # an arrow lifting the window up
        rect(img, 24 - i, 2 + i, 25 + i, 3 + i, (255, 0, 0))
    rect(img, 22, 9, 27, 18, (255, 0, 0))
    return img


def switch_window():
    img = canvas()
    window(img, 2, 3, 22, 19, (128, 128, 128), (192, 192, 192))
    window(img, 10, 12, 30, 29, (0, 0, 128), (255, 255, 255))
    rect(img, 13, 20, 27, 22, (0, 128, 0))
    return img


def volley():
    img = canvas()
    window(img, 3, 2, 29, 30, (0, 128, 128), (255, 255, 255))
    for i, c in enumerate([(255, 0, 0), (0, 128, 0), (0, 0, 255), (128, 0, 128)]):
        rect(img, 6, 9 + i * 5, 9, 12 + i * 5, c)
        rect(img, 11, 10 + i * 5, 26, 11 + i * 5, (0, 0, 0))
    return img


def aubade():
    img = canvas()
    disc(img, 24, 7, 6, (255, 200, 0))
    for k in range(8):
        a = k * math.pi / 4
        line(img, 24 + 7 * math.cos(a), 7 + 7 * math.sin(a),
             24 + 9 * math.cos(a), 7 + 9 * math.sin(a), (255, 140, 0))
    clock(img, (255, 250, 220), (200, 90, 30))
    return img


def nocturne():
    img = canvas()
    disc(img, 24, 7, 7, (255, 220, 40))
    disc(img, 28, 4, 5, None)
    clock(img, (200, 210, 255), (30, 30, 110))
    return img


def palette_for(images, colours):
    if colours == 16:
        return list(VGA16)
    used = []
    for img in images:
        for row in img:
            for c in row:
                if c is not None and c not in used:
                    used.append(c)
    assert len(used) <= 256, len(used)
    return used + [(0, 0, 0)] * (256 - len(used))


def nearest(pal, c):
    return min(range(len(pal)), key=lambda i: sum((a - b) ** 2 for a, b in zip(pal[i], c)))


def ico(img, colours):
    bpp = 4 if colours == 16 else 8
    pal = palette_for([img], colours)
    xor_rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        idx = [0 if c is None else nearest(pal, c) for c in img[y]]
        if bpp == 4:
            row = bytes((idx[x] << 4) | idx[x + 1] for x in range(0, SIZE, 2))
        else:
            row = bytes(idx)
        xor_rows.append(row)
    and_rows = []
    for y in range(SIZE - 1, -1, -1):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if img[y][x] is None else 0)
        and_rows.append(struct.pack('>I', bits))
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, bpp, 0,
                         len(b''.join(xor_rows)) + len(b''.join(and_rows)), 0, 0, colours, 0)
    body = header + b''.join(struct.pack('BBBB', b, g, r, 0) for r, g, b in pal)
    body += b''.join(xor_rows) + b''.join(and_rows)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, colours if colours < 256 else 0, 0, 1, bpp,
                        len(body), 6 + 16)
    return struct.pack('<HHH', 0, 1, 1) + entry + body


def main():
    icons = {'lofter.ico': (lofter, 16), 'switchwindow.ico': (switch_window, 16),
             'volley.ico': (volley, 16), 'aubade.ico': (aubade, 256),
             'nocturne.ico': (nocturne, 256)}
    for name, (draw, colours) in icons.items():
        with open(name, 'wb') as f:
            f.write(ico(draw(), colours))


if __name__ == '__main__':
    sys.exit(main())
