#pragma once
// Pointer events on the image and on the magnifier, dispatched by the
// interaction mode: magnifier, star marking, hover information, the sky
// position of a click, the object details of a double-clicked star, and the
// click markers of the super calibration.
//
// What each event does, by mode (any mode not named falls in the last row):
//
//   mode               move                       click                 double click
//   "select","etalo"   magnifier                  doselect              details if overlay done
//   "coor"             hover if overlay done,     sky position report   details
//                      else hide magnifier
//   "superetalo"       hover (and fill)           click marker if flag  details if overlay done
//   other              hover if overlay done,     click marker if flag  details if overlay done
//                      else hide magnifier
//
// Only visible catalogue markers are pointed at: a hidden marker keeps the
// position of an earlier drawing, which no longer belongs to its star.

#include "core/tangent_plane.h"

#include <cstdint>

namespace ce {

class ReductionController;
struct ReductionState;

class PointerFlow {
public:
    explicit PointerFlow(ReductionController& controller);

    void pointerMove(double x, double y);  // image pixels
    void click();
    void doubleClick();
    void zoomMove(double x, double y);     // magnifier pixels
    void zoomClick();

    // Redraws the magnifier around clickX, clickY and remembers where its
    // top-left corner now stands (clickX - 50, clickY - 50), which a pointer
    // move over the magnifier starts from.
    void dozoom();

private:
    // The scale factors when both can be divided by; otherwise false, after
    // posting the status line that names the missing one when `report`.
    bool scaleUsable(bool report);
    void hover(double x, double y);
    void fillFromStar(int star);
    // A catalogue star's position, degrees, J2000.0: as the catalogue gives
    // it when the solution is refined, else from the catalogue plane (whole
    // pixels), as the three-star solution saw it.
    SkyPoint catalogueSky(int star) const;
    void reportClick();
    void placeClickMarker();
    // Catalogue markers that can be pointed at: 1..last, visible only.
    int lastStarMarker() const;

    ReductionController& controller_;
    ReductionState& state_;
    // Top-left corner of the magnifier as the last dozoom placed it.
    bool zoomPlaced_ = false;
    int zoomLeftPx_ = 0;
    int zoomTopPx_ = 0;
    // The pointer rests on markers whose data cannot be shown and this has
    // been said already: the status line comes once as the pointer arrives,
    // not at every move over the same marker.
    bool scaleWarnedOnHover_ = false;
};

}  // namespace ce
