#include "app/flow/pointer_flow.h"

#include "app/flow/reduction_controller.h"
#include "app/pointer_texts.h"
#include "catalogue/catalogue_reader.h"
#include "core/textfile.h"
#include "core/numbers.h"
#include "core/plate_solution.h"
#include "core/solution_in_force.h"
#include "core/precession.h"
#include "skymap/object_report.h"

#include <algorithm>

namespace ce {
namespace {

// What the catalogue keeps about a Gaia star beyond the 14 columns of its
// identifier (its whole source_id); empty for any other star.
QString catalogueNote(const QString& catalogueFile, const QString& identifier, const TextLookup& lang)
{
    if (!identifier.startsWith(u"DR3 "))
        return QString();
    const Result<QByteArray> bytes = readFileBytes(catalogueFile, lang);
    return bytes ? catalogueRecordNote(*bytes, identifier) : QString();
}

constexpr int kZoomCentrePx = 50;  // the magnifier's point (50, 50) lies on clickX, clickY

// Rounds a pointer coordinate to the whole pixel kept in clickX / clickY
// (half to even); a coordinate beyond the 16-bit range keeps the old value.
void storeWholePixel(std::int16_t& target, double valuePx)
{
    const std::optional<std::int16_t> whole = toInt16(valuePx);
    if (whole) target = *whole;
}

}  // namespace

PointerFlow::PointerFlow(ReductionController& controller)
    : controller_(controller), state_(controller.state())
{
}

int PointerFlow::lastStarMarker() const
{
    const int created = static_cast<int>(state_.markers.star.size()) - 1;
    return std::min<int>(state_.starTotal, created);
}

bool PointerFlow::scaleUsable(bool report)
{
    const QString missing = missingScaleMessage(state_.corrAsd, state_.corrDec,
                                                controller_.lang().text(QStringLiteral("calib.scalemissing")));
    if (missing.isEmpty()) return true;
    if (report) controller_.AddStatus(missing);
    return false;
}

void PointerFlow::dozoom()
{
    zoomPlaced_ = true;
    zoomLeftPx_ = state_.clickX - kZoomCentrePx;
    zoomTopPx_ = state_.clickY - kZoomCentrePx;
    controller_.view().redrawZoom();
}

void PointerFlow::pointerMove(double x, double y)
{
    storeWholePixel(state_.clickX, x);
    storeWholePixel(state_.clickY, y);

    if (state_.mode == modes::select() || state_.mode == modes::etalo()) {
        dozoom();
        return;
    }
    if (state_.mapStatus != mapStates::done() && state_.mode != modes::superetalo()) {
        controller_.view().setVisible(QStringLiteral("zoom"), false);
        return;
    }
    hover(x, y);
}

void PointerFlow::hover(double x, double y)
{
    // Every hovered marker is handled in table order, so the last one wins.
    bool skipped = false;
    const int last = lastStarMarker();
    for (int i = 1; i <= last; ++i) {
        const Marker& marker = state_.markers.star[static_cast<std::size_t>(i)];
        if (!marker.visible || !inHoverBox(marker, x, y)) continue;
        if (!scaleUsable(false)) {
            skipped = true;
            continue;
        }
        const auto slot = static_cast<std::size_t>(i);
        // Positions to a hundredth of a second, as the catalogue gives them,
        // when the solution is refined.
        const SkyPoint sky = catalogueSky(i);
        const auto info = state_.refined ? fineHoverInfoText : hoverInfoText;
        controller_.view().setInfo(info(state_.starId[slot], state_.starMagR[slot],
                                        state_.starMagB[slot], sky.raDeg, sky.decDeg));
        if (state_.fillFromIdentification == 1) fillFromStar(i);
    }

    if (skipped && !scaleWarnedOnHover_) scaleUsable(true);
    scaleWarnedOnHover_ = skipped;
}

SkyPoint PointerFlow::catalogueSky(int star) const
{
    const auto slot = static_cast<std::size_t>(star);
    if (state_.refined) return {state_.starRaDeg[slot], state_.starDecDeg[slot]};
    return {state_.starU[slot] / state_.corrAsd, state_.starV[slot] / state_.corrDec};
}

void PointerFlow::fillFromStar(int star)
{
    const auto slot = static_cast<std::size_t>(star);
    const Marker& marker = state_.markers.star[slot];
    const float half = static_cast<float>(marker.size) / 2.0f;
    const float centreX = marker.left + half;
    const float centreY = marker.top + half;

    // The boxes hold "." in any locale: their change handling turns a comma into a point.
    const SkyPoint sky = catalogueSky(star);
    const CalibrationFill fill = calibrationFill(centreX, centreY, sky.raDeg, sky.decDeg, u'.');
    ReductionView& view = controller_.view();
    for (std::size_t box = 0; box < fill.boxes.size(); ++box)
        view.setText(QStringLiteral("Etalo_%1").arg(box), fill.boxes[box]);
    view.setText(QStringLiteral("txt_dec_sign_show_1"), fill.signCaption);

    // The click that confirms the star marks the centre that the boxes show.
    storeWholePixel(state_.clickX, centreX);
    storeWholePixel(state_.clickY, centreY);
}

void PointerFlow::click()
{
    if (state_.mode == modes::select() || state_.mode == modes::etalo()) {
        controller_.doselect();
        return;
    }
    if (state_.mode == modes::coor()) {
        reportClick();
        return;
    }
    if (state_.fillFromIdentification == 1) placeClickMarker();
}

void PointerFlow::reportClick()
{
    if (!scaleUsable(true)) return;
    const std::optional<SkyPoint> sky = imageToSky(state_, state_.clickX, state_.clickY);
    if (!sky) return;
    double raDeg = sky->raDeg;
    double decDeg = sky->decDeg;

    const double epoch = leadingNumber(controller_.view().text(QStringLiteral("txt_epoch")));
    const PrecessionCorrection correction = PrecessFromJ2000(epoch, raDeg, decDeg);
    raDeg += correction.dRaDeg;
    decDeg += correction.dDecDeg;
    controller_.AddStatus(state_.refined ? fineClickReportText(raDeg, decDeg)
                                         : clickReportText(raDeg, decDeg));
}

void PointerFlow::placeClickMarker()
{
    // Only click markers 1..5 exist; a click that would need a sixth is
    // ignored and leaves the count and the flag as they are.
    std::vector<Marker>& clicks = state_.markers.click;
    const int next = state_.markCount + 1;
    if (next < 1 || next > kClickMarkers || next >= static_cast<int>(clicks.size())) return;

    state_.markCount = static_cast<std::int16_t>(next);
    state_.fillFromIdentification = 0;
    const float half = static_cast<float>(clicks[0].size) / 2.0f;
    Marker& marker = clicks[static_cast<std::size_t>(next)];
    marker.left = static_cast<float>(state_.clickX) - half;
    marker.top = static_cast<float>(state_.clickY) - half;
    marker.visible = true;
    controller_.view().markersChanged();
}

void PointerFlow::doubleClick()
{
    if (state_.mapStatus != mapStates::done() && state_.mode != modes::coor()) return;

    const int last = lastStarMarker();
    for (int i = 1; i <= last; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        const Marker& marker = state_.markers.star[slot];
        if (!marker.visible || !inDoubleClickBox(marker, state_.clickX, state_.clickY)) continue;
        if (!scaleUsable(true)) return;
        const SkyPoint star = catalogueSky(i);
        const ObjectReport report = buildObjectReport(
            state_.starId[slot], star.raDeg, star.decDeg, state_.starMagR[slot], state_.starMagB[slot],
            controller_.view().text(QStringLiteral("txt_epoch")), systemDecimalPoint(),
            catalogueNote(controller_.paths().catalogueFile(), state_.starId[slot], controller_.lang()), controller_.lang());
        controller_.view().showDetails(report.title, report.text);
        return;
    }
}

void PointerFlow::zoomMove(double x, double y)
{
    if (!zoomPlaced_) {
        // Not drawn by a pointer move yet: the magnifier stands where a
        // redraw around the current point would put it.
        zoomLeftPx_ = state_.clickX - kZoomCentrePx;
        zoomTopPx_ = state_.clickY - kZoomCentrePx;
    }
    storeWholePixel(state_.clickX, zoomLeftPx_ + x);
    storeWholePixel(state_.clickY, zoomTopPx_ + y);
    dozoom();
}

void PointerFlow::zoomClick() { controller_.doselect(); }

}  // namespace ce
