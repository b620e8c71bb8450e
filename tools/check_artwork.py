#!/usr/bin/env python3
"""Checks that the bitmaps and icon in resources/ are what make_artwork.py draws, run after run."""

import os
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
RESOURCES = os.path.join(os.path.dirname(HERE), 'resources')

BITMAPS = {
    'title_highlight_wide.bmp': (295, 60),
    'title_highlight_narrow.bmp': (147, 60),
    'title_background.bmp': (640, 480),
    'title_background_alt.bmp': (640, 480),
    'portrait_kavris.bmp': (280, 439),
    'portrait_quarlock.bmp': (280, 439),
}
ICON = 'launcher.ico'
ICON_SIZES = [32, 16]


def check_bmp(data, w, h):
    """Returns a list of problems with an 8-bit uncompressed bottom-up BMP."""
    problems = []
    if len(data) < 14 + 40 + 1024:
        return ['file too short']
    magic, size, r1, r2, off = struct.unpack_from('<2sIHHI', data, 0)
    (bi_size, bw, bh, planes, bits, comp, img_size, _, _, used, _) = struct.unpack_from('<IiiHHIIiiII', data, 14)
    stride = (w + 3) & ~3
    expect = {
        'magic': (magic, b'BM'), 'bfSize': (size, len(data)), 'reserved': ((r1, r2), (0, 0)),
        'bfOffBits': (off, 14 + 40 + 1024), 'biSize': (bi_size, 40), 'width': (bw, w), 'height': (bh, h),
        'planes': (planes, 1), 'bitcount': (bits, 8), 'compression': (comp, 0),
        'file length': (len(data), 14 + 40 + 1024 + stride * h),
    }
    for name, (got, want) in expect.items():
        if got != want:
            problems.append('%s is %r, expected %r' % (name, got, want))
    if used not in (0, 256):
        problems.append('biClrUsed is %d' % used)
    if img_size not in (0, stride * h):
        problems.append('biSizeImage is %d' % img_size)
    if any(data[54 + 4 * k + 3] for k in range(256)):
        problems.append('palette reserved bytes are not zero')
    return problems


def check_ico(data):
    problems = []
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if (reserved, kind, count) != (0, 1, len(ICON_SIZES)):
        return ['icon directory header is %r' % ((reserved, kind, count),)]
    for k, want in enumerate(ICON_SIZES):
        w, h, colours, res, planes, bits, nbytes, off = struct.unpack_from('<BBBBHHII', data, 6 + 16 * k)
        if (w, h, res, planes, bits) != (want, want, 0, 1, 8):
            problems.append('entry %d is %r' % (k, (w, h, res, planes, bits)))
            continue
        xor = ((want + 3) & ~3) * want
        andm = ((want + 31) // 32) * 4 * want
        if nbytes != 40 + 1024 + xor + andm or off + nbytes > len(data):
            problems.append('entry %d has size %d at %d' % (k, nbytes, off))
            continue
        bi_size, bw, bh, pl, bc, comp = struct.unpack_from('<IiiHHI', data, off)
        if (bi_size, bw, bh, pl, bc, comp) != (40, want, 2 * want, 1, 8, 0):
            problems.append('entry %d header is %r' % (k, (bi_size, bw, bh, pl, bc, comp)))
    return problems


def generate():
    """One run of the generator: {file name: bytes}."""
    with tempfile.TemporaryDirectory() as folder:
        run = subprocess.run([sys.executable, os.path.join(HERE, 'make_artwork.py'), folder],
                             stdout=subprocess.DEVNULL)
        if run.returncode != 0:
            sys.exit('FAIL  make_artwork.py ended with exit status %d' % run.returncode)
        made = {}
        for name in sorted(BITMAPS) + [ICON]:
            with open(os.path.join(folder, name), 'rb') as f:
                made[name] = f.read()
        return made


def committed(name):
    """The bytes of resources/name, or None when there is no such file."""
    path = os.path.join(RESOURCES, name)
    if not os.path.exists(path):
        return None
    with open(path, 'rb') as f:
        return f.read()


def main():
    passed, failed = 0, 0

    def result(ok, what):
        nonlocal passed, failed
        print('%s  %s' % ('ok  ' if ok else 'FAIL', what))
        if ok:
            passed += 1
        else:
            failed += 1

    made = generate()
    # The committed files came from an earlier run, so a file that matches them shows two runs
    # agree. Only a file that differs needs a second run: it tells a generator whose output
    # changed from one that is not reproducible.
    stale = [name for name in made if committed(name) != made[name]]
    again = generate() if stale else {}
    for name, data in made.items():
        problems = check_bmp(data, *BITMAPS[name]) if name in BITMAPS else check_ico(data)
        result(not problems, '%s format%s' % (name, (': ' + '; '.join(problems)) if problems else ''))
        if name in stale:
            result(again[name] == data, '%s is the same in two runs' % name)
        result(name not in stale, 'resources/%s matches the generator' % name)
    print('%d passed, %d failed' % (passed, failed))
    return 0 if failed == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
