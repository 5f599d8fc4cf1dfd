"""Enlarging pixel pictures for larger display scales, standard library only.

The pictures are drawn by hand at 16 x 16 for 96 dots per inch. For 150 % and 200 % the
generators enlarge them with the Scale2x / Scale3x rules (each pixel becomes a 2 x 2 or 3 x 3
block whose corners follow the neighbouring edges), which keeps hard colour edges and rounds the
diagonals instead of showing stair steps. No colour is mixed, so a transparent key colour stays
exact. 150 % is Scale3x taken at every second pixel.
"""


def _at(px, x, y):
    h, w = len(px), len(px[0])
    return px[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]


def scale2x(px):
    h, w = len(px), len(px[0])
    out = [[None] * (2 * w) for _ in range(2 * h)]
    for y in range(h):
        for x in range(w):
            p = px[y][x]
            a, b, c, d = _at(px, x, y - 1), _at(px, x + 1, y), _at(px, x - 1, y), _at(px, x, y + 1)
            e0 = e1 = e2 = e3 = p
            if c == a and c != d and a != b:
                e0 = a
            if a == b and a != c and b != d:
                e1 = b
            if d == c and d != b and c != a:
                e2 = c
            if b == d and b != a and d != c:
                e3 = d
            out[2 * y][2 * x], out[2 * y][2 * x + 1] = e0, e1
            out[2 * y + 1][2 * x], out[2 * y + 1][2 * x + 1] = e2, e3
    return out


def scale3x(px):
    h, w = len(px), len(px[0])
    out = [[None] * (3 * w) for _ in range(3 * h)]
    for y in range(h):
        for x in range(w):
            a, b, c = _at(px, x - 1, y - 1), _at(px, x, y - 1), _at(px, x + 1, y - 1)
            d, e, f = _at(px, x - 1, y), px[y][x], _at(px, x + 1, y)
            g, hh, i = _at(px, x - 1, y + 1), _at(px, x, y + 1), _at(px, x + 1, y + 1)
            block = [[e] * 3 for _ in range(3)]
            if b != hh and d != f:
                block[0][0] = d if d == b else e
                block[0][1] = b if (d == b and e != c) or (b == f and e != a) else e
                block[0][2] = f if b == f else e
                block[1][0] = d if (d == b and e != g) or (d == hh and e != a) else e
                block[1][2] = f if (b == f and e != i) or (hh == f and e != c) else e
                block[2][0] = d if d == hh else e
                block[2][1] = hh if (d == hh and e != i) or (hh == f and e != g) else e
                block[2][2] = f if hh == f else e
            for dy in range(3):
                for dx in range(3):
                    out[3 * y + dy][3 * x + dx] = block[dy][dx]
    return out


def scale150(px):
    big = scale3x(px)
    return [row[::2] for row in big[::2]]


def versions(px):
    """The picture at 100 %, 150 % and 200 %."""
    return [px, scale150(px), scale2x(px)]
