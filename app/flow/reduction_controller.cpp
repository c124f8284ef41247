#include "app/flow/reduction_controller.h"

#include "app/flow/image_load.h"
#include "app/suggestions.h"
#include "catalogue/flow/download_command.h"
#include "catalogue/flow/read_command.h"
#include "skymap/flow/overlay.h"
#include "solve/flow/auto_run.h"
#include "solve/flow/calculation_run.h"
#include "solve/flow/selection.h"

#include <algorithm>

// The facade: each command lives in its own flow file; this class holds the
// state and forwards.
namespace ce {

ReductionController::ReductionController(ReductionView& view, const LanguageTable& lang,
                                         ProgramPaths paths)
    : view_(view), lang_(lang), paths_(std::move(paths))
{
}

void ReductionController::createMarkers() { state_.markers.create(); view_.markersChanged(); }

void ReductionController::ensureMarkers()
{
    if (!state_.markers.created())
        createMarkers();
}

void ReductionController::AddStatus(const QString& line) { view_.addStatus(line); }

void ReductionController::SetSugestion(const QString& key, int step, const QString& valueA,
                                       const QString& valueB)
{
    view_.setSuggestion(
        ce::SetSugestion(key, std::int16_t(step), valueA, valueB, view_.suggestion(), lang_));
}

void ReductionController::Loadimg() { runLoadimg(*this); }
void ReductionController::DownloadData() { runDownloadData(*this); }
void ReductionController::SelectStar() { runSelectStar(*this); }
void ReductionController::startCalcul() { runStartCalcul(*this); }
void ReductionController::FullMap() { runFullMap(*this); }
void ReductionController::AutoCalcul() { runAutoCalcul(*this); }
void ReductionController::doselect() { runDoselect(*this); }
void ReductionController::READFILE() { runReadFile(*this); }
void ReductionController::Algo() { runAlgo(*this); }
void ReductionController::map() { runMap(*this); }
void ReductionController::PlaceCentre() { runPlaceCentre(*this); }
void ReductionController::pointerMove(double x, double y) { pointer_.pointerMove(x, y); }
void ReductionController::click() { pointer_.click(); }
void ReductionController::doubleClick() { pointer_.doubleClick(); }
void ReductionController::zoomMove(double x, double y) { pointer_.zoomMove(x, y); }
void ReductionController::zoomClick() { pointer_.zoomClick(); }
void ReductionController::startEtalonage() { calibration_.startEtalonage(); }
void ReductionController::startSuperEtalonage() { calibration_.startSuperEtalonage(); }
void ReductionController::BoutonEtalo() { calibration_.BoutonEtalo(); }
void ReductionController::etaloTextChanged(int box) { calibration_.etaloTextChanged(box); }

void ReductionController::withdrawSolution()
{
    state_.solutionAccepted = false;
    state_.refined.reset();
    state_.refinedMeasures.clear();
}

bool ReductionController::askAboutCandidate(const QString& question, const QString& title)
{
    const int marks = std::min<int>(state_.markCount, kClickMarkers);
    if (marks > 0) {
        double left = state_.markX[1], right = left, top = state_.markY[1], bottom = top;
        for (std::size_t i = 2; i <= std::size_t(marks); ++i) {
            left = std::min(left, state_.markX[i]);
            right = std::max(right, state_.markX[i]);
            top = std::min(top, state_.markY[i]);
            bottom = std::max(bottom, state_.markY[i]);
        }
        view_.showImageRegion(left, top, right, bottom);
    }
    return view_.askYesNoAboutImage(question, title);
}

void ReductionController::removeLastMark() { runRemoveLastMark(*this); }

void ReductionController::wizardFinished()
{
    if (state_.WizardStatus == wizardStates::automatic) {
        // The one-click way: nothing is left for a later selection to start.
        state_.WizardStatus = wizardStates::none;
        if (runDownloadData(*this))
            runAutoCalcul(*this);
        return;
    }
    // The assistant's "Terminer": the selection that follows starts the
    // calculation by itself after its fifth star.
    state_.WizardStatus = wizardStates::markFive;
    runDownloadData(*this);
    runSelectStar(*this);
}

}  // namespace ce
