#include "solve/flow/selection.h"

#include "app/builtin_texts.h"
#include "app/flow/reduction_controller.h"
#include "core/numbers.h"
#include "solve/matching.h"
#include "solve/flow/view_pixels.h"
#include "solve/star_refine.h"

namespace ce {

void runSelectStar(ReductionController& controller)
{
    ReductionState& state = controller.state();
    controller.Loadimg();
    controller.SetSugestion(QStringLiteral("selectstar"), 1, QStringLiteral("0"),
                            QStringLiteral("0"));
    if (!state.imageLoaded) {
        controller.SetSugestion(QStringLiteral("selectstar"), 2, QStringLiteral("0"),
                                QStringLiteral("0"));
        return;
    }
    state.mode = modes::select();
    state.markCount = 0;
    controller.ensureMarkers();
    state.markers.hideClicks();
    // The circles of an earlier solution would be taken for stars to click.
    state.markers.hideStars();
    controller.view().markersChanged();
    controller.view().setVisible(QStringLiteral("zoom"), true);
}

void runDoselect(ReductionController& controller)
{
    ReductionState& state = controller.state();
    ReductionView& view = controller.view();

    // In a calibration the step chooses the slot; otherwise the next one.
    const bool calibrating = state.mode == modes::etalo();
    const int slot = (calibrating ? state.etaloStep - 1 : state.markCount) + 1;
    if (slot < 1 || slot > kMarkSlots)
        return;  // no slot for this click: nothing changes
    // Only the calibration's own clicks end its marking: a step left at 3 by
    // an abandoned calibration must not end a later selection.
    if (calibrating && state.etaloStep == 3)
        state.mode = modes::done();

    const RefinedStar refined = refineStarPosition(ViewPixels(view), state.clickX, state.clickY);
    state.clickX = std::int16_t(refined.x);
    state.clickY = std::int16_t(refined.y);

    state.markCount = std::int16_t(slot);
    state.markX[std::size_t(slot)] = state.clickX;
    state.markY[std::size_t(slot)] = state.clickY;
    view.setText(QStringLiteral("Etalo_0"), formatWhole(state.clickX));
    view.setText(QStringLiteral("Etalo_1"), formatWhole(state.clickY));

    if (slot <= kClickMarkers) {
        controller.ensureMarkers();
        Marker& marker = state.markers.click[std::size_t(slot)];
        const float half = float(state.markers.click[0].size) / 2.0f;
        marker.left = float(state.clickX) - half;
        marker.top = float(state.clickY) - half;
        marker.visible = true;
        view.markersChanged();
    }
    if (!calibrating && slot <= kReferenceStars)
        controller.AddStatus(controller.lang().message(msg::kMarkCount).arg(formatWhole(slot)));

    if (slot == kReferenceStars && !calibrating) {
        view.setVisible(QStringLiteral("zoom"), false);
        state.mode = modes::marked();
        state.starsSelected = true;
        if (state.WizardStatus == wizardStates::markFive) {
            controller.startCalcul();
            state.WizardStatus = wizardStates::none;
        }
    }
}

void runRemoveLastMark(ReductionController& controller)
{
    ReductionState& state = controller.state();
    const bool marking = state.mode == modes::select() || state.mode == modes::marked();
    if (!marking || state.markCount < 1)
        return;
    const int slot = state.markCount;
    if (slot <= kClickMarkers && std::size_t(slot) < state.markers.click.size())
        state.markers.click[std::size_t(slot)].visible = false;
    state.markCount = std::int16_t(slot - 1);
    if (state.mode == modes::marked()) {
        // The fifth star went: the selection is open again.
        state.mode = modes::select();
        state.starsSelected = false;
        controller.view().setVisible(QStringLiteral("zoom"), true);
    }
    controller.view().markersChanged();
    controller.AddStatus(
        controller.lang().message(msg::kMarkRemoved).arg(formatWhole(state.markCount)));
}

}  // namespace ce
