#!/usr/bin/env python3
"""Writes the bundled example data set: a 60 x 25 cell DC conductivity model and an
IP chargeability model on the same mesh (padding cells at both sides and the bottom),
the mesh file, an output file with the convergence history of each inversion, a
second DC model recovered with another reference model and the cell sensitivities
(for the depth of investigation), and a weight file.

Run from anywhere: python3 examples/make_examples.py
"""
import math
import os

HERE = os.path.dirname(os.path.abspath(__file__))

# x: 5 growing padding cells each side of 50 core cells of 10 m (0 .. 500 m).
LEFT_PAD = [-220.0, -140.0, -80.0, -40.0, -15.0]
RIGHT_PAD = [515.0, 540.0, 580.0, 640.0, 720.0]
# depth: 10 cells of 4 m, 10 of 6 m, then 5 growing padding cells.
BOTTOM_PAD = [120.0, 140.0, 170.0, 215.0, 280.0]


def mesh_text():
    x_segments = [(LEFT_PAD[0], LEFT_PAD[1], 1)]
    x_segments += [(None, end, 1) for end in LEFT_PAD[2:]]
    x_segments += [(None, 0.0, 1), (None, 500.0, 50)]
    x_segments += [(None, end, 1) for end in RIGHT_PAD]
    z_segments = [(0.0, 40.0, 10), (None, 100.0, 10)]
    z_segments += [(None, end, 1) for end in BOTTOM_PAD]

    def axis(segments):
        lines = [str(len(segments))]
        start, end, cells = segments[0]
        lines.append(f"{start:g} {end:g} {cells}")
        lines += [f"{end:g} {cells}" for _, end, cells in segments[1:]]
        return lines

    return "\n".join(axis(x_segments) + axis(z_segments)) + "\n"


def nodes():
    xs = LEFT_PAD + [0.0] + [10.0 * i for i in range(1, 51)] + RIGHT_PAD
    zs = [4.0 * i for i in range(11)] + [40.0 + 6.0 * i for i in range(1, 11)] + BOTTOM_PAD
    return xs, zs


def centres(n):
    return [(a + b) / 2 for a, b in zip(n, n[1:])]


def smooth_step(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


def conductivity(x, z):
    """Log10 conductivity: 100 ohm-m ground, a resistive layer, a conductive body."""
    log_c = -2.0 + 0.15 * math.sin(x / 90.0)
    # resistive layer (about 800 ohm-m) from 8 to 24 m, thinning to the right
    top, bottom = 8.0, 24.0 - 0.012 * x
    inside = smooth_step((z - top) / 3.0) * smooth_step((bottom - z) / 3.0)
    log_c -= 0.9 * inside
    # conductive body (about 5 ohm-m) centred at x = 310 m, 55 m deep
    r = math.hypot((x - 310.0) / 45.0, (z - 55.0) / 18.0)
    log_c += 1.3 * (1 - smooth_step(r - 0.4))
    return 10 ** log_c


def chargeability(x, z):
    """Chargeability in mV/V: a weak background and the polarisable body."""
    r = math.hypot((x - 300.0) / 50.0, (z - 58.0) / 20.0)
    return 4.0 + 0.02 * z + 38.0 * (1 - smooth_step(r - 0.3))


def resolution(x, z):
    """How strongly the data constrain a cell: 1 near the surface over the survey line,
    falling off with depth and outside the electrodes' reach."""
    outside = max(0.0, -x, x - 500.0)
    return math.exp(-z / 130.0) * math.exp(-outside / 150.0)


def second_reference_model(x, z):
    """A second inversion of the same data, with a reference model of 0.001 S/m: where
    the data say little, the model goes back to its own reference."""
    w = resolution(x, z)
    return 10 ** (w * math.log10(conductivity(x, z)) + (1 - w) * -3.0)


def sensitivity(x, z):
    return 10 ** (-2.0 + 5.0 * math.log10(max(resolution(x, z), 1e-6)) / 6.0)


def weights_text():
    """Cell weights of 1; X weights of 0.2 across a vertical fault at x = 200 m between
    20 and 70 m deep; Z weights of 4 along the top of the resistive layer at 8 m."""
    xs, zs = nodes()
    nx, nz = len(xs) - 1, len(zs) - 1
    lines = [f"{nx} {nz}"]
    lines += [" ".join(["1"] * nx) for _ in range(nz)]
    for k in range(nz):
        top, bottom = zs[k], zs[k + 1]
        row = ["0.2" if xs[j + 1] == 200.0 and top >= 20.0 and bottom <= 70.0 else "1"
               for j in range(nx - 1)]
        lines.append(" ".join(row))
    for k in range(nz - 1):
        row = ["4" if zs[k + 1] == 8.0 and 0.0 <= xs[j] < 500.0 else "1" for j in range(nx)]
        lines.append(" ".join(row))
    return "\n".join(lines) + "\n"


def model_text(value, fmt):
    xs, zs = nodes()
    rows = [" ".join(fmt % value(x, z) for x in centres(xs)) for z in centres(zs)]
    return f"{len(xs) - 1} {len(zs) - 1}\n" + "\n".join(rows) + "\n"


def output_text(start_misfit, target, norms):
    lines = [f"{len(norms) - 1}    iterations done; columns: iter  misfit  model-norm  beta"]
    misfit = start_misfit
    for i, norm in enumerate(norms):
        beta = 1000.0 / (2 ** i)
        lines.append(f"{i:3d}  {misfit:12.5e}  {norm:12.5e}  {beta:10.4e}")
        misfit = target + (misfit - target) * 0.42
    lines.append(f"{target:.1f}  target")
    return "\n".join(lines) + "\n"


def write(name, text):
    with open(os.path.join(HERE, name), "w", newline="\n") as f:
        f.write(text)


def main():
    write("survey.msh", mesh_text())
    write("ohmsolv.con", model_text(conductivity, "%.5e"))
    write("polsolv.chg", model_text(chargeability, "%.4f"))
    dc_norms = [0.0, 35.2, 96.7, 171.3, 240.9, 297.5, 336.1, 360.4, 372.8, 378.0, 380.2]
    ip_norms = [0.0, 12.4, 40.3, 77.5, 104.8, 121.1, 129.6, 133.2, 134.5, 135.0]
    write("ohmsolv.out", output_text(18650.0, 612.0, dc_norms))
    write("polsolv.out", output_text(4120.0, 612.0, ip_norms))
    write("ohmsolv_ref2.con", model_text(second_reference_model, "%.5e"))
    write("sensitivity.txt", model_text(sensitivity, "%.5e"))
    write("ohmsolv.wts", weights_text())


if __name__ == "__main__":
    main()
