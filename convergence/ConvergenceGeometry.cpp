#include "convergence/ConvergenceGeometry.h"

#include "plot/PageUnits.h"

#include "document/ConvergenceHistory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <tuple>
#include <utility>

namespace {

// Well inside the int range, so adding the plot's offsets (a few thousand units) is safe.
constexpr double PlotLimit = 1e9;

double Limit(double value) {
    if (std::isnan(value)) {
        return 0.0;
    }
    return std::clamp(value, -PlotLimit, PlotLimit);
}

std::string FormatInt(int value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%i", value);
    return buffer;
}

// Smallest and largest finite entry; min > max when there is none.
std::pair<double, double> FiniteRange(const std::vector<double>& values) {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    for (double v : values) {
        if (std::isfinite(v)) {
            low = std::min(low, v);
            high = std::max(high, v);
        }
    }
    return {low, high};
}

// The axis maps bottom to 0 and top to -4000; a range too wide or too narrow for a
// finite, non-zero scale leaves the axis out.
bool AxisScale(double bottom, double top, double& scale) {
    scale = -4000.0 / (top - bottom);
    return std::isfinite(bottom) && std::isfinite(top) && std::isfinite(scale) && scale != 0.0;
}

// Decade ticks k = low ... high. Past MaxAxisTicks the stride goes 2, 5, 10, 20, ... decades,
// so even a range of 1e300 decades costs a few hundred steps, not a hang.
std::vector<PlotTick> DecadeTicks(double low, double high, double bottom, double scale) {
    std::vector<PlotTick> ticks;
    if (!std::isfinite(low) || !std::isfinite(high) || low > high) {
        return ticks;
    }
    double stride = 1.0;
    const double factors[] = {2.0, 2.5, 2.0};
    for (int i = 0;
         std::floor(high / stride) - std::ceil(low / stride) + 1.0 > MaxAxisTicks && i < 3000;
         ++i) {
        stride *= factors[i % 3];
    }
    const double first = std::ceil(low / stride) * stride;
    for (int i = 0; i <= MaxAxisTicks; ++i) {
        const double k = first + i * stride;
        if (k > high) {
            break;
        }
        ticks.push_back({RoundPage((k - bottom) * scale), PowerOfTenText(k)});
    }
    return ticks;
}

} // namespace

double ExactPowerOfTen(double exponent) {
    // Beyond 400 decades a double has long overflowed to inf or reached 0.
    if (exponent > 400.0) {
        return std::numeric_limits<double>::infinity();
    }
    if (exponent < -400.0) {
        return 0.0;
    }
    const int count = static_cast<int>(std::abs(exponent));
    double power = 1.0;
    for (int i = 0; i < count; ++i) {
        power *= 10.0;
    }
    return exponent < 0.0 ? 1.0 / power : power;
}

std::string PowerOfTenText(double exponent) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", ExactPowerOfTen(exponent));
    return buffer;
}

ConvergenceGeometry::ConvergenceGeometry(const ConvergenceHistory& history, double plotWidth,
                                         double plotHeight)
    : misfit_(history.misfit), modelNorm_(history.modelNorm),
      entryCount_(static_cast<int>(std::min<std::size_t>(history.misfit.size(), 1 << 30))),
      width_(Limit(plotWidth)), originY_(TruncPage(plotHeight) + 6000),
      frameRight_(TruncPage(plotWidth)), targetRight_(RoundPage(plotWidth)) {
    step_ = entryCount_ > 0 ? width_ / entryCount_ : 0.0;

    // A misfit of 0 in the file logs to -inf and pulls the stored minimum with it; the
    // axis then spans the finite entries only.
    double low = history.misfitMin;
    double high = history.misfitMax;
    if (!std::isfinite(low) || !std::isfinite(high)) {
        std::tie(low, high) = FiniteRange(misfit_);
    }
    const bool misfitRange = std::isfinite(low) && std::isfinite(high) && low <= high;
    hasTarget_ = misfitRange && history.hasTarget && std::isfinite(history.targetMisfit);
    target_ = history.targetMisfit;
    misfitTop_ = high;
    misfitBottom_ = (hasTarget_ ? std::min(low, target_) : low) - 0.2;
    hasMisfitAxis_ = misfitRange && AxisScale(misfitBottom_, misfitTop_, misfitScale_);
    hasTarget_ = hasTarget_ && hasMisfitAxis_;

    // Without a positive norm the range keeps its initial, inverted 1e50 / -1e50.
    normTop_ = history.normMax;
    normBottom_ = history.normMin - 0.05;
    hasNormAxis_ =
        history.normMin <= history.normMax && AxisScale(normBottom_, normTop_, normScale_);
    firstNormEntry_ = !modelNorm_.empty() && modelNorm_[0] == 0.0 ? 1 : 0;
}

int ConvergenceGeometry::EntryX(int entry) const {
    return RoundPage(entry * step_);
}

std::vector<PlotPoint> ConvergenceGeometry::FramePolyline() const {
    return {{0, -4000}, {0, 0}, {frameRight_, 0}, {frameRight_, -4000}};
}

std::string ConvergenceGeometry::TitleText() const {
    return "Iterations done: " + FormatInt(IterationsDone());
}

PlotPoint ConvergenceGeometry::TitlePosition() const {
    return {TruncPage(width_ * 0.5), -4200};
}

int ConvergenceGeometry::MisfitY(double logValue) const {
    return RoundPage((logValue - misfitBottom_) * misfitScale_);
}

int ConvergenceGeometry::NormY(double logValue) const {
    return RoundPage((logValue - normBottom_) * normScale_);
}

std::vector<CurveRun> ConvergenceGeometry::Runs(const std::vector<double>& values, int first,
                                                bool normAxis) const {
    std::vector<CurveRun> runs;
    const int count =
        std::min(entryCount_, static_cast<int>(std::min<std::size_t>(values.size(), 1 << 30)));
    CurveRun run;
    for (int j = first; j < count; ++j) {
        if (!std::isfinite(values[j])) {
            if (!run.empty()) {
                runs.push_back(std::move(run));
                run.clear();
            }
            continue;
        }
        run.push_back({EntryX(j), normAxis ? NormY(values[j]) : MisfitY(values[j])});
    }
    if (!run.empty()) {
        runs.push_back(std::move(run));
    }
    return runs;
}

std::vector<CurveRun> ConvergenceGeometry::MisfitRuns() const {
    return hasMisfitAxis_ ? Runs(misfit_, 0, false) : std::vector<CurveRun>{};
}

std::vector<PlotTick> ConvergenceGeometry::MisfitTicks() const {
    if (!hasMisfitAxis_) {
        return {};
    }
    return DecadeTicks(std::ceil(misfitBottom_), std::trunc(misfitTop_), misfitBottom_,
                       misfitScale_);
}

int ConvergenceGeometry::TargetY() const {
    return MisfitY(target_);
}

std::string ConvergenceGeometry::TargetText() const {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "Target misfit = %.2f", std::pow(10.0, target_));
    return buffer;
}

PlotPoint ConvergenceGeometry::TargetTextPosition() const {
    return {TruncPage(width_ / 5), TargetY() - 100};
}

std::vector<CurveRun> ConvergenceGeometry::NormRuns() const {
    return hasNormAxis_ ? Runs(modelNorm_, firstNormEntry_, true) : std::vector<CurveRun>{};
}

std::vector<PlotTick> ConvergenceGeometry::NormTicks() const {
    if (!hasNormAxis_) {
        return {};
    }
    return DecadeTicks(std::ceil(normBottom_), std::floor(normTop_), normBottom_, normScale_);
}

int ConvergenceGeometry::NormLabelX() const {
    return TruncPage(width_ + 300);
}

int ConvergenceGeometry::LabelStep() const {
    return std::max(1, IterationsDone() / 5);
}

std::vector<PlotTick> ConvergenceGeometry::IterationLabels() const {
    std::vector<PlotTick> labels;
    const int step = LabelStep();
    for (int i = 1; i < entryCount_; i += step) {
        labels.push_back({EntryX(i), FormatInt(i)});
    }
    return labels;
}
