#pragma once

#include <vector>

// The inversion's convergence: one entry per iteration row, as base-10 logarithms.
struct ConvergenceHistory {
    std::vector<double> misfit;
    std::vector<double> modelNorm; // log10 where the norm read was above 0, else as read
    double misfitMax = -1e50;
    double misfitMin = 1e50;
    double normMax = -1e50; // over the logged norms only
    double normMin = 1e50;
    double targetMisfit = 0.0; // log10 of the target misfit
    bool hasTarget = false;
};
