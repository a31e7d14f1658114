#pragma once

#include <string>
#include <vector>

struct ConvergenceHistory;

// A point of the convergence plot in whole logical units, relative to the plot's origin
// (the frame's bottom-left corner), y growing downward.
struct PlotPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PlotPoint&) const = default;
};

// One labelled tick: its position along the axis and its text.
struct PlotTick {
    int position = 0;
    std::string text;
    bool operator==(const PlotTick&) const = default;
};

// Consecutive drawable points of one curve. A curve is split where an entry has no finite
// logarithm, so a gap shows the missing iteration instead of a line across it.
using CurveRun = std::vector<PlotPoint>;

// More ticks than this on one axis are thinned to every 2nd, 5th, 10th, 20th ... decade.
constexpr int MaxAxisTicks = 100;

// Every number the convergence plot puts on the page, derived from the history and the
// section's size. Nothing here paints, so all of it can be checked without a surface.
class ConvergenceGeometry {
public:
    ConvergenceGeometry(const ConvergenceHistory& history, double plotWidth, double plotHeight);

    int EntryCount() const { return entryCount_; }         // n
    int IterationsDone() const { return entryCount_ - 1; } // N
    double Step() const { return step_; }                  // dx = W / n
    int EntryX(int entry) const;                           // round(j * dx)
    int OriginY() const { return originY_; }               // trunc(H) + 6000 on the section
    int FrameRight() const { return frameRight_; }         // trunc(W)
    std::vector<PlotPoint> FramePolyline() const;          // left, bottom and right sides
    std::string TitleText() const;                         // "Iterations done: %i"
    PlotPoint TitlePosition() const;

    // Data misfit, left axis. Absent when no misfit entry is finite.
    bool HasMisfitAxis() const { return hasMisfitAxis_; }
    double MisfitBottom() const { return misfitBottom_; } // L1
    double MisfitScale() const { return misfitScale_; }   // k1
    int MisfitY(double logValue) const;                   // y1
    std::vector<CurveRun> MisfitRuns() const;
    std::vector<PlotTick> MisfitTicks() const;

    // Target line; only with a finite target and a usable misfit axis.
    bool HasTarget() const { return hasTarget_; }
    int TargetY() const;
    int TargetLineRight() const { return targetRight_; } // round(W)
    std::string TargetText() const;                      // "Target misfit = %.2f"
    PlotPoint TargetTextPosition() const;

    // Model norm, right axis. Absent when no norm entry was positive (empty range).
    bool HasNormAxis() const { return hasNormAxis_; }
    double NormBottom() const { return normBottom_; }      // L2
    double NormScale() const { return normScale_; }        // k2
    int NormY(double logValue) const;                      // y2
    int FirstNormEntry() const { return firstNormEntry_; } // 1 when entry 0 is exactly 0
    std::vector<CurveRun> NormRuns() const;
    std::vector<PlotTick> NormTicks() const;
    int NormLabelX() const; // trunc(W + 300)

    // Iterations along the bottom, 1, 1 + step, ... below n.
    int LabelStep() const;
    std::vector<PlotTick> IterationLabels() const;

private:
    std::vector<CurveRun> Runs(const std::vector<double>& values, int first, bool normAxis) const;

    std::vector<double> misfit_;
    std::vector<double> modelNorm_;
    int entryCount_ = 0;
    double width_ = 0.0;
    double step_ = 0.0;
    int originY_ = 0;
    int frameRight_ = 0;
    int targetRight_ = 0;
    bool hasMisfitAxis_ = false;
    double misfitTop_ = 0.0;
    double misfitBottom_ = 0.0;
    double misfitScale_ = 0.0;
    bool hasTarget_ = false;
    double target_ = 0.0;
    bool hasNormAxis_ = false;
    double normTop_ = 0.0;
    double normBottom_ = 0.0;
    double normScale_ = 0.0;
    int firstNormEntry_ = 0;
};

// 10^k by repeated multiplication (the reciprocal for negative k), so decades print exactly.
double ExactPowerOfTen(double exponent);
// "%g" of ExactPowerOfTen(exponent): "0.01", "10", "1e+06".
std::string PowerOfTenText(double exponent);
