#!/usr/bin/env python3
"""Reads korvex-render's CSV with Python's csv module and its VTK file with VTK's own
reader, on the example data and on a small model with a blank cell.

usage: check_exports.py KORVEX_RENDER EXAMPLES_FOLDER
Exits 77 (skipped) when VTK's Python modules are missing."""
import csv
import math
import os
import subprocess
import sys
import tempfile

try:
    from vtkmodules.vtkIOXML import vtkXMLRectilinearGridReader
except ImportError:
    print("skipped: VTK's Python modules are missing (Debian package python3-vtk9)")
    sys.exit(77)

render, examples = sys.argv[1], sys.argv[2]
mesh = os.path.join(examples, "survey.msh")
model = os.path.join(examples, "ohmsolv.con")
second = os.path.join(examples, "ohmsolv_ref2.con")
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def close(a, b, tolerance=1e-6):
    return abs(a - b) <= tolerance * max(abs(a), abs(b))


def numbers(path):
    with open(path) as f:
        return f.read().split()


def read_mesh(path):
    """Nodes across and down from the segment form of a mesh file."""
    words = numbers(path)
    axes = []
    for _ in range(2):
        count = int(words.pop(0))
        nodes = [float(words.pop(0))]
        for _ in range(count):
            end, cells = float(words.pop(0)), int(words.pop(0))
            start = nodes[-1]
            nodes += [start + (end - start) * (k + 1) / cells for k in range(cells)]
        axes.append(nodes)
    return axes


def read_model(path):
    words = numbers(path)
    nx, nz = int(words[0]), int(words[1])
    values = [float(v) for v in words[2 : 2 + nx * nz]]
    return [values[r * nx : (r + 1) * nx] for r in range(nz)]


def run(*args):
    result = subprocess.run([render, *args], capture_output=True, text=True)
    check(result.returncode == 0, "korvex-render %s: status %d, %s" % (args, result.returncode, result.stderr))


def read_vtk(path):
    reader = vtkXMLRectilinearGridReader()
    reader.SetFileName(path)
    reader.Update()
    grid = reader.GetOutput()
    data = grid.GetCellData()
    arrays = {data.GetArrayName(i): data.GetArray(i) for i in range(data.GetNumberOfArrays())}
    coordinates = [
        [axis.GetValue(i) for i in range(axis.GetNumberOfTuples())]
        for axis in (grid.GetXCoordinates(), grid.GetYCoordinates(), grid.GetZCoordinates())
    ]
    return grid.GetDimensions(), coordinates, arrays


xs, zs = read_mesh(mesh)
loaded, other = read_model(model), read_model(second)
nx, nz = len(xs) - 1, len(zs) - 1
pad = 5

with tempfile.TemporaryDirectory() as folder:
    # The example with its padding hidden, compared with the second model in percent.
    table = os.path.join(folder, "cells.csv")
    run("-o", table, "--compare", second, mesh, model, "/padd=%d,%d,%d" % (pad, pad, pad))
    with open(table, newline="") as f:
        rows = list(csv.reader(f))
    check(rows[0] == ["x_m", "depth_m", "resistivity_ohm_m", "difference_percent"], "CSV header %s" % rows[0])
    body = rows[1:]
    shown_columns, shown_rows = nx - 2 * pad, nz - pad
    check(len(body) == shown_columns * shown_rows, "CSV rows: %d" % len(body))
    check(all(len(row) == 4 for row in body), "CSV fields per row")
    for index, row in enumerate(body):
        r, c = index // shown_columns, pad + index % shown_columns
        x, depth, rho, percent = map(float, row)
        check(close(x, (xs[c] + xs[c + 1]) / 2, 1e-9) and close(depth, (zs[r] + zs[r + 1]) / 2, 1e-9), "CSV row %d position" % index)
        check(close(rho, 1 / loaded[r][c], 1e-5), "CSV row %d resistivity %g" % (index, rho))
        expected = 100 * (loaded[r][c] / other[r][c] - 1)  # resistivity is 1 / conductivity
        check(abs(percent - expected) <= 1e-4 * max(1.0, abs(expected)), "CSV row %d percent %g, %g" % (index, percent, expected))

    # The same as a VTK grid, as a ratio: the whole mesh, padding flagged.
    grid = os.path.join(folder, "cells.vtr")
    run("-o", grid, "--compare", second, "--compare-mode", "ratio", mesh, model, "/padd=%d,%d,%d" % (pad, pad, pad))
    dimensions, (gx, gy, gz), arrays = read_vtk(grid)
    check(dimensions == (nx + 1, 1, nz + 1), "VTK dimensions %s" % (dimensions,))
    check(all(close(a, b, 1e-12) or a == b for a, b in zip(gx, xs)), "VTK x coordinates")
    check(gy == [0.0], "VTK y coordinate %s" % gy)
    check(gz == sorted(gz) and all(a == -b for a, b in zip(gz, reversed(zs))), "VTK z coordinates")
    check(sorted(arrays) == ["log10_resistivity", "padding", "ratio", "resistivity"], "VTK arrays %s" % sorted(arrays))
    for r, c in [(nz - 1, 0), (0, 0), (10, 30), (0, nx - 1)]:
        cell = (nz - 1 - r) * nx + c  # x fastest, deepest row first
        check(close(arrays["resistivity"].GetValue(cell), 1 / loaded[r][c], 1e-5), "VTK resistivity (%d, %d)" % (r, c))
        check(close(arrays["log10_resistivity"].GetValue(cell), -math.log10(loaded[r][c]), 1e-5), "VTK log10 (%d, %d)" % (r, c))
        check(close(arrays["ratio"].GetValue(cell), loaded[r][c] / other[r][c], 1e-4), "VTK ratio (%d, %d)" % (r, c))
        padding = c < pad or c >= nx - pad or r >= nz - pad
        check(arrays["padding"].GetValue(cell) == padding, "VTK padding (%d, %d)" % (r, c))

    # Zoomed, the grid keeps the rows and columns the window meets.
    run("-o", grid, "--view", "105,205,12,41", mesh, model)
    dimensions, (gx, _, gz), _ = read_vtk(grid)
    columns = [c for c in range(nx) if xs[c + 1] > 105 and xs[c] < 205]
    rows = [r for r in range(nz) if zs[r + 1] > 12 and zs[r] < 41]
    check(dimensions == (len(columns) + 1, 1, len(rows) + 1), "zoomed VTK dimensions %s" % (dimensions,))
    check(gx[0] == xs[columns[0]] and gz[0] == -zs[rows[-1] + 1], "zoomed VTK corner %g, %g" % (gx[0], gz[0]))

    # A blank cell: an empty CSV field and NaN in VTK.
    small_mesh, small_model = os.path.join(folder, "small.msh"), os.path.join(folder, "small.con")
    with open(small_mesh, "w") as f:
        f.write("1 0 100 4\n1 0 30 2\n")
    with open(small_model, "w") as f:
        f.write("4 2\n0.01 0.02 0.03 0.04\n0.1 1e-9 0.3 0.4\n")
    run("-o", table, "--set", "showConductivity=1", small_mesh, small_model)
    with open(table, newline="") as f:
        rows = list(csv.reader(f))
    check(rows[0][2] == "conductivity_s_per_m" and len(rows) == 9, "small CSV %s" % rows[:1])
    check(rows[6] == ["37.5", "22.5", ""], "blank CSV row %s" % rows[6])
    run("-o", grid, small_mesh, small_model)
    dimensions, _, arrays = read_vtk(grid)
    check(dimensions == (5, 1, 3), "small VTK dimensions %s" % (dimensions,))
    check(math.isnan(arrays["resistivity"].GetValue(1)), "blank VTK cell")
    check(close(arrays["resistivity"].GetValue(4), 100.0, 1e-6), "top-left VTK cell")

for failure in failures:
    print("FAILED:", failure)
print("%d failures" % len(failures))
sys.exit(1 if failures else 0)
