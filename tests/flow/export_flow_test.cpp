// The exports after a whole reduction of a generated field (the
// demonstration preset: 1100 x 800 px at 1.6"/px, +22°, turned 8°),
// driven through the scripted window: the WCS file read by WCSLIB gives the
// program's own sky positions to 0.01" over the whole image, for the
// refined and the three-star solution and for a FITS image (rows bottom
// first) with its copy; the CSV parses back with the catalogue's values
// and the measures of the fit; refusals, the replace question and write
// failures leave files as they were.

#include "app/flow/reduction_controller.h"
#include "core/plate_solution.h"
#include "core/solution_in_force.h"
#include "export/flow/export_commands.h"
#include "image/fits_reader.h"
#include "solve/flow/refinement_run.h"
#include "tests/export/rfc4180.h"
#include "tests/export/wcslib_check.h"
#include "tests/flow/demo_field_rig.h"
#include "tools/demo_field/click_sets.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_fits.h"
#include "tools/demo_field/field_presets.h"

#include <QCryptographicHash>
#include <QDir>
#include <QHash>

#include <fitsio.h>

#include <gtest/gtest.h>

#include <cmath>

namespace ce::testing {
namespace {

constexpr double kAgreementArcsec = 0.01;

// Answers the save dialog with a name of the script's choosing and
// records what it proposed.
struct ScriptedChooser final : ExportFileChooser {
    QString saveFileName(const QString& title, const QString& proposedPath, const QString& filter) override
    {
        titles << title, proposed << proposedPath, filters << filter;
        return answer;
    }
    QString answer;
    QStringList titles, proposed, filters;
};

QByteArray fileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

QByteArray digest(const QString& path)
{
    return QCryptographicHash::hash(fileBytes(path), QCryptographicHash::Sha256);
}

// The generated field, its catalogue answer and the window's fields, as a
// user would have them after "1-Download"; reduce() marks five stars and
// runs "3-Calcul", accepting the candidate whose markers lie on the stars.
struct ExportRig : FlowRig {
    ExportRig() : field(demo::generateDemoField(demo::demonstrationPreset().field)), truth(starTruth(field))
    {
        const demo::DemoFieldPreset preset = demo::demonstrationPreset();
        const demo::FieldGeometry& g = preset.field.geometry;
        writeFieldCatalogue(folders, field, g, 28, preset.queryMagFaint);
        showFieldImage(view, field.image);
        typeField(view, g, folders.program.filePath(QStringLiteral("champ.png")));
        for (const service::CatalogueStar& s : field.catalogue) catalogue.insert(s.id, &s);
        for (const char* key : {"export.replace", "export.wcs.done", "export.wcs.unrefined", "export.fitscopy.question",
                                "export.fitscopy.done"})
            lang.keyed[QString::fromLatin1(key)] = QString::fromLatin1(key) + QStringLiteral(" %1");
        lang.keyed[QStringLiteral("export.csv.done")] = QStringLiteral("export.csv.done %1 %2");
    }

    bool reduce()
    {
        const std::vector<demo::FiveStarClicks> sets = demo::offCentreClickSets(field, 1, 7);
        if (sets.empty()) return false;
        view.decide = [this](const QString& question) {
            return question == message(15) || drawnOnTheStars(markerErrors(st, truth));
        };
        controller.SelectStar();
        for (const demo::ClickedStar& c : sets.front()) {
            st.clickX = std::int16_t(c.clickPx.x());
            st.clickY = std::int16_t(c.clickPx.y());
            controller.doselect();
        }
        controller.startCalcul();
        view.decide = nullptr;
        view.questions.clear();
        return st.solutionAccepted;
    }

    QString path(const QString& name) const { return folders.program.filePath(name); }

    const demo::DemoField field;
    const StarTruth truth;
    QHash<QString, const service::CatalogueStar*> catalogue;
    ScriptedChooser chooser;
};

// Program pixel → FITS pixel of a picture file (rows top first) or of a
// FITS image (rows bottom first).
std::function<std::pair<double, double>(double, double)> fitsPixels(bool bottomFirst, int height)
{
    return [bottomFirst, height](double x, double y) {
        return std::pair{x + 1.0, bottomFirst ? height - y : y + 1.0};
    };
}

TEST(ExportFlow, WithoutAnAcceptedSolutionBothExportsRefuse)
{
    FlowRig rig;
    rig.view.width = 100, rig.view.height = 80;
    ScriptedChooser chooser;
    chooser.answer = rig.folders.program.filePath(QStringLiteral("x.wcs"));
    exportWcsCommand(rig.controller, chooser);
    chooser.answer = rig.folders.program.filePath(QStringLiteral("x.csv"));
    exportStarsCommand(rig.controller, chooser);
    ASSERT_EQ(rig.view.messages.size(), 2u);
    for (const Message& m : rig.view.messages) {
        EXPECT_EQ(m.text, QStringLiteral("export.nosolution"));
        EXPECT_TRUE(m.warning);
    }
    EXPECT_TRUE(chooser.titles.isEmpty()) << "no dialog without a solution";
    EXPECT_EQ(QDir(rig.folders.program.path()).entryList(QDir::Files).size(), 0);
}

TEST(ExportFlow, RefinedSolutionWcsAndStarListMeanWhatTheProgramMeans)
{
    ExportRig rig;
    ASSERT_TRUE(rig.reduce()) << lines(rig.view.status);
    ASSERT_TRUE(rig.st.refined.has_value()) << lines(rig.view.status);

    // The WCS file: proposed beside the image, read by WCSLIB.
    rig.chooser.answer = rig.path(QStringLiteral("champ.wcs"));
    exportWcsCommand(rig.controller, rig.chooser);
    ASSERT_EQ(rig.chooser.proposed.value(0), rig.path(QStringLiteral("champ.wcs")));
    ASSERT_TRUE(rig.view.messages.empty()) << qPrintable(rig.view.messages.front().text);
    EXPECT_TRUE(rig.view.questions.empty()) << "a picture file gets no FITS copy";
    const QByteArray header = fileBytes(rig.path(QStringLiteral("champ.wcs")));
    EXPECT_EQ(header.size() % 2880, 0);
    WcslibReader reader(header);
    ASSERT_TRUE(reader.ok()) << qPrintable(reader.failure);
    EXPECT_LT(worstDisagreementArcsec(reader, *rig.st.refined, 1100, 800, fitsPixels(false, 800)), kAgreementArcsec);
    // and the program's reported positions are those of the refined model
    const std::optional<SkyPoint> corner = imageToSky(rig.st, 1099, 799);
    ASSERT_TRUE(corner);
    EXPECT_LT(angularSeparationArcsec(*reader.sky(1100, 800), *corner), kAgreementArcsec);
    EXPECT_TRUE(header.contains("Refined solution"));

    // The star list.
    rig.chooser.answer = rig.path(QStringLiteral("champ.csv"));
    exportStarsCommand(rig.controller, rig.chooser);
    ASSERT_TRUE(rig.view.messages.empty());
    const auto records = parseRfc4180(QString::fromUtf8(fileBytes(rig.path(QStringLiteral("champ.csv")))));
    ASSERT_TRUE(records);
    ASSERT_GT(records->size(), 20u);
    const QStringList header0 = records->front();
    const auto col = [&](const char* name) { return header0.indexOf(QString::fromLatin1(name)); };
    int used = 0, rejected = 0, measuredClose = 0, measured = 0;
    for (std::size_t r = 1; r < records->size(); ++r) {
        const QStringList& row = (*records)[r];
        const service::CatalogueStar* cat = rig.catalogue.value(row[col("id")]);
        ASSERT_TRUE(cat) << qPrintable(row.join(u','));
        // The catalogue's values, not the plane's whole pixels.
        EXPECT_NEAR(row[col("ra_deg")].toDouble(), cat->raDeg, 5e-6);
        EXPECT_NEAR(row[col("dec_deg")].toDouble(), cat->decDeg, 5e-6);
        EXPECT_NEAR(row[col("mag_red")].toDouble(), cat->magR, 0.051);
        EXPECT_NEAR(row[col("mag_blue")].toDouble(), cat->magB, 0.051);
        const double x = row[col("x_pred")].toDouble(), y = row[col("y_pred")].toDouble();
        EXPECT_TRUE(x >= -0.5 && x < 1099.5 && y >= -0.5 && y < 799.5) << x << ", " << y;
        const demo::DemoStar* truth = rig.truth.value(cat->id);
        ASSERT_TRUE(truth);
        EXPECT_LT(std::hypot(x - truth->placed.xPx, y - truth->placed.yPx), 1.0) << qPrintable(cat->id);
        const QString fit = row[col("fit")];
        if (fit.isEmpty()) {
            EXPECT_TRUE(row[col("x_meas")].isEmpty());
            continue;
        }
        ++measured;
        (fit == u"used" ? used : rejected)++;
        const double mx = row[col("x_meas")].toDouble(), my = row[col("y_meas")].toDouble();
        EXPECT_NEAR(std::hypot(mx - x, my - y), row[col("resid_px")].toDouble(), 2e-3);
        measuredClose += std::hypot(mx - truth->placed.xPx, my - truth->placed.yPx) < 0.5;
        // The same residual on the sky, at 1.6"/px.
        EXPECT_NEAR(row[col("resid_arcsec")].toDouble(), row[col("resid_px")].toDouble() * 1.6, 0.05);
    }
    EXPECT_EQ(used, rig.st.refinedStars);
    EXPECT_GE(measuredClose, measured * 9 / 10);
    EXPECT_TRUE(rig.view.status.front().startsWith(QStringLiteral("export.csv.done %1").arg(records->size() - 1)))
        << lines(rig.view.status);
}

TEST(ExportFlow, ThreeStarSolutionIsItsTangentPlaneEquivalentAndSaysSo)
{
    ExportRig rig;
    rig.controller.setRefinementEnabled(false);
    ASSERT_TRUE(rig.reduce()) << lines(rig.view.status);
    ASSERT_FALSE(rig.st.refined.has_value());
    rig.chooser.answer = rig.path(QStringLiteral("trois"));  // ".wcs" added
    exportWcsCommand(rig.controller, rig.chooser);
    ASSERT_TRUE(rig.view.messages.empty());
    const QByteArray header = fileBytes(rig.path(QStringLiteral("trois.wcs")));
    EXPECT_TRUE(header.contains("Unrefined solution"));
    EXPECT_TRUE(rig.view.status.front().startsWith(QStringLiteral("export.wcs.unrefined")));

    const SkyPoint centre = fieldTangentPoint(rig.controller);
    const std::optional<TanWcs> equivalent =
        tanFromLinearSolution(plateSolutionOf(rig.st), rig.st.corrAsd, rig.st.corrDec, centre.raDeg, centre.decDeg);
    ASSERT_TRUE(equivalent);
    WcslibReader reader(header);
    ASSERT_TRUE(reader.ok()) << qPrintable(reader.failure);
    EXPECT_LT(worstDisagreementArcsec(reader, *equivalent, 1100, 800, fitsPixels(false, 800)), kAgreementArcsec);
    // At the field centre it is the linear solution itself; elsewhere on
    // this 30' field they part by less than a pixel (1.6").
    const std::optional<SkyPoint> atCentre = imageToSky(rig.st, equivalent->crpixX, equivalent->crpixY);
    EXPECT_LT(angularSeparationArcsec(*reader.sky(equivalent->crpixX + 1, equivalent->crpixY + 1), *atCentre),
              kAgreementArcsec);
    for (const auto& [x, y] : {std::pair{0.0, 0.0}, {1099.0, 0.0}, {0.0, 799.0}, {1099.0, 799.0}})
        EXPECT_LT(angularSeparationArcsec(*reader.sky(x + 1, y + 1), *imageToSky(rig.st, x, y)), 1.6) << x << "," << y;
}

TEST(ExportFlow, FitsImageRowsBottomFirstAndItsCopy)
{
    ExportRig rig;
    const QString image = rig.path(QStringLiteral("champ.fits"));
    demo::DemoFitsHeader h;
    h.centreRaDeg = demo::demonstrationPreset().field.geometry.centreRaDeg;
    h.centreDecDeg = demo::demonstrationPreset().field.geometry.centreDecDeg;
    h.dateObs = QStringLiteral("2024-10-05T22:14:00");
    h.focalMm = demo::focalLengthMm(2250, 9), h.pixelMicron = 9;
    ASSERT_TRUE(demo::writeDemoFits(image, rig.field.image, h));
    const Result<FitsImage> read = readFitsImage(image, 1 << 30, builtinLanguage());
    ASSERT_TRUE(read);
    rig.view.header = read->header;
    rig.view.setText(QStringLiteral("txt_url"), image);
    ASSERT_TRUE(rig.reduce()) << lines(rig.view.status);
    ASSERT_TRUE(rig.st.refined.has_value());
    const QByteArray original = digest(image);

    // Yes to the copy.
    rig.view.answers = {true};
    rig.chooser.answer = rig.path(QStringLiteral("champ.wcs"));
    exportWcsCommand(rig.controller, rig.chooser);
    ASSERT_TRUE(rig.view.messages.empty()) << qPrintable(rig.view.messages.front().text);
    ASSERT_EQ(rig.view.questions.size(), 1u);
    const QString copy = rig.path(QStringLiteral("champ-wcs.fits"));
    EXPECT_EQ(rig.view.questions[0].text, QStringLiteral("export.fitscopy.question ") + QDir::toNativeSeparators(copy));
    EXPECT_EQ(digest(image), original);

    const QByteArray header = fileBytes(rig.path(QStringLiteral("champ.wcs")));
    EXPECT_TRUE(header.contains("DATE-OBS= '2024-10-05T22:14:00'"));
    WcslibReader reader(header);
    ASSERT_TRUE(reader.ok());
    EXPECT_LT(worstDisagreementArcsec(reader, *rig.st.refined, 1100, 800, fitsPixels(true, 800)), kAgreementArcsec);

    // The copy: the same pixels, and its own header means the same.
    int status = 0;
    fitsfile* f = nullptr;
    fits_open_image(&f, QFile::encodeName(copy).constData(), READONLY, &status);
    ASSERT_EQ(status, 0);
    char* cards = nullptr;
    int count = 0;
    fits_hdr2str(f, 0, nullptr, 0, &cards, &count, &status);
    ASSERT_EQ(status, 0);
    WcslibReader copyReader(QByteArray(cards, count * 80));
    fits_free_memory(cards, &status);
    fits_close_file(f, &status);
    ASSERT_TRUE(copyReader.ok()) << qPrintable(copyReader.failure);
    EXPECT_LT(worstDisagreementArcsec(copyReader, *rig.st.refined, 1100, 800, fitsPixels(true, 800)), kAgreementArcsec);
    const Result<FitsImage> copied = readFitsImage(copy, 1 << 30, builtinLanguage());
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->plane.values, read->plane.values);
    EXPECT_EQ(copied->bitpix, read->bitpix);

    // Again: Yes to the copy, No to replacing it: it stays as it was.
    const QByteArray firstCopy = digest(copy);
    rig.view.questions.clear();
    rig.view.answers = {true, false};
    exportWcsCommand(rig.controller, rig.chooser);
    ASSERT_EQ(rig.view.questions.size(), 2u);
    EXPECT_EQ(rig.view.questions[1].text, QStringLiteral("export.replace ") + QDir::toNativeSeparators(copy));
    EXPECT_EQ(digest(copy), firstCopy);
    EXPECT_EQ(digest(image), original);
}

TEST(ExportFlow, ReplacingAsksAndAFailedWriteLeavesNoFile)
{
    ExportRig rig;
    rig.controller.setRefinementEnabled(false);
    ASSERT_TRUE(rig.reduce());
    // "etoiles" becomes etoiles.csv, which the dialog never showed: asked,
    // No keeps it.
    const QString existing = rig.path(QStringLiteral("etoiles.csv"));
    writeFile(existing, "ancien\r\n");
    rig.view.answers = {false};
    rig.chooser.answer = rig.path(QStringLiteral("etoiles"));
    exportStarsCommand(rig.controller, rig.chooser);
    ASSERT_EQ(rig.view.questions.size(), 1u);
    EXPECT_EQ(rig.view.questions[0].text, QStringLiteral("export.replace ") + QDir::toNativeSeparators(existing));
    EXPECT_EQ(fileBytes(existing), "ancien\r\n");
    // Yes replaces it.
    rig.view.answers = {true};
    exportStarsCommand(rig.controller, rig.chooser);
    EXPECT_TRUE(fileBytes(existing).startsWith("id,ra_deg,dec_deg,"));

    // A folder that cannot hold files (it is a file): one warning naming the
    // file and the reason, nothing written.
    writeFile(rig.path(QStringLiteral("bloque")), "");
    for (const QString& name : {QStringLiteral("bloque/champ.wcs"), QStringLiteral("bloque/champ.csv")}) {
        rig.view.messages.clear();
        rig.chooser.answer = rig.path(name);
        if (name.endsWith(u"wcs"))
            exportWcsCommand(rig.controller, rig.chooser);
        else
            exportStarsCommand(rig.controller, rig.chooser);
        ASSERT_EQ(rig.view.messages.size(), 1u) << qPrintable(name);
        EXPECT_TRUE(rig.view.messages[0].warning);
        EXPECT_EQ(rig.view.messages[0].text,
                  QStringLiteral("file.save_failed %1 reason.enotdir").arg(rig.path(name)));
        EXPECT_FALSE(QFileInfo::exists(rig.path(name)));
    }
}

}  // namespace
}  // namespace ce::testing

CE_FLOW_TEST_MAIN()
