#!/usr/bin/env bash
# Benchmarks the value census side by side with GDAL + numpy and the parse limit.
#
#   bench/census.sh [--sizes "1e6 1e7 1e8"] [--kinds "landcover dem float"]
#                   [--repeats 3] [--data DIR] [--keep] [--library]
#
# For each kind and size it generates the grid (once; bench/gen_grid.py, the same
# bytes every time), times gridtally (release build), GDAL + numpy
# (bench/gdal_census.py) and the parse-limit probe (bench/parse_limit.cpp), checks
# that gridtally and GDAL + numpy print the same bytes, and prints a table of
# median times, ratios and peak memory (maximum resident set size). The figures go
# to DATA/results.tsv and a plot of time against cells to DATA/census.png.
# Grids over 1 GB are deleted at the end unless --keep is given. With --library it
# also times LoadARCGISFile and CountValues(TMap*) (bench/census/library_bench.cpp)
# on the landcover and dem grids.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
sizes="1e6 1e7 1e8"
kinds="landcover dem float"
repeats=3
data="$root/build/bench-data"
keep=0
library=0
while [ $# -gt 0 ]; do
  case "$1" in
    --sizes) sizes="$2"; shift 2 ;;
    --kinds) kinds="$2"; shift 2 ;;
    --repeats) repeats="$2"; shift 2 ;;
    --data) data="$2"; shift 2 ;;
    --keep) keep=1; shift ;;
    --library) library=1; shift ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
  esac
done

python=/usr/bin/python3
if ! "$python" -c 'import numpy, osgeo' 2>/dev/null; then
  echo "installing python3-gdal and python3-numpy" >&2
  apt-get install -y python3-gdal python3-numpy >/dev/null
fi
[ -x /usr/bin/time ] || apt-get install -y time >/dev/null

mkdir -p "$data"
echo "building gridtally (release preset) and the parse-limit probe" >&2
(cd "$root" && cmake --preset release >/dev/null && cmake --build --preset release --target gridtally -j2 >/dev/null)
gridtally="$root/build/release/gridtally"
probe="$data/parse_limit"
g++ -O2 -std=c++17 -o "$probe" "$root/bench/parse_limit.cpp"

# Runs a command `repeats` times; prints "median_seconds max_rss_kb" and leaves the
# output of the last run in $3.
measure() {
  local name="$1" grid="$2" out="$3"; shift 3
  local times=() rss=0
  for ((i = 0; i < repeats; i++)); do
    local start end
    # Every tool starts with the grid in the page cache: this virtual machine's
    # host takes back cached pages, and a grid partly re-read from disk would
    # time the disk.
    cat "$grid" >/dev/null
    start=$(date +%s.%N)
    # The OpenBLAS variables slow a current numpy; they are dropped for this run only.
    env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/time -f "%M" -o "$data/rss" "$@" "$grid" >"$out"
    end=$(date +%s.%N)
    times+=("$(echo "$end - $start" | bc -l)")
    local r; r=$(tail -1 "$data/rss")
    [ "$r" -gt "$rss" ] && rss=$r
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}')
  echo "$median $rss"
}

results="$data/results.tsv"
printf 'kind\tcells\tbytes\tdistinct\ttool\tseconds\tmax_rss_kb\n' >"$results"
for size in $sizes; do
  for kind in $kinds; do
    grid="$data/$kind-$size.asc"
    if [ ! -s "$grid" ]; then
      echo "generating $grid" >&2
      "$python" "$root/bench/gen_grid.py" "$kind" "$size" "$grid.tmp" && mv "$grid.tmp" "$grid"
    fi
    cells=$(awk 'NR == 1 {c = $2} NR == 2 {print c * $2; exit}' "$grid")
    bytes=$(stat -c %s "$grid")
    echo "timing $kind at $cells cells" >&2
    read -r gt_s gt_kb < <(measure gridtally "$grid" "$data/out.gridtally" "$gridtally")
    read -r gd_s gd_kb < <(measure gdal "$grid" "$data/out.gdal" "$python" "$root/bench/gdal_census.py")
    read -r pl_s pl_kb < <(measure limit "$grid" "$data/out.limit" "$probe")
    if ! cmp -s "$data/out.gridtally" "$data/out.gdal"; then
      echo "MISMATCH: gridtally and GDAL + numpy differ on $grid" >&2
      exit 1
    fi
    distinct=$(wc -l <"$data/out.gridtally")
    for row in "gridtally $gt_s $gt_kb" "gdal+numpy $gd_s $gd_kb" "parse-limit $pl_s $pl_kb"; do
      set -- $row
      printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' "$kind" "$cells" "$bytes" "$distinct" "$1" "$2" "$3" >>"$results"
    done
  done
done

"$python" - "$results" "$data/census.png" <<'PY'
import sys
rows = [line.rstrip("\n").split("\t") for line in open(sys.argv[1])][1:]
table = {}
for kind, cells, size, distinct, tool, seconds, rss in rows:
    table.setdefault((kind, int(cells), int(size), int(distinct)), {})[tool] = (float(seconds), int(rss))
print("| kind | cells | MB | distinct | gridtally s | GDAL+numpy s | limit s | GDAL / gridtally | gridtally / limit "
      "| ns/cell | gridtally MB | GDAL MB | B/cell |")
print("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|")
for (kind, cells, size, distinct), t in table.items():
    g, d, l = t["gridtally"], t["gdal+numpy"], t["parse-limit"]
    print("| %s | %d | %.0f | %d | %.3f | %.2f | %.3f | %.1fx | %.2fx | %.1f | %.1f | %.0f | %.1f |" % (
        kind, cells, size / 1e6, distinct, g[0], d[0], l[0], d[0] / g[0], g[0] / l[0], g[0] / cells * 1e9,
        g[1] / 1024, d[1] / 1024, g[1] * 1024 / cells))
try:
    import matplotlib
    matplotlib.use("Agg")
    import matplotlib.pyplot as plt
except ImportError:
    print("matplotlib is missing (apt-get install python3-matplotlib): no plot drawn")
    sys.exit(0)
kinds = sorted({k[0] for k in table})
fig, axes = plt.subplots(1, len(kinds), figsize=(4.5 * len(kinds), 4), squeeze=False)
for ax, kind in zip(axes[0], kinds):
    keys = sorted(k for k in table if k[0] == kind)
    cells = [k[1] for k in keys]
    for tool, style in (("gdal+numpy", "s-"), ("gridtally", "o-"), ("parse-limit", "^--")):
        ax.plot(cells, [table[k][tool][0] for k in keys], style, label=tool)
    ax.set_xscale("log")
    ax.set_yscale("log")
    ax.set_title(kind)
    ax.set_xlabel("cells")
    ax.set_ylabel("seconds (median)")
    ax.grid(True, which="both", alpha=0.3)
    ax.legend()
fig.tight_layout()
fig.savefig(sys.argv[2], dpi=100)
print("plot: " + sys.argv[2])
PY

if [ "$library" -eq 1 ]; then
  g++ -O2 -DNDEBUG -std=c++17 -I"$root/src/model" -I"$root/src/files" -I"$root/src/maptools" \
    -o "$data/library_bench" "$root/bench/census/library_bench.cpp" "$root/build/release/libgridmap.a"
  echo
  echo "library: LoadARCGISFile and CountValues(TMap*), medians of $repeats"
  for size in $sizes; do
    for kind in landcover dem; do
      grid="$data/$kind-$size.asc"
      [ -s "$grid" ] || continue
      echo "$kind $size: $("$data/library_bench" "$grid" "$repeats")," \
        "parse limit $(measure limit "$grid" "$data/out.limit" "$probe" | cut -d' ' -f1) s"
    done
  done
fi

if [ "$keep" -eq 0 ]; then
  find "$data" -name '*.asc' -size +1G -delete
fi
