#include "export/flow/export_commands.h"

#include "app/flow/reduction_controller.h"
#include "core/numbers.h"
#include "core/textfile.h"
#include "export/export_names.h"
#include "export/fits_copy.h"
#include "export/flow/exported_solution.h"
#include "export/star_list_csv.h"
#include "export/wcs_header.h"
#include "image/fits_reader.h"
#include "solve/flow/refinement_run.h"

#include <QDir>
#include <QFileInfo>

namespace ce {

namespace {

QString text(const ReductionController& controller, const char* key)
{
    return controller.lang().text(QString::fromLatin1(key));
}

// The common start of both exports: an accepted solution and an image.
// Refuses with a box otherwise.
std::optional<AcceptedSolution> solutionToExport(ReductionController& controller, const char* titleKey)
{
    ReductionView& view = controller.view();
    const ReductionState& state = controller.state();
    std::optional<AcceptedSolution> solution;
    if (state.solutionAccepted && state.corrAsd != 0.0 && state.corrDec != 0.0)
        solution = acceptedSolution(state, fieldTangentPoint(controller));
    if (!solution) {
        view.showMessage(text(controller, "export.nosolution"), text(controller, titleKey), true);
        return std::nullopt;
    }
    if (view.imageWidth() <= 0 || view.imageHeight() <= 0) {
        view.showMessage(text(controller, "export.noimage"), text(controller, titleKey), true);
        return std::nullopt;
    }
    return solution;
}

QString imagePath(ReductionController& controller)
{
    return controller.paths().resolveImagePath(controller.view().text(QStringLiteral("txt_url")));
}

// Whether to write `path`: yes when nothing is there or the user agrees
// to replace it.
bool mayWrite(ReductionController& controller, const QString& path, const char* titleKey)
{
    if (!QFileInfo::exists(path))
        return true;
    return controller.view().askYesNo(text(controller, "export.replace").arg(QDir::toNativeSeparators(path)),
                                      text(controller, titleKey));
}

// The save dialog, the suffix and the question for a name the dialog did
// not show. Empty: nothing to write.
QString chooseTarget(ReductionController& controller, ExportFileChooser& chooser, const char* titleKey,
                     const char* filterKey, const QString& suffix)
{
    const QString proposed = exportFileName(imagePath(controller), suffix);
    const QString chosen =
        chooser.saveFileName(text(controller, titleKey), proposed, text(controller, filterKey));
    if (chosen.isEmpty())
        return QString();
    const QString path = withSuffix(chosen, suffix);
    if (path != chosen && !mayWrite(controller, path, titleKey))
        return QString();
    return path;
}

QString dateObs(const ReductionView& view)
{
    for (const HeaderCard& card : view.imageHeader())
        if (card.keyword == u"DATE-OBS")
            return card.value;
    return QString();
}

WcsExport describe(ReductionController& controller, const AcceptedSolution& solution, bool fits)
{
    const ReductionState& state = controller.state();
    ReductionView& view = controller.view();
    WcsExport e;
    e.wcs = solution.wcs;
    e.imageWidth = view.imageWidth();
    e.imageHeight = view.imageHeight();
    e.rows = fits ? RowOrder::BottomFirst : RowOrder::TopFirst;
    e.dateObs = dateObs(view);
    e.refined = solution.refined;
    if (solution.refined) {
        e.starsUsed = state.refinedStars;
        e.rmsPx = state.refinedRmsPx;
        e.rmsArcsec = state.refinedRmsArcsec;
        for (const RefinedStarMeasure& m : state.refinedMeasures)
            if (m.used && m.slot >= 1 && m.slot <= kCatalogueSlots)
                e.starNames << state.starId[std::size_t(m.slot)].trimmed();
    } else {
        // The marked stars, in FITS pixels of the file.
        const int marks = std::min<int>(state.markCount, kClickMarkers);
        e.starsUsed = marks;
        for (int i = 1; i <= marks; ++i) {
            const double x = state.markX[std::size_t(i)], y = state.markY[std::size_t(i)];
            const double p2 = fits ? e.imageHeight - y : y + 1.0;
            e.starNames << QStringLiteral("(%1,%2)").arg(formatDouble(roundHalfEven(x + 1.0, 2)),
                                                          formatDouble(roundHalfEven(p2, 2)));
        }
    }
    return e;
}

// Writes the export whole; a failure is one box titled by `titleKey`.
bool writeExport(ReductionController& controller, const QString& path, const QByteArray& bytes,
                 const char* titleKey)
{
    const Status written = writeFileBytes(path, bytes, controller.lang());
    if (!written)
        controller.view().showMessage(written.error(), text(controller, titleKey), true);
    return written.ok();
}

void offerFitsCopy(ReductionController& controller, const QString& image, const QList<QByteArray>& cards)
{
    ReductionView& view = controller.view();
    const QString copy = fitsCopyName(image);
    const QString title = text(controller, "export.fitscopy.title");
    if (!view.askYesNo(text(controller, "export.fitscopy.question").arg(QDir::toNativeSeparators(copy)), title))
        return;
    if (!mayWrite(controller, copy, "export.fitscopy.title"))
        return;
    const Status written = copyFitsWithCards(image, copy, cards, controller.lang());
    if (!written) {
        view.showMessage(written.error(), title, true);
        return;
    }
    controller.AddStatus(text(controller, "export.fitscopy.done").arg(QDir::toNativeSeparators(copy)));
}

}  // namespace

void exportWcsCommand(ReductionController& controller, ExportFileChooser& chooser)
{
    const std::optional<AcceptedSolution> solution = solutionToExport(controller, "export.wcs.title");
    if (!solution)
        return;
    const QString path = chooseTarget(controller, chooser, "export.wcs.title", "export.wcs.filter",
                                      QStringLiteral(".wcs"));
    if (path.isEmpty())
        return;

    ReductionView& view = controller.view();
    const QString image = imagePath(controller);
    const bool fits = !view.imageHeader().isEmpty() || looksLikeFits(image);
    const WcsExport description = describe(controller, *solution, fits);
    const Result<QList<QByteArray>> cards = wcsCards(description, controller.lang());
    if (!cards) {
        view.showMessage(cards.error(), text(controller, "export.wcs.title"), true);
        return;
    }
    if (!writeExport(controller, path, wcsHeaderFile(*cards), "export.wcs.title"))
        return;
    controller.AddStatus(text(controller, solution->refined ? "export.wcs.done" : "export.wcs.unrefined")
                             .arg(QDir::toNativeSeparators(path)));
    if (fits && QFileInfo(image).isFile())
        offerFitsCopy(controller, image, *cards);
}

void exportStarsCommand(ReductionController& controller, ExportFileChooser& chooser)
{
    if (!solutionToExport(controller, "export.csv.title"))
        return;
    const QString path = chooseTarget(controller, chooser, "export.csv.title", "export.csv.filter",
                                      QStringLiteral(".csv"));
    if (path.isEmpty())
        return;
    ReductionView& view = controller.view();
    const std::vector<IdentifiedStar> stars =
        identifiedStars(controller.state(), view.imageWidth(), view.imageHeight());
    if (!writeExport(controller, path, starListCsv(stars), "export.csv.title"))
        return;
    controller.AddStatus(text(controller, "export.csv.done")
                             .arg(formatWhole(qint64(stars.size())), QDir::toNativeSeparators(path)));
}

}  // namespace ce
