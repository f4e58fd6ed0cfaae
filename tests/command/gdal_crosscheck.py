"""Compares gridtally's census with an independent reader of the format.

Generates grids whose values take every decimal form and whose layout varies
(CRLF, tabs, values spread over lines, no final newline), and reads the grids
in the shared real-world folder when it is present. For every grid that
gridtally accepts, its output must equal, byte for byte, the census that GDAL
and numpy give; a grid it refuses must get one line on standard error and
status 1.

usage: gdal_crosscheck.py GRIDTALLY [REALWORLD_DIR]
"""
import os
import random
import subprocess
import sys
import tempfile

import numpy
from osgeo import gdal

gdal.UseExceptions()
gdal.SetConfigOption("AAIGRID_DATATYPE", "Float64")


def reference_census(path):
    dataset = gdal.Open(path)  # the band lives only as long as its dataset
    data = dataset.GetRasterBand(1).ReadAsArray().astype(numpy.float64)
    # Column-major order, like the census, so that the first of 0 and -0 names the pair.
    flat = data.flatten(order="F")
    values, counts = numpy.unique(flat, return_counts=True)
    lines = []
    for value, count in zip(values, counts):
        if value == 0:
            first = flat[numpy.nonzero(flat == 0)[0][0]]
            value = first
        lines.append("%g %d\n" % (value, count))
    return "".join(lines)


def run(gridtally, path):
    return subprocess.run([gridtally, path], capture_output=True, text=True)


def forms(rng):
    mantissa = rng.choice(["7", "12", "0", "3.25", "1523.456", "4512345.5", "0.0001", "99999.99"])
    sign = rng.choice(["", "", "-", "+"])
    kind = rng.randrange(6)
    if kind == 0:
        return sign + mantissa
    if kind == 1:
        return sign + mantissa + rng.choice(["e3", "E-05", "e+2", "e-310"])
    if kind == 2:
        return sign + "." + str(rng.randrange(1, 1000))
    if kind == 3:
        return sign + str(rng.randrange(0, 50)) + "."
    if kind == 4:
        return repr(rng.uniform(-1e4, 1e4))
    return "-9999"


def generated_grids(directory):
    rng = random.Random(20261211)
    for number in range(24):
        ncols, nrows = rng.randrange(1, 40), rng.randrange(1, 30)
        separator = rng.choice([" ", "\t", "  "])
        newline = rng.choice(["\n", "\r\n"])
        header = ["ncols %d" % ncols, "nrows %d" % nrows, "xllcorner %g" % rng.uniform(-1e6, 1e6),
                  "yllcorner %g" % rng.uniform(-1e6, 1e6), "cellsize %g" % rng.choice([1, 0.5, 30, 1 / 1200.0]),
                  rng.choice(["NODATA_value", "nodata_value"]) + " -9999"]
        tokens = [forms(rng) for _ in range(ncols * nrows)]
        if number % 3 == 0:
            body = newline.join(tokens[i:i + 7] and separator.join(tokens[i:i + 7]) for i in range(0, len(tokens), 7))
        else:
            body = newline.join(separator.join(tokens[r * ncols:(r + 1) * ncols]) for r in range(nrows))
        text = newline.join(header) + newline + body + ("" if number % 4 == 0 else newline)
        path = os.path.join(directory, "generated%02d.asc" % number)
        with open(path, "w", newline="") as f:
            f.write(text)
        yield path


def large_grids(directory):
    """Grids with enough distinct values for the results to be formatted on two
    threads; the second is also large enough (over 32 MB) to be read in two parts
    at once."""
    rng = random.Random(11122026)
    for number, (distinct_share, nrows) in enumerate([(0.2, 800), (0.9, 1300)]):
        ncols = 1600
        rows = []
        for _ in range(nrows):
            rows.append(" ".join(repr(rng.uniform(-1e4, 1e4)) if rng.random() < distinct_share else forms(rng)
                                 for _ in range(ncols)))
        header = "ncols %d\nnrows %d\nxllcorner 0\nyllcorner 0\ncellsize 1\nNODATA_value -9999\n" % (ncols, nrows)
        path = os.path.join(directory, "large%02d.asc" % number)
        with open(path, "w", newline="") as f:
            f.write(header + "\n".join(rows) + "\n")
        yield path


def main():
    gridtally = sys.argv[1]
    realworld = sys.argv[2] if len(sys.argv) > 2 else ""
    failures = []
    compared = refused = 0
    with tempfile.TemporaryDirectory() as directory:
        paths = list(generated_grids(directory)) + list(large_grids(directory))
        if realworld and os.path.isdir(realworld):
            paths += sorted(os.path.join(realworld, n) for n in os.listdir(realworld) if n.endswith(".asc"))
        for path in paths:
            result = run(gridtally, path)
            name = os.path.basename(path)
            if result.returncode == 0:
                expected = reference_census(path)
                if result.stdout != expected or result.stderr:
                    failures.append("%s: output differs from GDAL" % name)
                compared += 1
            else:
                lines = result.stderr.splitlines()
                if result.returncode != 1 or result.stdout or len(lines) != 1:
                    failures.append("%s: status %d, %d error lines" % (name, result.returncode, len(lines)))
                if "generated" in name or "large" in name:
                    failures.append("%s: refused: %s" % (name, result.stderr.strip()))
                refused += 1
    for failure in failures:
        print(failure)
    print("%d compared with GDAL, %d refused" % (compared, refused))
    print("%d passed, %d failed" % (compared + refused - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
