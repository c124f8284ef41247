#pragma once
// Moving a click on the image onto the star the user meant: the brightest
// 7 by 7 window whose centre lies within 3 pixels of the click, or, when a
// saturated star makes several windows equally bright, the centre of that
// star.

#include <cstdint>

namespace ce {

// Read access to the pixels of the image being marked.
class PixelSource {
public:
    virtual ~PixelSource() = default;
    // Packed 24-bit colour of pixel (x, y), blue·65536 + green·256 + red,
    // or −1 for a point outside the picture.
    virtual std::int32_t pixel(int x, int y) const = 0;
};

inline constexpr int kRefineReachPx = 3;   // candidate centres within ±3 of the click
inline constexpr int kRefineHalfWindowPx = 3;  // 7 by 7 window: ±3 around the centre

struct RefinedStar {
    int x = 0;               // refined column, image pixels
    int y = 0;               // refined row, image pixels
    bool moved = false;      // some window summed above 0; false: (x, y) is the click
    bool centroided = false; // tied windows on a flat-topped star: (x, y) is its centroid
};

// refineStarPosition: the brightest window near a click.
// Given:  the image and the click (clickX, clickY) in image pixels.
// Returns: the candidate centre (x, y), x from clickX − 3 to clickX + 3
//          (outer loop), y from clickY − 3 to clickY + 3 (inner loop), whose
//          49 pixel values (x + i, y + j), i, j in −3..3, have the greatest
//          sum.
// Notes:
//  1. Only a strictly greater sum replaces the best so far, which starts at
//     0: among equal sums the first centre in loop order wins. An isolated
//     bright pixel is thus marked 3 pixels left of and above itself.
//  2. When no window sums above 0 (an all-black or off-image neighbourhood)
//     the mark stays at the click and `moved` is false.
//  3. Sums are exact (64-bit); points outside the picture count −1.
//  4. Saturated stars. When several windows share the greatest sum and the
//     star under the click has a flat top (measureCentroid, centroid.h,
//     brightness red + green + blue, seed the click, peak searched within
//     6 px: the reach plus the half window), the mark is that centroid
//     rounded half to even to a whole pixel, and `centroided` is set. A
//     flat top fills the search area, so every window ties and the first
//     in loop order would put the mark 3 px up and left of the click
//     wherever it fell; the centroid does not depend on the click.
//     Isolated bright pixels, separate equal pixels and uniform areas keep
//     the first window in loop order (note 1): they have no flat top, or
//     no star stands above the background.
RefinedStar refineStarPosition(const PixelSource& image, int clickX, int clickY);

}  // namespace ce
