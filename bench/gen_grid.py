#!/usr/bin/python3
"""Writes a deterministic ESRI ASCII grid of one of three kinds.

    gen_grid.py KIND CELLS OUTPUT

landcover  integer classes, 20 distinct values in patches of a few cells
dem        elevations with two decimals, one distinct value per 20 cells or so
float      17-significant-digit values, all distinct

The grid is as square as the cell count allows (ncols = floor(sqrt(CELLS))).
The same arguments always give the same bytes.
"""
import math
import sys

import numpy as np

SEED = 20240611
CHUNK_ROWS_CELLS = 1 << 20
LANDCOVER_CLASSES = np.array([-9999, 11, 12, 21, 22, 23, 24, 31, 41, 42, 43, 51, 52, 71, 72, 81, 82, 90, 95, 5],
                             dtype=np.int64)
DEM_CELLS_PER_VALUE = 20
DEM_BASE_HUNDREDTHS = 100000  # 1000.00 m


def rows_text(kind, rng, cells, ncols, first_row, nrows, distinct):
    n = ncols * nrows
    if kind == "landcover":
        # Runs of one class along the row, as in classified imagery.
        run = rng.integers(1, 9, size=n // 2 + 1)
        classes = rng.choice(len(LANDCOVER_CLASSES), size=run.size, p=LANDCOVER_WEIGHTS)
        values = np.repeat(LANDCOVER_CLASSES[classes], run)[:n]
        text = values.astype(str)
    elif kind == "dem":
        # A smooth surface plus noise, quantised to hundredths of a metre.
        rows = np.arange(first_row, first_row + nrows, dtype=np.float64)[:, None]
        cols = np.arange(ncols, dtype=np.float64)[None, :]
        surface = 0.5 + 0.25 * np.sin(rows / 97.0) * np.cos(cols / 113.0)
        surface = surface + rng.uniform(-0.25, 0.25, size=(nrows, ncols))
        hundredths = DEM_BASE_HUNDREDTHS + np.floor(surface * distinct).astype(np.int64).ravel()
        whole, frac = np.divmod(hundredths, 100)
        text = np.char.add(np.char.add(whole.astype(str), "."), np.char.zfill(frac.astype(str), 2))
    else:
        values = rng.uniform(-1000.0, 1000.0, size=n)
        text = ["%.17g" % v for v in values.tolist()]
    lines = []
    for r in range(nrows):
        lines.append(" ".join(text[r * ncols:(r + 1) * ncols]))
    return "\n".join(lines) + "\n"


LANDCOVER_WEIGHTS = np.array([2, 8, 2, 6, 6, 4, 3, 2, 12, 10, 5, 6, 4, 6, 3, 8, 7, 3, 2, 1], dtype=np.float64)
LANDCOVER_WEIGHTS /= LANDCOVER_WEIGHTS.sum()


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("landcover", "dem", "float"):
        sys.exit(__doc__)
    kind, cells, output = sys.argv[1], int(float(sys.argv[2])), sys.argv[3]
    ncols = max(1, math.isqrt(cells))
    nrows = cells // ncols
    distinct = max(1, (ncols * nrows) // DEM_CELLS_PER_VALUE)
    rng = np.random.default_rng([SEED, ("landcover", "dem", "float").index(kind), cells])
    chunk = max(1, CHUNK_ROWS_CELLS // ncols)
    with open(output, "w", encoding="ascii", newline="\n") as f:
        f.write("ncols %d\nnrows %d\nxllcorner 500000\nyllcorner 4000000\ncellsize 30\nNODATA_value -9999\n"
                % (ncols, nrows))
        for first in range(0, nrows, chunk):
            f.write(rows_text(kind, rng, cells, ncols, first, min(chunk, nrows - first), distinct))


if __name__ == "__main__":
    main()
