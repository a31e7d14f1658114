#!/usr/bin/env python3
"""What a user would otherwise do: read the mesh and the conductivity model with
numpy and draw the section with matplotlib's pcolormesh (true aspect, colour bar,
labels) into a 1600 x 1200 PNG. The benchmark times this whole process against
korvex-render's.

usage: reference_pcolormesh.py MESH MODEL OUTPUT.png
"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402  (after the back end is chosen)
import numpy as np  # noqa: E402


def read_axis(tokens, at):
    """Nodes of one mesh axis from its segments; returns (nodes, next token index)."""
    segments = int(tokens[at])
    start = float(tokens[at + 1])
    parts = [np.array([start])]
    at += 2
    for _ in range(segments):
        end, cells = float(tokens[at]), int(tokens[at + 1])
        at += 2
        parts.append(start + (end - start) / cells * np.arange(1, cells + 1))
        start = end
    return np.concatenate(parts), at


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    mesh_name, model_name, output = argv[1:]
    with open(mesh_name) as mesh_file:
        tokens = mesh_file.read().split()
    x_nodes, at = read_axis(tokens, 0)
    z_nodes, _ = read_axis(tokens, at)

    data = np.fromfile(model_name, sep=" ")
    nx, nz = int(data[0]), int(data[1])
    model = data[2 : 2 + nx * nz].reshape(nz, nx)
    resistivity = np.log10(1.0 / model)

    fig, ax = plt.subplots(figsize=(16, 12), dpi=100)
    mesh = ax.pcolormesh(x_nodes, z_nodes, resistivity, cmap="jet_r", shading="flat")
    ax.set_aspect("equal")
    ax.invert_yaxis()
    ax.set_xlabel("X (m)")
    ax.set_ylabel("Depth (m)")
    ax.set_title("Log Resistivity Model")
    bar = fig.colorbar(mesh, ax=ax, shrink=0.6)
    bar.set_label("Log ohm-m")
    fig.savefig(output, dpi=100)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
