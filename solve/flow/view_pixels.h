#pragma once
// The window's picture as the pixel source of the star refinement and of
// the centroids.

#include "app/flow/reduction_view.h"
#include "solve/star_refine.h"

namespace ce {

class ViewPixels final : public PixelSource {
public:
    explicit ViewPixels(const ReductionView& view) : view_(view) {}
    std::int32_t pixel(int x, int y) const override { return view_.pixel(x, y); }

private:
    const ReductionView& view_;
};

}  // namespace ce
