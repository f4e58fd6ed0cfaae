#!/usr/bin/python3
"""The census as users run it today: GDAL reads the grid, numpy counts, Python prints.

    gdal_census.py GRID

Prints "value count" lines in ascending order, the value as printf's %g.
"""
import sys

import numpy as np
from osgeo import gdal

LINES_PER_WRITE = 1 << 16


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    gdal.UseExceptions()
    # Float64 keeps every value exactly as written; the driver's default is Float32.
    dataset = gdal.OpenEx(sys.argv[1], gdal.OF_RASTER, open_options=["DATATYPE=Float64"])
    cells = dataset.GetRasterBand(1).ReadAsArray().astype(np.float64, copy=False)
    values, counts = np.unique(cells, return_counts=True)
    out = sys.stdout
    for start in range(0, values.size, LINES_PER_WRITE):
        chunk = zip(values[start:start + LINES_PER_WRITE].tolist(), counts[start:start + LINES_PER_WRITE].tolist())
        out.write("".join(["%g %d\n" % pair for pair in chunk]))


if __name__ == "__main__":
    main()
