#include "solve/star_refine.h"

#include "core/numbers.h"
#include "solve/centroid.h"

#include <limits>

namespace ce {

namespace {

// The picture seen as brightness when its size is not known: the window
// reads −1 outside the picture, which becomes NaN and is skipped.
class UnboundedBrightness final : public IntensitySource {
public:
    explicit UnboundedBrightness(const PixelSource& pixels) : pixels_(pixels) {}
    int width() const override { return kFarEdge; }
    int height() const override { return kFarEdge; }
    double intensity(int x, int y) const override { return packedColourBrightness(pixels_.pixel(x, y)); }

private:
    static constexpr int kFarEdge = std::numeric_limits<int>::max() / 4;
    const PixelSource& pixels_;
};

}  // namespace

RefinedStar refineStarPosition(const PixelSource& image, int clickX, int clickY)
{
    RefinedStar best{clickX, clickY, false, false};
    std::int64_t bestSum = 0;  // a window must sum above 0 to be taken
    int ties = 0;              // windows sharing bestSum
    for (int x = clickX - kRefineReachPx; x <= clickX + kRefineReachPx; ++x) {
        for (int y = clickY - kRefineReachPx; y <= clickY + kRefineReachPx; ++y) {
            std::int64_t sum = 0;
            for (int i = -kRefineHalfWindowPx; i <= kRefineHalfWindowPx; ++i)
                for (int j = -kRefineHalfWindowPx; j <= kRefineHalfWindowPx; ++j)
                    sum += image.pixel(x + i, y + j);
            if (sum > bestSum) {
                bestSum = sum;
                best = {x, y, true, false};
                ties = 1;
            } else if (sum == bestSum && best.moved) {
                ++ties;
            }
        }
    }
    if (ties < 2) return best;

    // Several windows tie: on a flat-topped star the centroid decides.
    CentroidOptions options;
    options.searchRadiusPx = kRefineReachPx + kRefineHalfWindowPx;
    const Centroid c = measureCentroid(UnboundedBrightness(image), clickX, clickY, options);
    if (!c.found || !c.flatTop || c.truncated) return best;
    return {int(roundHalfEven(c.x)), int(roundHalfEven(c.y)), true, true};
}

}  // namespace ce
