#include "solve/star_refine.h"

namespace ce {

RefinedStar refineStarPosition(const PixelSource& image, int clickX, int clickY)
{
    RefinedStar best{clickX, clickY, false};
    std::int64_t bestSum = 0;  // a window must sum above 0 to be taken
    for (int x = clickX - kRefineReachPx; x <= clickX + kRefineReachPx; ++x) {
        for (int y = clickY - kRefineReachPx; y <= clickY + kRefineReachPx; ++y) {
            std::int64_t sum = 0;
            for (int i = -kRefineHalfWindowPx; i <= kRefineHalfWindowPx; ++i)
                for (int j = -kRefineHalfWindowPx; j <= kRefineHalfWindowPx; ++j)
                    sum += image.pixel(x + i, y + j);
            if (sum > bestSum) {
                bestSum = sum;
                best = {x, y, true};
            }
        }
    }
    return best;
}

}  // namespace ce
