#include "solve/region_labelling.h"

#include <algorithm>
#include <utility>

namespace ce {

namespace {

bool before(int ax, int ay, int bx, int by) { return ay < by || (ay == by && ax < bx); }

// `from` joins `into`: one region made of both.
void merge(PixelRegion& into, const PixelRegion& from)
{
    into.area += from.area;
    if (before(from.firstX, from.firstY, into.firstX, into.firstY)) {
        into.firstX = from.firstX;
        into.firstY = from.firstY;
    }
    if (from.peak > into.peak ||
        (from.peak == into.peak && before(from.peakX, from.peakY, into.peakX, into.peakY))) {
        into.peak = from.peak;
        into.peakX = from.peakX;
        into.peakY = from.peakY;
    }
    into.minX = std::min(into.minX, from.minX);
    into.maxX = std::max(into.maxX, from.maxX);
    into.minY = std::min(into.minY, from.minY);
    into.maxY = std::max(into.maxY, from.maxY);
    into.touchesBorder = into.touchesBorder || from.touchesBorder;
    into.sumValue += from.sumValue;
    into.sumX += from.sumX;
    into.sumY += from.sumY;
    into.sumXX += from.sumXX;
    into.sumYY += from.sumYY;
    into.sumXY += from.sumXY;
}

}  // namespace

RegionLabeller::RegionLabeller(int width, int height, RegionSink onRegion)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), onRegion_(std::move(onRegion))
{
}

int RegionLabeller::find(int label)
{
    while (parent_[std::size_t(label)] != label) {
        // Halving the path keeps later look-ups short.
        parent_[std::size_t(label)] = parent_[std::size_t(parent_[std::size_t(label)])];
        label = parent_[std::size_t(label)];
    }
    return label;
}

int RegionLabeller::join(int a, int b)
{
    const int ra = find(a);
    const int rb = find(b);
    if (ra == rb) return ra;
    merge(regions_[std::size_t(ra)], regions_[std::size_t(rb)]);
    parent_[std::size_t(rb)] = ra;
    return ra;
}

int RegionLabeller::newLabel()
{
    int label = 0;
    if (!free_.empty()) {
        label = free_.back();
        free_.pop_back();
    } else {
        label = int(regions_.size());
        regions_.emplace_back();
        parent_.push_back(0);
        seenInRow_.push_back(0);
    }
    parent_[std::size_t(label)] = label;
    seenInRow_[std::size_t(label)] = 0;
    touched_.push_back(label);
    return label;
}

void RegionLabeller::addRow(const float* values)
{
    const int y = y_;
    const bool edgeRow = y == 0 || y == height_ - 1;
    current_.clear();
    std::size_t j = 0;  // the first run above that may touch the next run here
    for (int x = 0; x < width_;) {
        if (values[x] == kOutside) {
            ++x;
            continue;
        }
        const int label = newLabel();
        PixelRegion& r = regions_[std::size_t(label)];
        r = PixelRegion{};
        r.firstX = r.peakX = r.minX = x;
        r.firstY = r.peakY = r.minY = r.maxY = y;
        r.peak = values[x];
        const int x0 = x;
        for (; x < width_ && values[x] != kOutside; ++x) {
            const float v = values[x];
            if (v > r.peak) {
                r.peak = v;
                r.peakX = x;
            }
            r.sumValue += v;
            r.sumX += x;
            r.sumXX += double(x) * x;
        }
        const int x1 = x - 1;
        r.area = x1 - x0 + 1;
        r.maxX = x1;
        r.sumY = double(y) * r.area;
        r.sumYY = double(y) * y * r.area;
        r.sumXY = double(y) * r.sumX;
        r.touchesBorder = edgeRow || x0 == 0 || x1 == width_ - 1;

        // 8-connected: a run above touches this one when their columns
        // overlap or meet at a corner.
        while (j < above_.size() && above_[j].x1 < x0 - 1) ++j;
        int joined = label;
        for (std::size_t k = j; k < above_.size() && above_[k].x0 <= x1 + 1; ++k)
            joined = join(joined, above_[k].label);
        current_.push_back({x0, x1, joined});
    }
    closeRow();
    above_.swap(current_);
    ++y_;
}

void RegionLabeller::closeRow()
{
    // The runs of this row now name their region's root; every other label
    // of the two rows is either joined into a root (no run refers to it any
    // more) or a region that this row does not reach (finished).
    const int stamp = y_ + 1;
    for (Run& run : current_) {
        run.label = find(run.label);
        seenInRow_[std::size_t(run.label)] = stamp;
    }
    std::vector<int> stillOpen;
    for (const int label : touched_) {
        if (seenInRow_[std::size_t(label)] == stamp) {
            if (parent_[std::size_t(label)] == label) {
                stillOpen.push_back(label);
                seenInRow_[std::size_t(label)] = -stamp;  // listed once
            }
            continue;
        }
        if (seenInRow_[std::size_t(label)] == -stamp) continue;
        if (parent_[std::size_t(label)] == label) onRegion_(regions_[std::size_t(label)]);
        seenInRow_[std::size_t(label)] = -stamp;
        free_.push_back(label);
    }
    touched_.swap(stillOpen);
}

void RegionLabeller::finish()
{
    current_.clear();
    closeRow();
    above_.clear();
}

}  // namespace ce
