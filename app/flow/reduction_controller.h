#pragma once
// The main window's reduction controller: the reduction state and every
// operation of the main window that works on it. The window forwards its
// events here and shows what the controller asks through ReductionView.

#include "app/flow/reduction_view.h"
#include "app/flow/pointer_flow.h"
#include "app/language_table.h"
#include "calibration/flow/calibration_flow.h"
#include "catalogue/flow/catalogue_download.h"
#include "core/program_paths.h"
#include "core/reduction_state.h"

#include <QString>

namespace ce {

class ReductionController {
public:
    ReductionController(ReductionView& view, const LanguageTable& lang, ProgramPaths paths);
    ReductionController(const ReductionController&) = delete;
    ReductionController& operator=(const ReductionController&) = delete;

    ReductionState& state() { return state_; }
    const ReductionState& state() const { return state_; }
    const LanguageTable& lang() const { return lang_; }
    const ProgramPaths& paths() const { return paths_; }
    ReductionView& view() { return view_; }

    // Start-up: the 4000 catalogue markers and 5 click markers, hidden.
    void createMarkers();
    // The marker tables, created (hidden) if start-up has not done it yet.
    void ensureMarkers();

    // Whether "Oui" is followed by the refined fit (Options menu).
    bool refinementEnabled() const { return refinementEnabled_; }
    void setRefinementEnabled(bool on) { refinementEnabled_ = on; }

    // Time-out and size limit of the catalogue download.
    const DownloadLimits& downloadLimits() const { return downloadLimits_; }
    void setDownloadLimits(const DownloadLimits& limits) { downloadLimits_ = limits; }

    // Status and suggestion services.
    void AddStatus(const QString& line);
    void SetSugestion(const QString& key, int step, const QString& valueA, const QString& valueB);

    // Buttons of the main window.
    void Loadimg();          // "Load" beside "Img:"
    void DownloadData();     // "1-Download"
    void SelectStar();       // "2-Etoiles"
    void startCalcul();      // "3-Calcul"
    void FullMap();          // "4-Full map"
    void AutoCalcul();       // "5-Auto"

    // Public operations of the main window.
    void doselect();
    void READFILE();
    void Algo();
    void map();
    void PlaceCentre();

    // Pointer on the image (image pixels) and on the magnifier (its pixels).
    void pointerMove(double x, double y);
    void click();
    void doubleClick();
    void zoomMove(double x, double y);
    void zoomClick();

    // Calibrations.
    void startEtalonage();          // menu "Etalonage par image"
    void startSuperEtalonage();     // menu "Super Etalonage"
    void BoutonEtalo();             // "Suivant" of the calibration frame
    void etaloTextChanged(int box); // focus moves after two characters

    // Withdraws the accepted solution: clicks, hover and the full map stop
    // using it, as after a matching that found nothing.
    void withdrawSolution();
    // Asks whether the drawn candidate fits the stars, with the five marked
    // stars brought into sight first.
    bool askAboutCandidate(const QString& question, const QString& title);
    // Backspace or a right click while marking: the last mark goes.
    void removeLastMark();

    // Assistant finished. The clicking way (WizardStatus markFive, or none
    // for a caller that skips the assistant): the download, then the star
    // selection, whose fifth star starts "3-Calcul". The automatic way
    // (WizardStatus automatic): the download, then "5-Auto" with its
    // question, only when the download succeeded (a failure has shown its
    // reason already). WizardStatus is none once the automatic run starts.
    void wizardFinished();

private:
    ReductionView& view_;
    const LanguageTable& lang_;
    ProgramPaths paths_;
    ReductionState state_;
    DownloadLimits downloadLimits_;
    bool refinementEnabled_ = true;
    CalibrationFlow calibration_{*this};
    PointerFlow pointer_{*this};
};

}  // namespace ce
