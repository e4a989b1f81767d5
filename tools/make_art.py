#!/usr/bin/env python3
"""Generate the Windows icon and cursor used by res/app.rc.

Usage: python3 tools/make_art.py OUTDIR

Writes OUTDIR/app.ico (16..256 px, 32-bit BGRA, 256 px stored as PNG) and
OUTDIR/pointer.cur (32 x 32, hot spot (9, 5)).  Standard library only; the
output is deterministic (byte-identical on every run).

The artwork is procedural: every shape is a signed distance function in a
unit square, and each pixel's coverage is derived analytically from the
distance (clamp(0.5 - d / pixel, 0, 1)), which anti-aliases as well as heavy
supersampling at a fraction of the cost.  32 and 48 px additionally use 2x2
supersampling; 16 and 32 px use pixel-snapped geometry so they stay crisp.
The cursor is pixel art (ARROW below) with a soft alpha drop shadow.
"""

import math
import os
import struct
import sys
import zlib

ICON_SIZES = (16, 32, 48, 64, 72, 80, 96, 128, 256)
PNG_MIN_SIZE = 256          # sizes >= this are stored as PNG entries
CURSOR_SIZE = 32
HOTSPOT = (9, 5)


# --------------------------------------------------------------------------
# small vector helpers / signed distance functions (y grows downwards)

def clamp01(v):
    return 0.0 if v < 0.0 else (1.0 if v > 1.0 else v)


def sd_round_box(px, py, cx, cy, hw, hh, r):
    """Rounded box centred on (cx, cy), half extents hw x hh, corner r."""
    qx = abs(px - cx) - hw + r
    qy = abs(py - cy) - hh + r
    ox = qx if qx > 0.0 else 0.0
    oy = qy if qy > 0.0 else 0.0
    inside = qx if qx > qy else qy
    if inside > 0.0:
        inside = 0.0
    return math.sqrt(ox * ox + oy * oy) + inside - r


def sd_circle(px, py, cx, cy, r):
    dx = px - cx
    dy = py - cy
    return math.sqrt(dx * dx + dy * dy) - r


def smin(a, b, k):
    """Polynomial smooth minimum (smooth union of two distance fields)."""
    h = clamp01(0.5 + 0.5 * (b - a) / k)
    return b + (a - b) * h - k * h * (1.0 - h)


def lerp(a, b, t):
    return a + (b - a) * t


def mix3(c0, c1, t):
    return (lerp(c0[0], c1[0], t), lerp(c0[1], c1[1], t), lerp(c0[2], c1[2], t))


def hexrgb(s):
    return (int(s[0:2], 16) / 255.0, int(s[2:4], 16) / 255.0,
            int(s[4:6], 16) / 255.0)


# --------------------------------------------------------------------------
# icon artwork

BG_TOP = hexrgb("22b5c4")       # teal (top-left)
BG_BOTTOM = hexrgb("1a3d8f")    # deep blue (bottom-right)
BG_EDGE = hexrgb("14306e")      # subtle darker rim
PAD_FILL = hexrgb("f7fafc")     # gamepad body
PAD_SHADE = hexrgb("d6e2ee")    # lower part of the body
DPAD = hexrgb("1c4a94")
BTN_A = hexrgb("ff5d5d")
BTN_B = hexrgb("ffc233")


def icon_geometry(n):
    """Shape parameters in unit coordinates.

    16 and 32 px use hand-tuned, pixel-snapped values (given in pixels and
    divided by the size) so the D-pad and buttons stay crisp; larger sizes
    share one proportional layout.
    """
    g = {"ss": 2 if n <= 48 else 1, "shadow": 0.28, "dpad_round": 0.45,
         "btn_square": False}
    if n <= 16:
        u = 1.0 / 16
        g["ss"] = 1
        g["margin"], g["corner"] = 0.0, 3.0 * u
        g["body"] = (8 * u, 7.5 * u, 7 * u, 2.5 * u, 2.5 * u)  # cx cy hw hh r
        g["grips"] = ((4 * u, 10.2 * u, 2.6 * u), (12 * u, 10.2 * u, 2.6 * u))
        g["dpad"] = (4.5 * u, 8.5 * u, 1.5 * u, 0.5 * u)  # cx cy arm half-w
        g["dpad_round"] = 0.0
        g["btns"] = ((11.5 * u, 9.5 * u, 0.5 * u), (12.5 * u, 7.5 * u, 0.5 * u))
        g["btn_square"] = True
        g["shadow"] = 0.0
        g["rim"] = 0.0
    elif n <= 32:
        u = 1.0 / 32
        g["margin"], g["corner"] = 0.5 * u, 6.0 * u
        g["body"] = (16 * u, 14.75 * u, 12.5 * u, 4.75 * u, 4.75 * u)
        g["grips"] = ((8.5 * u, 20 * u, 4.8 * u), (23.5 * u, 20 * u, 4.8 * u))
        g["dpad"] = (9.5 * u, 15.5 * u, 4.5 * u, 1.5 * u)
        g["dpad_round"] = 0.2
        g["btns"] = ((21.5 * u, 17.5 * u, 1.75 * u),
                     (24.5 * u, 13.5 * u, 1.75 * u))
        g["shadow"] = 0.2
        g["rim"] = 0.0
    else:
        g["margin"], g["corner"] = 0.035, 0.19
        g["body"] = (0.5, 0.46, 0.36, 0.14, 0.14)
        g["grips"] = ((0.28, 0.62, 0.14), (0.72, 0.62, 0.14))
        g["dpad"] = (0.32, 0.48, 0.105, 0.034)
        g["btns"] = ((0.665, 0.52, 0.045), (0.745, 0.44, 0.045))
        g["rim"] = 1.0
    return g


def pad_distance(x, y, g):
    bx, by, bw, bh, br = g["body"]
    d = sd_round_box(x, y, bx, by, bw, bh, br)
    for (gx, gy, gr) in g["grips"]:
        d = smin(d, sd_circle(x, y, gx, gy, gr), 0.07)
    return d


def dpad_distance(x, y, g):
    cx, cy, arm, w = g["dpad"]
    r = w * g["dpad_round"]
    d1 = sd_round_box(x, y, cx, cy, arm, w, r)
    d2 = sd_round_box(x, y, cx, cy, w, arm, r)
    return d1 if d1 < d2 else d2


def render_icon(n):
    """Return n*n straight-alpha RGBA float tuples, rows top to bottom."""
    g = icon_geometry(n)
    px = 1.0 / n
    m = g["margin"]
    half = 0.5 - m
    corner = g["corner"] * (1.0 - 2.0 * m)
    ss = g["ss"]                            # extra supersampling for detail
    offs = [((i + 0.5) / ss - 0.5) for i in range(ss)]
    spx = px * ss                           # distance->coverage scale (fine)
    shadow_dy = 0.035
    shadow_soft = max(px * 1.5, 0.03)
    shadow = g["shadow"]
    (a_cx, a_cy, a_r), (b_cx, b_cy, b_r) = g["btns"]
    if g["btn_square"]:
        def button(x, y, cx, cy, r):
            return sd_round_box(x, y, cx, cy, r, r, 0.0)
    else:
        def button(x, y, cx, cy, r):
            return sd_circle(x, y, cx, cy, r)
    out = []
    for j in range(n):
        for i in range(n):
            acc_r = acc_g = acc_b = acc_a = 0.0
            for oy in offs:
                y = (j + 0.5 + oy) * px
                for ox in offs:
                    x = (i + 0.5 + ox) * px
                    inv = 1.0 / spx
                    # background tile ------------------------------------
                    dbg = sd_round_box(x, y, 0.5, 0.5, half, half, corner)
                    cov = clamp01(0.5 - dbg * inv)
                    if cov <= 0.0:
                        continue
                    t = clamp01((x * 0.35 + y * 0.85 - 0.1) / 1.1)
                    col = mix3(BG_TOP, BG_BOTTOM, t)
                    # soft top highlight
                    hl = clamp01(1.0 - (y - m) / 0.45) * 0.10
                    col = mix3(col, (1.0, 1.0, 1.0), hl)
                    if g["rim"]:
                        rim = clamp01(1.0 - (-dbg) / (px * 1.2)) * 0.55
                        col = mix3(col, BG_EDGE, rim)
                    # gamepad shadow ---------------------------------------
                    if shadow > 0.0:
                        ds = pad_distance(x, y - shadow_dy, g)
                        sh = clamp01(0.5 - ds / shadow_soft) * shadow
                        col = mix3(col, (0.02, 0.06, 0.18), sh)
                    # gamepad body -----------------------------------------
                    dp = pad_distance(x, y, g)
                    c = clamp01(0.5 - dp * inv)
                    if c > 0.0:
                        shade = clamp01((y - 0.50) / 0.22)
                        body = mix3(PAD_FILL, PAD_SHADE, shade * 0.8)
                        # d-pad
                        cd = clamp01(0.5 - dpad_distance(x, y, g) * inv)
                        if cd > 0.0:
                            body = mix3(body, DPAD, cd)
                        # buttons
                        ca = clamp01(0.5 - button(x, y, a_cx, a_cy, a_r)
                                     * inv)
                        if ca > 0.0:
                            body = mix3(body, BTN_A, ca)
                        cb = clamp01(0.5 - button(x, y, b_cx, b_cy, b_r)
                                     * inv)
                        if cb > 0.0:
                            body = mix3(body, BTN_B, cb)
                        col = mix3(col, body, c)
                    acc_r += col[0] * cov
                    acc_g += col[1] * cov
                    acc_b += col[2] * cov
                    acc_a += cov
            k = 1.0 / (ss * ss)
            a = acc_a * k
            if a > 0.0:
                out.append((acc_r * k / a, acc_g * k / a, acc_b * k / a, a))
            else:
                out.append((0.0, 0.0, 0.0, 0.0))
    return out


# --------------------------------------------------------------------------
# cursor artwork: pixel art, tip of the arrow at HOTSPOT
#   K = black outline, W = white fill, A = accent, . = transparent

ARROW = [
    "K",
    "KK",
    "KWK",
    "KWWK",
    "KWWWK",
    "KWWWWK",
    "KWWWWWK",
    "KWWWWWWK",
    "KWWWWWWWK",
    "KWWWWWWWWK",
    "KWWWWWWWWWK",
    "KWWWWWWWWWWK",
    "KWWWWWWKKKKKK",
    "KWWWKWWK",
    "KWWKKWWWK",
    "KWK..KWWK",
    "KK...KWWWK",
    "K.....KWWK",
    "......KWWWK",
    ".......KWWK",
    ".......KKK",
]

ACCENT = hexrgb("22b5c4")


def render_cursor():
    n = CURSOR_SIZE
    hx, hy = HOTSPOT
    shape = [[None] * n for _ in range(n)]
    for r, row in enumerate(ARROW):
        for c, ch in enumerate(row):
            if ch == ".":
                continue
            x, y = hx + c, hy + r
            if ch == "K":
                shape[y][x] = (0.0, 0.0, 0.0)
            else:
                shape[y][x] = (1.0, 1.0, 1.0)
    # accent: a teal bevel along the inside of the arrow head's right-hand
    # edge
    for r in range(4, 12):
        for c in (r - 2, r - 1):
            x, y = hx + c, hy + r
            if c >= 1 and shape[y][x] == (1.0, 1.0, 1.0):
                shape[y][x] = ACCENT
    # soft drop shadow: blurred silhouette offset by (1, 1)
    sil = [[1.0 if shape[y][x] is not None else 0.0 for x in range(n)]
           for y in range(n)]
    kern = ((0, 0, 4.0), (-1, 0, 2.0), (1, 0, 2.0), (0, -1, 2.0),
            (0, 1, 2.0), (-1, -1, 1.0), (1, -1, 1.0), (-1, 1, 1.0),
            (1, 1, 1.0))
    out = []
    for y in range(n):
        for x in range(n):
            if shape[y][x] is not None:
                r_, g_, b_ = shape[y][x]
                out.append((r_, g_, b_, 1.0))
                continue
            s = 0.0
            for (dx, dy, w) in kern:
                sx, sy = x - 1 - dx, y - 1 - dy
                if 0 <= sx < n and 0 <= sy < n:
                    s += sil[sy][sx] * w
            a = s / 16.0 * 0.40
            if a > 0.0:
                out.append((0.0, 0.0, 0.0, a))
            else:
                out.append((0.0, 0.0, 0.0, 0.0))
    return out


# --------------------------------------------------------------------------
# encoders

def to_bytes(v):
    return int(v * 255.0 + 0.5)


def quantize(pixels):
    """Float straight-alpha RGBA -> list of (r, g, b, a) ints."""
    q = []
    for (r, g, b, a) in pixels:
        ai = to_bytes(clamp01(a))
        if ai == 0:
            q.append((0, 0, 0, 0))
        else:
            q.append((to_bytes(clamp01(r)), to_bytes(clamp01(g)),
                      to_bytes(clamp01(b)), ai))
    return q


def encode_dib(n, q):
    """BITMAPINFOHEADER + bottom-up BGRA XOR bitmap + 1-bpp AND mask."""
    mask_stride = ((n + 31) // 32) * 4
    xor = bytearray()
    andm = bytearray()
    for y in range(n - 1, -1, -1):
        row = q[y * n:(y + 1) * n]
        for (r, g, b, a) in row:
            xor += bytes((b, g, r, a))
        bits = bytearray(mask_stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        andm += bits
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                         len(xor) + len(andm), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(andm)


def encode_png(n, q):
    raw = bytearray()
    for y in range(n):
        raw.append(0)
        for (r, g, b, a) in q[y * n:(y + 1) * n]:
            raw += bytes((r, g, b, a))

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    ihdr = struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def encode_container(kind, images):
    """images: list of (size, field1, field2, data); kind 1 = ico, 2 = cur.
    For icons field1/field2 are planes/bitcount, for cursors the hot spot."""
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for (n, f1, f2, data) in images:
        dim = 0 if n >= 256 else n
        out += struct.pack("<BBBBHHII", dim, dim, 0, 0, f1, f2, len(data),
                           offset)
        offset += len(data)
    for (_, _, _, data) in images:
        out += data
    return bytes(out)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_art.py OUTDIR\n")
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)

    images = []
    for n in ICON_SIZES:
        q = quantize(render_icon(n))
        data = encode_png(n, q) if n >= PNG_MIN_SIZE else encode_dib(n, q)
        images.append((n, 1, 32, data))
    with open(os.path.join(outdir, "app.ico"), "wb") as f:
        f.write(encode_container(1, images))

    q = quantize(render_cursor())
    cur = encode_container(2, [(CURSOR_SIZE, HOTSPOT[0], HOTSPOT[1],
                                encode_dib(CURSOR_SIZE, q))])
    with open(os.path.join(outdir, "pointer.cur"), "wb") as f:
        f.write(cur)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
