#include "calibration/flow/calibration_flow.h"

#include "app/flow/reduction_controller.h"
#include "calibration/calibration_solver.h"

namespace ce {

namespace {

const QString kCalibrationFrame = QStringLiteral("Frm_4");
const QString kDebugFrame = QStringLiteral("Frm_3");
const QString kMagnifier = QStringLiteral("zoom");
const QString kNextButton = QStringLiteral("BoutonEtalo");
const QString kSignLabel = QStringLiteral("txt_dec_sign_show_1");

constexpr int kBoxCount = 8;
constexpr int kLastStar = 3;  // stars 1..3; step 4 means "computed"

}  // namespace

QString etaloBoxName(int box) { return QStringLiteral("Etalo_") + QString::number(box); }

CalibrationFlow::CalibrationFlow(ReductionController& controller) : controller_(controller) {}

void CalibrationFlow::startFrame()
{
    ReductionView& view = controller_.view();
    // The debug frame goes first: for a moment with both frames shown the
    // main window would grow to hold them and stay that tall.
    view.setVisible(kDebugFrame, false);
    view.setVisible(kCalibrationFrame, true);
    // A restart during step 3 would otherwise keep the "compute" caption.
    view.setText(kNextButton, controller_.lang().message(0));
}

void CalibrationFlow::endFrame()
{
    ReductionView& view = controller_.view();
    view.setVisible(kCalibrationFrame, false);
    view.setVisible(kDebugFrame, true);
    view.setText(kNextButton, controller_.lang().message(0));
    view.setVisible(kMagnifier, false);
}

void CalibrationFlow::startEtalonage()
{
    ReductionState& state = controller_.state();
    if (state.imageLoaded) {
        state.mode = modes::etalo();
        state.etaloStep = 1;
        controller_.view().setVisible(kMagnifier, true);
        startFrame();
    }
    controller_.SetSugestion(QStringLiteral("etalonage"), state.imageLoaded ? -1 : 0,
                             QStringLiteral("0"), QStringLiteral("0"));
}

void CalibrationFlow::startSuperEtalonage()
{
    ReductionState& state = controller_.state();
    if (state.solutionAccepted) {
        state.fillFromIdentification = 1;
        state.mode = modes::superetalo();
        state.etaloStep = 1;
        state.markCount = 0;
        startFrame();
        state.markers.hideClicks();
        controller_.view().markersChanged();
    }
    controller_.SetSugestion(QStringLiteral("superetalonage"), state.solutionAccepted ? -1 : 0,
                             QStringLiteral("0"), QStringLiteral("0"));
}

std::array<QString, 8> CalibrationFlow::boxTexts() const
{
    std::array<QString, 8> boxes;
    for (int box = 0; box < kBoxCount; ++box)
        boxes[std::size_t(box)] = controller_.view().text(etaloBoxName(box));
    return boxes;
}

void CalibrationFlow::BoutonEtalo()
{
    ReductionState& state = controller_.state();
    ReductionView& view = controller_.view();

    // The next hover over a catalogue marker may fill the boxes again.
    state.fillFromIdentification = 1;
    const QString sign = view.text(kSignLabel);

    const int slot = state.etaloStep;
    if (slot < 0 || slot > kLastStar) {
        view.showMessage(controller_.lang().text(QStringLiteral("calib.badstep")).arg(slot));
        return;
    }

    // "." whatever the locale: each change of a box turns its commas into points.
    const Result<CalibrationStar> star = readCalibrationBoxes(boxTexts(), sign, u'.', controller_.lang());
    if (!star) {
        view.showMessage(star.error());
        return;
    }
    const auto s = std::size_t(slot);
    state.etaloX[s] = star->x;
    state.etaloY[s] = star->y;
    state.etaloRA[s] = star->raDeg;
    state.etaloDec[s] = star->decDeg;

    for (int box = 0; box < kBoxCount; ++box)
        view.setText(etaloBoxName(box), QString());

    ++state.etaloStep;
    if (state.etaloStep == kLastStar)
        view.setText(kNextButton, controller_.lang().message(1));
    if (state.etaloStep == kLastStar + 1)
        computeScale();
}

void CalibrationFlow::computeScale()
{
    ReductionState& state = controller_.state();
    ReductionView& view = controller_.view();

    std::array<CalibrationStar, 3> stars;
    for (std::size_t i = 1; i <= 3; ++i)
        stars[i - 1] = {state.etaloX[i], state.etaloY[i], state.etaloRA[i], state.etaloDec[i]};
    const Result<ScaleSolution> solution = solveThreeStars(stars, controller_.lang());
    if (!solution) {
        view.showMessage(solution.error());
        return;
    }
    state.P12 = solution->p12;
    state.P13 = solution->p13;
    state.A0 = solution->a0;
    state.A1 = solution->a1;
    state.A2 = solution->a2;
    state.A3 = solution->a3;

    view.setText(QStringLiteral("txt_corrasd"), solution->corrAsdText);
    view.setText(QStringLiteral("txt_corrdec"), solution->corrDecText);
    view.showMessage(controller_.lang().message(7) + QStringLiteral(": CX = ") +
                     view.text(QStringLiteral("txt_corrasd")) + QStringLiteral(" et CY = ") +
                     view.text(QStringLiteral("txt_corrdec")));
    endFrame();
}

void CalibrationFlow::etaloTextChanged(int box)
{
    // The seconds boxes (4, 7) take decimals, so two characters do not end them.
    if (box < 0 || box > 6 || box == 4)
        return;
    ReductionView& view = controller_.view();
    if (view.text(etaloBoxName(box)).size() == 2)
        view.setFocus(etaloBoxName(box + 1));
}

}  // namespace ce
