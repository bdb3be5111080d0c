#!/usr/bin/env python3
"""Makes the BMP, PCX and TGA fixtures of the image library tests, and beside each fixture X
the picture it must decode to as X.ppm (binary PPM, rows from the top).

Most fixtures are written by ImageMagick's convert from three small source pictures; the
reference is then ImageMagick's own decoding of the fixture, so two independent readers are
compared. Layouts ImageMagick does not write (RLE4, 4-plane and 1-bit PCX, 15/16-bit TGA) are
written here byte by byte, with the source as the reference. cmyk.jpg and grey.jpg are
ImageMagick's JPEG versions of bmp24.bmp (the tests allow for the JPEG loss).

ImageMagick writes TGA files top row first but leaves the origin bits at "bottom-left", so its
TGA files are upside down for every other reader; the TGA fixtures get the top-left origin bit
set, and their reference is the source picture, not ImageMagick's reading.

Run from this folder: ./make-fixtures.py
"""
import os
import random
import struct
import subprocess

W, H = 13, 7  # odd width: every row format needs padding

COLS16 = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0),
          (0, 255, 255), (255, 0, 255), (128, 0, 0), (0, 128, 0), (0, 0, 128), (128, 128, 0),
          (0, 128, 128), (128, 0, 128), (192, 192, 192), (64, 64, 64)]


def ppm(path, w, h, px):
    with open(path, 'wb') as f:
        f.write(b'P6\n%d %d\n255\n' % (w, h) + bytes(c for p in px for c in p))


def read_ppm(path):
    data = open(path, 'rb').read()
    parts = data.split(maxsplit=4)
    return int(parts[1]), int(parts[2]), parts[4]


def im(*args):
    subprocess.run(['convert', *args], check=True)


def im_reference(fixture):
    im(fixture, '-depth', '8', '-type', 'truecolor', 'ppm:' + fixture + '.ppm')


def indices16():
    idx = [(x * 3 + y * 5 + (x * y) % 3) % 16 for y in range(H) for x in range(W)]
    idx[0], idx[W - 1], idx[(H - 1) * W] = 2, 4, 3  # corners tell rows and columns apart
    return idx


def main():
    random.seed(5)
    idx16 = indices16()
    src16 = [COLS16[i] for i in idx16]
    ppm('src16.ppm', W, H, src16)
    srcrgb = [(random.randrange(256), random.randrange(256), random.randrange(256))
              for _ in range(W * H)]
    ppm('srcrgb.ppm', W, H, srcrgb)
    cols200 = [(i * 37 % 256, i * 91 % 256, i * 53 % 256) for i in range(200)]
    W2, H2 = 21, 11
    src256 = [cols200[(x + y * W2) % 200] for y in range(H2) for x in range(W2)]
    ppm('src256.ppm', W2, H2, src256)
    idx2 = [1 if (x + y) % 3 == 0 or x == 0 else 0 for y in range(H) for x in range(W)]
    src2 = [(255, 255, 255) if i else (0, 0, 0) for i in idx2]
    ppm('src2.ppm', W, H, src2)

    # BMP through ImageMagick
    im('src2.ppm', '-type', 'palette', 'bmp3:bmp1.bmp')
    im('src16.ppm', '-type', 'palette', 'bmp3:bmp4.bmp')
    im('src256.ppm', '-type', 'palette', '-compress', 'none', 'bmp3:bmp8.bmp')
    im('src256.ppm', '-type', 'palette', '-compress', 'RLE', 'bmp3:bmp8rle.bmp')
    im('srcrgb.ppm', '-define', 'bmp:subtype=RGB565', 'bmp:bmp16-565.bmp')
    im('srcrgb.ppm', '-define', 'bmp:subtype=RGB555', 'bmp:bmp16-555.bmp')
    im('srcrgb.ppm', '-type', 'truecolor', 'bmp3:bmp24.bmp')
    im('srcrgb.ppm', '-alpha', 'set', '-define', 'bmp3:alpha=true', 'bmp3:bmp32.bmp')
    im('srcrgb.ppm', '-alpha', 'set', 'bmp:bmp32-v5.bmp')
    im('src16.ppm', '-type', 'palette', 'bmp2:bmp4-os2.bmp')
    for f in ['bmp1', 'bmp4', 'bmp8', 'bmp8rle', 'bmp16-565', 'bmp16-555', 'bmp24', 'bmp32',
              'bmp32-v5', 'bmp4-os2']:
        im_reference(f + '.bmp')

    # RLE4 BMP by hand: runs, an absolute run, end of line, end of bitmap.
    rle = bytearray()
    for y in range(H - 1, -1, -1):
        row = idx16[y * W:(y + 1) * W]
        rle += bytes([4, (row[0] << 4) | row[1]])          # 4 pixels alternating row[0], row[1]
        rest = row[4:]
        rle += bytes([0, len(rest)])                          # absolute run
        packed = bytes((rest[i] << 4) | (rest[i + 1] if i + 1 < len(rest) else 0)
                       for i in range(0, len(rest), 2))
        rle += packed + (b'\0' if len(packed) % 2 else b'')
        rle += b'\0\0'
    rle += b'\0\1'
    expected = []
    for y in range(H):
        row = idx16[y * W:(y + 1) * W]
        expected += [COLS16[row[0]], COLS16[row[1]], COLS16[row[0]], COLS16[row[1]]]
        expected += [COLS16[i] for i in row[4:]]
    table = b''.join(bytes([b, g, r, 0]) for r, g, b in COLS16)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 4, 2, len(rle), 2835, 2835, 16, 0)
    off = 14 + 40 + len(table)
    with open('bmp4rle.bmp', 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', off + len(rle), 0, 0, off) + info + table + rle)
    ppm('bmp4rle.bmp.ppm', W, H, expected)

    # PCX through ImageMagick: 8 bits with the palette after a 12, 24 bits in three planes.
    im('src256.ppm', '-type', 'palette', 'pcx:pcx8.pcx')
    im('srcrgb.ppm', 'pcx:pcx24.pcx')
    im_reference('pcx8.pcx')
    im_reference('pcx24.pcx')

    # PCX by hand: 1 bit (header palette) and 4 bits in four 1-bit planes.
    def pcx_rle(data):
        out = bytearray()
        i = 0
        while i < len(data):
            v = data[i]
            n = 1
            while i + n < len(data) and n < 63 and data[i + n] == v:
                n += 1
            if n > 1 or v >= 0xC0:
                out.append(0xC0 | n)
            out.append(v)
            i += n
        return out

    def pcx_header(bpp, planes, bpl, cmap):
        hdr = bytearray(128)
        hdr[0], hdr[1], hdr[2], hdr[3] = 10, 5, 1, bpp
        struct.pack_into('<HHHHHH', hdr, 4, 0, 0, W - 1, H - 1, 72, 72)
        hdr[16:16 + len(cmap)] = cmap
        hdr[65] = planes
        struct.pack_into('<HH', hdr, 66, bpl, 1)
        return hdr

    bpl = (W + 15) // 16 * 2
    body = bytearray()
    for y in range(H):
        line = bytearray(bpl)
        for x in range(W):
            if idx2[y * W + x]:
                line[x >> 3] |= 0x80 >> (x & 7)
        body += pcx_rle(line)
    with open('pcx1.pcx', 'wb') as f:
        f.write(pcx_header(1, 1, bpl, bytes([0, 0, 0, 255, 255, 255])) + body)
    ppm('pcx1.pcx.ppm', W, H, src2)

    body = bytearray()
    for y in range(H):
        line = bytearray(4 * bpl)
        for x in range(W):
            v = idx16[y * W + x]
            for k in range(4):
                if v & (1 << k):
                    line[k * bpl + (x >> 3)] |= 0x80 >> (x & 7)
        body += pcx_rle(line)
    cmap = bytes(c for col in COLS16 for c in col)
    with open('pcx4.pcx', 'wb') as f:
        f.write(pcx_header(1, 4, bpl, cmap) + body)
    ppm('pcx4.pcx.ppm', W, H, src16)

    # TGA through ImageMagick, the origin bit set to top-left (see above).
    def tga(name, src, *args):
        im(src, *args, 'tga:' + name)
        data = bytearray(open(name, 'rb').read())
        data[17] |= 0x20
        open(name, 'wb').write(data)

    tga('tga1.tga', 'src16.ppm', '-type', 'palette', '-compress', 'none')
    tga('tga9.tga', 'src16.ppm', '-type', 'palette', '-compress', 'RLE')
    tga('tga2-24.tga', 'srcrgb.ppm', '-type', 'truecolor', '-compress', 'none')
    tga('tga10-24.tga', 'src16.ppm', '-type', 'truecolor', '-compress', 'RLE')
    tga('tga2-32.tga', 'srcrgb.ppm', '-alpha', 'set', '-compress', 'none')
    tga('tga3.tga', 'src16.ppm', '-type', 'grayscale', '-compress', 'none')
    tga('tga11.tga', 'src16.ppm', '-type', 'grayscale', '-compress', 'RLE')
    for name, src in [('tga1.tga', 'src16.ppm'), ('tga9.tga', 'src16.ppm'),
                      ('tga2-24.tga', 'srcrgb.ppm'), ('tga10-24.tga', 'src16.ppm'),
                      ('tga2-32.tga', 'srcrgb.ppm')]:
        w, h, px = read_ppm(src)
        open(name + '.ppm', 'wb').write(b'P6\n%d %d\n255\n' % (w, h) + px)
    # the grey values ImageMagick chose, read from the plain file's pixels (top row first)
    raw = open('tga3.tga', 'rb').read()
    grey = raw[18 + raw[0]:18 + raw[0] + W * H]
    for name in ['tga3.tga', 'tga11.tga']:
        ppm(name + '.ppm', W, H, [(g, g, g) for g in grey])

    # A bottom-left TGA as most writers make it: rows from the bottom, origin bits clear.
    w, h, px = read_ppm('srcrgb.ppm')
    rows = [px[y * w * 3:(y + 1) * w * 3] for y in range(h)]
    body = bytearray()
    for r in reversed(rows):
        for x in range(w):
            body += bytes([r[3 * x + 2], r[3 * x + 1], r[3 * x]])
    hdr = struct.pack('<BBBHHBHHHHBB', 0, 0, 2, 0, 0, 0, 0, 0, w, h, 24, 0)
    open('tga2-24-bottom.tga', 'wb').write(hdr + body)
    open('tga2-24-bottom.tga.ppm', 'wb').write(b'P6\n%d %d\n255\n' % (w, h) + px)

    # 15 and 16-bit TGA by hand (5 bits a sample, widened by repeating the top bits), the
    # 16-bit one run-length encoded, right-to-left.
    def five(v):
        return v >> 3

    def widen(v):
        return (v << 3) | (v >> 2)

    expected = []
    plain = bytearray()
    for y in range(h):
        for x in range(w):
            r, g, b = px[(y * w + x) * 3:(y * w + x) * 3 + 3]
            v = (five(r) << 10) | (five(g) << 5) | five(b)
            plain += struct.pack('<H', v)
            expected.append((widen(five(r)), widen(five(g)), widen(five(b))))
    hdr = struct.pack('<BBBHHBHHHHBB', 0, 0, 2, 0, 0, 0, 0, 0, w, h, 15, 0x20)
    open('tga2-15.tga', 'wb').write(hdr + plain)
    ppm('tga2-15.tga.ppm', w, h, expected)

    # RLE: each row as one raw packet except a run packet of 3 copies of its first pixel
    body = bytearray()
    mirrored = []
    for y in range(h):
        row = [expected[y * w + x] for x in range(w)]
        vals = [plain[(y * w + x) * 2:(y * w + x) * 2 + 2] for x in range(w)]
        # stored right to left: first stored pixel is the rightmost
        stored_vals = list(reversed(vals))
        stored_cols = list(reversed(row))
        stored_vals[:3] = [stored_vals[0]] * 3
        stored_cols[:3] = [stored_cols[0]] * 3
        body += bytes([0x80 | 2]) + stored_vals[0]
        body += bytes([len(stored_vals) - 3 - 1]) + b''.join(stored_vals[3:])
        mirrored += list(reversed(stored_cols))
    hdr = struct.pack('<BBBHHBHHHHBB', 0, 0, 10, 0, 0, 0, 0, 0, w, h, 16, 0x20 | 0x10 | 1)
    open('tga10-16.tga', 'wb').write(hdr + body)
    ppm('tga10-16.tga.ppm', w, h, mirrored)

    # JPEG files of the kinds a camera or a print shop makes: CMYK (Adobe) and grey
    im('bmp24.bmp', '-colorspace', 'cmyk', 'cmyk.jpg')
    im('bmp24.bmp', '-colorspace', 'gray', 'grey.jpg')

    for f in ['src2.ppm', 'src16.ppm', 'srcrgb.ppm', 'src256.ppm']:
        os.remove(f)


if __name__ == '__main__':
    main()
