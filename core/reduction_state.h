#pragma once
// The one record of the reduction in progress.
//
// The main window's controller owns exactly one instance for its whole life;
// every step of a reduction reads and writes it, none works on a copy. The
// entry fields (field centre, epoch, scale factor texts, ...) are not here:
// they stay texts in the window and are read when a command runs.
//
// Tables keep the slot numbering of the reduction: slot 0 is never used by
// the catalogue or the marked stars, slots run 1..capacity.

#include "core/tangent_plane.h"

#include <QString>

#include <array>
#include <optional>
#include <cstdint>
#include <vector>

namespace ce {

inline constexpr int kCatalogueSlots = 4000;     // most catalogue lines read
inline constexpr int kMatchingStarLimit = 497;   // most stars offered to the matching
inline constexpr int kMarkSlots = 10;            // marked image stars
inline constexpr int kDistanceTableSize = 500;   // catalogue distance table, 1..500
inline constexpr int kClickMarkers = 5;          // click markers 1..5
inline constexpr int kStarMarkerSize = 8;        // catalogue marker, pixels across
inline constexpr int kClickMarkerSize = 16;      // click marker, pixels across

// One marker drawn over the image: top-left corner in image pixels (single
// precision, as the overlay hands them over), square size, visibility.
struct Marker {
    float left = 0.0f;
    float top = 0.0f;
    int size = 0;
    bool visible = false;
};

// The field-centre cross: two bars of 16 pixels centred on (x, y).
struct CentreCross {
    double x = 0.0;
    double y = 0.0;
    bool visible = false;
};

// Marker tables, created once at start-up and only moved, shown and hidden
// afterwards. Element 0 of each table is the template that gives the size.
struct MarkerTables {
    std::vector<Marker> star;   // 0..4000 once created
    std::vector<Marker> click;  // 0..5 once created
    CentreCross centre;

    bool created() const { return !star.empty(); }
    void create();              // elements 1..4000 and 1..5, hidden
    void hideStars();           // star markers 1..4000
    void hideClicks();          // click markers 1..5
};

// The values of ReductionState::mode, the interaction mode of the image
// (functions rather than constants, so that no QString is built before main):
//   select      the five reference stars are being marked
//   marked      ("0") the five reference stars are marked
//   coor        a solution is accepted; clicks report sky positions
//   etalo       calibration by image: clicks mark the calibration stars
//   done        the calibration clicks are over
//   superetalo  calibration from the identified catalogue stars
namespace modes {
inline QString select() { return QStringLiteral("select"); }
inline QString marked() { return QStringLiteral("0"); }
inline QString coor() { return QStringLiteral("coor"); }
inline QString etalo() { return QStringLiteral("etalo"); }
inline QString done() { return QStringLiteral("done"); }
inline QString superetalo() { return QStringLiteral("superetalo"); }
}  // namespace modes

// The values of ReductionState::mapStatus, empty before the first map:
// loading (full map under way), done (markers placed), err (a position
// could not be placed).
namespace mapStates {
inline QString loading() { return QStringLiteral("loading"); }
inline QString done() { return QStringLiteral("done"); }
inline QString err() { return QStringLiteral("err"); }
}  // namespace mapStates

// A catalogue star as the refined fit measured it on the image.
struct RefinedStarMeasure {
    int slot = 0;                 // catalogue slot, 1..starTotal
    double measuredX = 0.0;       // centroid, image pixels
    double measuredY = 0.0;
    double residualPx = 0.0;      // |measured − predicted by the fit|, pixels
    double residualArcsec = 0.0;  // catalogue position to the centroid's sky position
    bool used = false;            // false: rejected as an outlier
};

// The values of ReductionState::WizardStatus: what the assistant's
// "Terminer" left for the main window to do.
namespace wizardStates {
// Nothing: the assistant is open, was closed unfinished, or its reduction
// has started.
inline constexpr std::int16_t none = 0;
// Five stars to be clicked; the fifth starts "3-Calcul".
inline constexpr std::int16_t markFive = 1;
// The stars found by the program: "5-Auto" right after the download.
inline constexpr std::int16_t automatic = 2;
}  // namespace wizardStates

struct ReductionState {
    // Scale factors, pixels per degree, set at each calculation run.
    double corrAsd = 0.0;
    double corrDec = 0.0;

    // Catalogue star table, slots 0..4000 (slot 0 unused).
    std::int16_t starTotal = 0;
    std::int16_t starCount = 0;
    std::array<QString, kCatalogueSlots + 1> starId{};
    std::array<double, kCatalogueSlots + 1> starU{};
    std::array<double, kCatalogueSlots + 1> starV{};
    std::array<QString, kCatalogueSlots + 1> starMagR{};
    std::array<QString, kCatalogueSlots + 1> starMagB{};
    // The same stars' positions as the catalogue gives them, degrees,
    // J2000.0. starU and starV are rounded to whole plane units (a pixel);
    // the refined solution, good to a fraction of a pixel, works on these.
    std::array<double, kCatalogueSlots + 1> starRaDeg{};
    std::array<double, kCatalogueSlots + 1> starDecDeg{};

    // Marked image stars, slots 0..10 (slot 0 unused).
    std::int16_t markCount = 0;
    std::array<double, kMarkSlots + 1> markX{};
    std::array<double, kMarkSlots + 1> markY{};
    std::int16_t clickX = 0;
    std::int16_t clickY = 0;
    bool starsSelected = false;

    // Matching: what survives a run.
    double tolerance = 0.0;
    std::int16_t solutionCount = 0;

    // Plate solution: U = A x + B y + C, V = D x + E y + F.
    double plateA = 0.0, plateB = 0.0, plateC = 0.0;
    double plateD = 0.0, plateE = 0.0, plateF = 0.0;

    // The refined solution of the accepted candidate, when the fit to the
    // measured catalogue stars succeeded: it replaces the plate solution for
    // every position drawn or reported (core/solution_in_force.h). Cleared
    // whenever a new matching starts or the solution is withdrawn.
    std::optional<TanWcs> refined;
    int refinedStars = 0;          // stars used by the fit
    double refinedRmsPx = 0.0;     // their rms residual, pixels
    double refinedRmsArcsec = 0.0; // the same, arcseconds
    // Every star the fit measured, used or rejected, by catalogue slot;
    // empty whenever `refined` is.
    std::vector<RefinedStarMeasure> refinedMeasures;

    // Flags and modes.
    bool solutionAccepted = false;
    bool mapFailed = false;
    QString mapStatus;          // "" or one of mapStates
    bool imageLoaded = false;
    std::int16_t etaloStep = 0;
    QString mode;               // "" or one of modes
    std::int16_t fillFromIdentification = 0;
    std::int16_t WizardStatus = wizardStates::none;
    std::int16_t ConfigStatus = 0;

    // Calibration stars, slots 0..3 (slot 0 unused), and the solver's terms.
    std::array<std::int16_t, 4> etaloX{};
    std::array<std::int16_t, 4> etaloY{};
    std::array<double, 4> etaloRA{};
    std::array<double, 4> etaloDec{};
    double P12 = 0.0, P13 = 0.0, A0 = 0.0, A1 = 0.0, A2 = 0.0, A3 = 0.0;

    MarkerTables markers;
};

}  // namespace ce
