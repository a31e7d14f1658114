#!/usr/bin/env python3
"""Writes synthetic inversion results for the benchmarks.

For each size a mesh with padding and non-uniform cells, a conductivity model that
looks like a smooth inversion result (a layered background, a conductive body, a
resistive block and a dipping conductor), a convergence file, a second model for the
depth of investigation (recovered with another reference model) and a single weight
file. Uses numpy when it is installed, plain Python otherwise; both give the same
files.

usage: make_bench_data.py FOLDER [SIZE...]   SIZE is 100k, 1m, 4m or 16m (default: all)
"""

import bisect
import math
import os
import sys

try:
    import numpy
except ImportError:  # the plain path is slower, not different
    numpy = None

SIZES = {"100k": (400, 250), "1m": (1000, 1000), "4m": (2000, 2000), "16m": (4000, 4000)}
PADDING = 20  # padding cells at the left, the right and the bottom
GROWTH = 1.2  # each padding cell is this much wider than the one before


def x_segments(nx):
    """(start, [(end, cells)...]) of the x axis: padding cells one per segment,
    growing outwards, and a core of two cell widths."""
    core = nx - 2 * PADDING
    width = 2400.0 / core
    left_core = core // 2
    pads = [width * GROWTH ** (k + 1) for k in range(PADDING)]
    start = -sum(pads)
    segments = []
    x = start
    for w in reversed(pads):
        x += w
        segments.append((x, 1))
    x += left_core * width
    segments.append((x, left_core))
    x += (core - left_core) * width * 0.8
    segments.append((x, core - left_core))
    for w in pads:
        x += w
        segments.append((x, 1))
    return start, segments


def z_segments(nz):
    """Depth: thin layers at the surface that thicken in eight steps, then padding."""
    core = nz - PADDING
    steps = 8
    segments = []
    z = 0.0
    thickness = 400.0 / core
    done = 0
    for s in range(steps):
        cells = core // steps if s < steps - 1 else core - done
        z += cells * thickness * (1.0 + 0.25 * s)
        segments.append((z, cells))
        done += cells
    last = thickness * (1.0 + 0.25 * (steps - 1))
    for k in range(PADDING):
        z += last * GROWTH ** (k + 1)
        segments.append((z, 1))
    return 0.0, segments


def nodes(start, segments):
    out = [start]
    a = start
    for end, cells in segments:
        w = (end - a) / cells
        out.extend(a + k * w for k in range(1, cells + 1))
        a = end
    return out


def centres(node_list):
    return [0.5 * (a + b) for a, b in zip(node_list, node_list[1:])]


def log_conductivity(x, z, m, reference):
    """log10 S/m at cell centres; m is numpy for arrays or math for single values.
    Far from the data (deep, or beyond the ends) the model falls back to its
    reference level, as an inversion's does."""
    layered = -2.3 + 0.6 * m.tanh((z - 60.0) / 25.0) - 0.4 * m.tanh((z - 250.0) / 60.0)
    body = 1.1 * m.exp(-(((x - 700.0) / 250.0) ** 2) - ((z - 180.0) / 90.0) ** 2)
    block = -0.9 * m.exp(-(((x - 1700.0) / 300.0) ** 4) - ((z - 120.0) / 70.0) ** 4)
    dip = 0.7 * m.exp(-(((x - 0.8 * z - 1250.0) / 40.0) ** 2)) * m.exp(-z / 400.0)
    ripple = 0.05 * m.sin(x / 97.0) * m.cos(z / 41.0)
    resolved = m.exp(-z / 450.0) * 0.5 * (m.tanh((x + 100.0) / 200.0) - m.tanh((x - 2100.0) / 200.0))
    return resolved * (layered + body + block + dip + ripple) + (1.0 - resolved) * reference


def model_rows(xc, zc, reference):
    """Rows of conductivities (S/m), top row first."""
    if numpy is not None:
        xa = numpy.asarray(xc)[None, :]
        za = numpy.asarray(zc)[:, None]
        field = numpy.power(10.0, log_conductivity(xa, za, numpy, reference))
        return (row.tolist() for row in field)
    return ([10.0 ** log_conductivity(x, z, math, reference) for x in xc] for z in zc)


def write_model(path, nx, nz, rows):
    with open(path, "w") as out:
        out.write("%d %d\n" % (nx, nz))
        for row in rows:
            out.write(" ".join(["%.5e" % v for v in row]))
            out.write("\n")


def write_mesh(path, x_axis, z_axis):
    with open(path, "w") as out:
        for start, segments in (x_axis, z_axis):
            out.write("%d\n" % len(segments))
            first_end, first_cells = segments[0]
            out.write("%.6f %.6f %d\n" % (start, first_end, first_cells))
            for end, cells in segments[1:]:
                out.write("%.6f %d\n" % (end, cells))


def write_convergence(path):
    iterations = 12
    with open(path, "w") as out:
        out.write("%d    iterations done; columns: iter  misfit  model-norm  beta\n" % iterations)
        for i in range(iterations + 1):
            misfit = 1800.0 + 40000.0 * math.exp(-0.8 * i)
            norm = 0.0 if i == 0 else 600.0 * (1.0 - math.exp(-0.5 * i))
            out.write("%3d   %.5e   %.5e  %.4e\n" % (i, misfit, norm, 1000.0 / 2 ** i))
        out.write("1850.0 target\n")


def write_weights(path, nx, nz, xn, zn):
    """Single weight file: cell weights of 1, then X and Z face weights that are 1
    except across a vertical fault (5) and along a dipping interface (0.1)."""
    fault = min(range(nx - 1), key=lambda k: abs(xn[k + 1] - 1500.0))
    # The horizontal face nearest the interface in each column: index i of face i + 1.
    interface_face = []
    for k in range(nx):
        depth = 80.0 + 0.04 * (xn[k] - xn[0])
        interface_face.append(min(max(bisect.bisect_left(zn, depth) - 1, 0), nz - 2))
    marked = {}
    for k, i in enumerate(interface_face):
        marked.setdefault(i, []).append(k)
    with open(path, "w") as out:
        out.write("%d %d\n" % (nx, nz))
        ones = " ".join(["1"] * nx) + "\n"
        out.write(ones * nz)
        for i in range(nz):
            row = ["1"] * (nx - 1)
            if 20.0 < zn[i] < 400.0:
                row[fault] = "5"
            out.write(" ".join(row) + "\n")
        for i in range(nz - 1):
            row = ["1"] * nx
            for k in marked.get(i, ()):
                row[k] = "0.1"
            out.write(" ".join(row) + "\n")


def make(folder, name):
    nx, nz = SIZES[name]
    x_axis = x_segments(nx)
    z_axis = z_segments(nz)
    xn = nodes(*x_axis)
    zn = nodes(*z_axis)
    assert len(xn) == nx + 1 and len(zn) == nz + 1
    xc, zc = centres(xn), centres(zn)
    base = os.path.join(folder, "bench-" + name)
    write_mesh(base + ".msh", x_axis, z_axis)
    write_model(base + ".con", nx, nz, model_rows(xc, zc, -2.0))
    # The second inversion's reference model is ten times more resistive.
    write_model(base + ".doi", nx, nz, model_rows(xc, zc, -3.0))
    write_convergence(base + ".out")
    write_weights(base + ".wts", nx, nz, xn, zn)
    print("%s: %d x %d cells in %s.{msh,con,doi,out,wts}" % (name, nx, nz, base))


def main(argv):
    if len(argv) < 2 or argv[1] in ("-h", "--help"):
        print(__doc__.strip())
        return 0 if len(argv) >= 2 else 2
    folder = argv[1]
    names = argv[2:] or list(SIZES)
    unknown = [n for n in names if n not in SIZES]
    if unknown:
        print("unknown size: %s (use %s)" % (", ".join(unknown), ", ".join(SIZES)), file=sys.stderr)
        return 2
    os.makedirs(folder, exist_ok=True)
    for name in names:
        make(folder, name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
