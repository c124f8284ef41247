#include "app/flow/reduction_controller.h"

// Placeholder bodies: the flows are filled in by the reduction work.
namespace ce {

ReductionController::ReductionController(ReductionView& view, const LanguageTable& lang,
                                         ProgramPaths paths)
    : view_(view), lang_(lang), paths_(std::move(paths))
{
}

void ReductionController::createMarkers() { state_.markers.create(); view_.markersChanged(); }
void ReductionController::AddStatus(const QString& line) { view_.addStatus(line); }
void ReductionController::SetSugestion(const QString&, int, const QString&, const QString&) {}
void ReductionController::Loadimg() {}
void ReductionController::DownloadData() {}
void ReductionController::SelectStar() {}
void ReductionController::startCalcul() {}
void ReductionController::FullMap() {}
void ReductionController::doselect() {}
void ReductionController::READFILE() {}
void ReductionController::Algo() {}
void ReductionController::map() {}
void ReductionController::PlaceCentre() {}
void ReductionController::pointerMove(double x, double y) { pointer_.pointerMove(x, y); }
void ReductionController::click() { pointer_.click(); }
void ReductionController::doubleClick() { pointer_.doubleClick(); }
void ReductionController::zoomMove(double x, double y) { pointer_.zoomMove(x, y); }
void ReductionController::zoomClick() { pointer_.zoomClick(); }
void ReductionController::startEtalonage() { calibration_.startEtalonage(); }
void ReductionController::startSuperEtalonage() { calibration_.startSuperEtalonage(); }
void ReductionController::BoutonEtalo() { calibration_.BoutonEtalo(); }
void ReductionController::etaloTextChanged(int box) { calibration_.etaloTextChanged(box); }
void ReductionController::wizardFinished() {}

}  // namespace ce
