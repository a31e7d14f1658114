#pragma once

#include "document/ConvergenceHistory.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

// A history as the reader leaves it: every misfit logged whatever its value (so the stored
// minimum can become -inf), a norm logged only when positive, ranges over the logged values.
inline ConvergenceHistory MakeHistory(const std::vector<double>& misfits,
                                      const std::vector<double>& norms,
                                      std::optional<double> target = std::nullopt) {
    ConvergenceHistory h;
    for (double m : misfits) {
        h.misfit.push_back(std::log10(m));
        h.misfitMax = h.misfit.back() > h.misfitMax ? h.misfit.back() : h.misfitMax;
        h.misfitMin = h.misfitMin > h.misfit.back() ? h.misfit.back() : h.misfitMin;
    }
    for (double n : norms) {
        h.modelNorm.push_back(n > 0 ? std::log10(n) : n);
        if (n > 0) {
            h.normMax = std::max(h.normMax, h.modelNorm.back());
            h.normMin = std::min(h.normMin, h.modelNorm.back());
        }
    }
    h.hasTarget = target.has_value();
    h.targetMisfit = target ? std::log10(*target) : 0.0;
    return h;
}
