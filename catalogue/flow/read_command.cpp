#include "catalogue/flow/read_command.h"

#include "app/flow/field_centre.h"
#include "app/flow/reduction_controller.h"
#include "catalogue/catalogue_reader.h"
#include "catalogue/flow/catalogue_options.h"
#include "catalogue/query_address.h"
#include "core/numbers.h"
#include "core/sexagesimal.h"

#include <QFile>

#include <cmath>
#include <numbers>

namespace ce {

namespace {

// Two J2000.0 centres closer than this are the same field, degrees.
constexpr double kSameCentreDeg = 1.0 / 3600.0;

// The recorded field of data.txt when it is not the field typed now, as a
// readable "RA … DEC …" text; nothing when they agree, when nothing is
// recorded (a catalogue from before the record was kept) or when the typed
// centre cannot be read (the command that needs it says so itself).
std::optional<QString> otherCentre(ReductionController& controller)
{
    const std::optional<CatalogueCentre> recorded = recordedCatalogueCentre(controller.paths().dataFolder);
    if (!recorded)
        return std::nullopt;
    ReductionView& view = controller.view();
    const Result<FieldCentre> centre = readFieldCentre(view, controller.lang());
    if (!centre)
        return std::nullopt;
    const Result<CatalogueQuery> typed =
        catalogueQueryAround(centre->raDeg, centre->decDeg, centre->sign, view.text(QStringLiteral("txt_epoch")),
                             QString(), QString(), controller.lang());
    if (!typed)
        return std::nullopt;
    const double cosDec = std::cos(typed->decJ2000Deg * std::numbers::pi / 180.0);
    const double dRa = std::remainder(typed->raJ2000Deg - recorded->raJ2000Deg, 360.0) * cosDec;
    const double dDec = typed->decJ2000Deg - recorded->decJ2000Deg;
    if (std::hypot(dRa, dDec) < kSameCentreDeg)
        return std::nullopt;
    return QStringLiteral("RA %1° DEC %2° J2000.0")
        .arg(formatDouble(roundHalfEven(recorded->raJ2000Deg, 4)),
             formatDouble(roundHalfEven(recorded->decJ2000Deg, 4)));
}

}  // namespace

Status runReadFile(ReductionController& controller)
{
    ReductionState& state = controller.state();
    controller.AddStatus(controller.lang().message(18));

    const QString path = controller.paths().catalogueFile();
    Result<CatalogueCounts> counts = Result<CatalogueCounts>::failure(QString());
    if (!QFile::exists(path)) {
        counts = Result<CatalogueCounts>::failure(
            controller.lang().text(QStringLiteral("catalogue.nofile")).arg(path));
    } else if (const std::optional<QString> other = otherCentre(controller)) {
        counts = Result<CatalogueCounts>::failure(
            controller.lang().text(QStringLiteral("catalogue.othercentre")).arg(*other));
    } else {
        counts = readCatalogueFile(path, state.corrAsd, state.corrDec, state, controller.lang());
    }
    controller.view().setDebugText(QString());
    if (!counts) {
        state.starTotal = 0;
        state.starCount = 0;
        const QString message = controller.lang().text(QStringLiteral("catalogue.unreadable")).arg(counts.error());
        controller.AddStatus(message);
        controller.view().showMessage(message, QString(), true);
        return Status::failure(message);
    }
    controller.AddStatus(catalogueReadStatus(*counts, controller.lang().message(19)));
    return succeeded();
}

}  // namespace ce
