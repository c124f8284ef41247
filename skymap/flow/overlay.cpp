#include "skymap/flow/overlay.h"

#include "app/builtin_texts.h"
#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/flow/download_command.h"
#include "catalogue/flow/read_command.h"
#include "core/numbers.h"
#include "core/plate_solution.h"
#include "core/solution_in_force.h"
#include "core/precession.h"
#include "skymap/overlay_geometry.h"

namespace ce {

namespace {

// The drawing's map from the catalogue plane to the image: the refined
// model when there is one.
PlaneToImage solutionInForce(const ReductionState& state)
{
    return [&state](double U, double V) { return planeToImage(state, U, V); };
}

// The refined model as a map of (right ascension, declination) to the image.
PlaneToImage skyOnImage(const TanWcs& wcs)
{
    return [&wcs](double raDeg, double decDeg) { return skyToPixel(wcs, raDeg, decDeg); };
}

Status mapFailure(ReductionController& controller, const QString& reason)
{
    ReductionState& state = controller.state();
    state.mapFailed = true;
    state.mapStatus = mapStates::err();
    const QString message = controller.lang().text(QStringLiteral("map.failed")).arg(reason);
    controller.AddStatus(message);
    return Status::failure(message);
}

}  // namespace

Status runMap(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();
    controller.ensureMarkers();

    state.mapFailed = false;
    const int n = state.mapStatus == mapStates::loading() ? state.starTotal : state.starCount;
    const double half = state.markers.star[0].size / 2.0;
    // The refined model places each star from its catalogue position as
    // read; the plate solution from the catalogue plane, as the matching saw it.
    const StarMarkerLayout layout =
        state.refined ? layoutStarMarkers(skyOnImage(*state.refined), state.starRaDeg, state.starDecDeg, n, half, controller.lang())
                      : layoutStarMarkers(inverseOf(plateSolutionOf(state)), state.starU, state.starV, n, half, controller.lang());
    for (std::size_t i = 0; i < layout.corners.size(); ++i) {
        Marker& marker = state.markers.star[i + 1];
        marker.left = layout.corners[i].left;
        marker.top = layout.corners[i].top;
    }
    view.markersChanged();
    if (layout.failed)
        return mapFailure(controller, layout.error);

    // The cross (and its warning) comes before the markers show, so the
    // user reads the warning over the bare image.
    const Status centre = runPlaceCentre(controller);
    if (!centre)
        return mapFailure(controller, centre.error());

    for (int i = 1; i <= n; ++i)
        state.markers.star[std::size_t(i)].visible = true;
    view.markersChanged();
    state.mapStatus = mapStates::done();
    return succeeded();
}

Status runPlaceCentre(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();

    const Result<FieldCentre> centre = readFieldCentre(view, controller.lang());
    if (!centre)
        return Status::failure(centre.error());

    const double epoch = leadingNumber(view.text(QStringLiteral("txt_epoch")));
    const PrecessionCorrection toJ2000 = PrecessToJ2000(epoch, centre->raDeg, centre->decDeg);
    const Result<CentrePlacement> placement = placeFieldCentre(
        solutionInForce(state), centre->raDeg, centre->decDeg, toJ2000.dRaDeg, toJ2000.dDecDeg,
        state.corrAsd, state.corrDec, view.imageWidth(), view.imageHeight(), controller.lang());
    if (!placement)
        return Status::failure(placement.error());
    if (!placement->placed)
        return succeeded();  // singular plate solution: no cross, no warning

    controller.ensureMarkers();
    state.markers.centre = CentreCross{placement->x, placement->y, true};
    view.markersChanged();
    if (!placement->inside)
        view.showMessage(controller.lang().message(20));
    return succeeded();
}

void runFullMap(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();
    if (!state.solutionAccepted) {
        controller.SetSugestion(QStringLiteral("fullmapannuler"), 0, QStringLiteral("0"),
                                QStringLiteral("0"));
        return;
    }

    const QString missing = state.corrAsd == 0.0   ? QStringLiteral("Corr Asd")
                            : state.corrDec == 0.0 ? QStringLiteral("Corr Dec")
                                                   : QString();
    if (!missing.isEmpty()) {
        // Every star would be drawn on one line far off the image.
        const QString message = controller.lang().message(msg::kFullMapNoScale).arg(missing);
        controller.AddStatus(message);
        view.showMessage(message, QString(), true);
        return;
    }

    const QString magnitude = view.text(QStringLiteral("txt_mag"));
    view.setText(QStringLiteral("txt_mag"), view.text(QStringLiteral("txt_mag2")));
    const Status downloaded = runDownloadData(controller);
    view.setText(QStringLiteral("txt_mag"), magnitude);

    // A failed download keeps the catalogue read for the calculation: the
    // full map draws nothing rather than the same stars again.
    if (!downloaded || !runReadFile(controller))
        return;
    controller.AddStatus(controller.lang().message(10));
    state.mapStatus = mapStates::loading();
    controller.map();
    controller.AddStatus(controller.lang().message(11) + state.mapStatus);
}

}  // namespace ce
