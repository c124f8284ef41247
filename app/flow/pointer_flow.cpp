#include "app/flow/pointer_flow.h"

#include "app/flow/reduction_controller.h"

// Placeholder bodies: filled in by the pointer work.
namespace ce {

PointerFlow::PointerFlow(ReductionController& controller) : controller_(controller) {}

void PointerFlow::pointerMove(double, double) {}
void PointerFlow::click() {}
void PointerFlow::doubleClick() {}
void PointerFlow::zoomMove(double, double) {}
void PointerFlow::zoomClick() {}

}  // namespace ce
