#pragma once
// Pointer events on the image and on the magnifier, dispatched by the
// interaction mode: magnifier, star marking, hover information, the sky
// position of a click, the object details of a double-clicked star, and the
// click markers of the super calibration.

namespace ce {

class ReductionController;

class PointerFlow {
public:
    explicit PointerFlow(ReductionController& controller);

    void pointerMove(double x, double y);  // image pixels
    void click();
    void doubleClick();
    void zoomMove(double x, double y);     // magnifier pixels
    void zoomClick();

private:
    ReductionController& controller_;
};

}  // namespace ce
