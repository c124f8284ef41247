#include "calibration/flow/calibration_flow.h"

#include "app/flow/reduction_controller.h"

// Placeholder bodies: filled in by the calibration work.
namespace ce {

CalibrationFlow::CalibrationFlow(ReductionController& controller) : controller_(controller) {}

void CalibrationFlow::startEtalonage() {}
void CalibrationFlow::startSuperEtalonage() {}
void CalibrationFlow::BoutonEtalo() {}
void CalibrationFlow::etaloTextChanged(int) {}

}  // namespace ce
