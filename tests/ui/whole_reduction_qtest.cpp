// A whole reduction through the real main window, offscreen: start-up with the
// shipped language file, a generated field's project opened from the menu,
// "1-Download" from the local catalogue service on 127.0.0.1, "2-Etoiles", five
// clicks on true stars (panning to reach them), "3-Calcul" and the candidate
// accepted; then the hover, the click report and the double click; once with
// the field as an 8-bit PNG, once as a camera's 16-bit FITS. The truth is
// the field generator's tangent-plane projection; the program knows only the
// image, the downloaded catalogue and its linear plane's scale factors. Pointer
// events go to the window point over the image pixel, so they reach whichever
// widget shows there (the image or the magnifier), as a real pointer's do.

#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/startup.h"
#include "tests/ui/ui_support.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/service_process.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_fits.h"
#include "tools/demo_field/demo_project.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr double kFieldRaDeg = (1 * 3600 + 34 * 60 + 50) / 3600.0 * 15;  // 1h34m50s
constexpr double kFieldDecDeg = (22 * 3600 + 11 * 60 + 1) / 3600.0;     // +22°11'01"
constexpr double kPixelsPerDegree = 4500;
constexpr double kMagLimit = 14;  // the download's magnitude limit

// A star on the image: the generator's true pixel position and the catalogue's data.
struct FieldStar {
    QString id;
    double xPx = 0, yPx = 0, magR = 0, raDeg = 0, decDeg = 0;
};

QPoint nearestPixel(double xPx, double yPx) { return QPoint(int(std::lround(xPx)), int(std::lround(yPx))); }

// Five bright, isolated, unclipped stars inside the image and the magnitude
// limit. The first three give the plate solution, so they span the largest
// triangle: the solution is then extrapolated as little as possible.
std::vector<FieldStar> referenceStars(const QHash<QString, FieldStar>& onImage, const QImage& image)
{
    std::vector<FieldStar> eligible;
    for (const FieldStar& s : onImage) {
        if (s.magR > kMagLimit || s.xPx < 20 || s.yPx < 20 || s.xPx > image.width() - 21 || s.yPx > image.height() - 21)
            continue;
        // On a clipped, flat top the refinement's window sums tie, off the centre.
        int peak = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) peak = std::max(peak, qGray(image.pixel(nearestPixel(s.xPx, s.yPx) + QPoint(dx, dy))));
        // Nothing bright within 10 px to pull the refined click, no downloaded
        // star within 20 px for the matching to pair it with.
        const bool isolated = std::none_of(onImage.begin(), onImage.end(), [&s](const FieldStar& o) {
            const double d = std::hypot(o.xPx - s.xPx, o.yPx - s.yPx);
            return o.id != s.id && ((d < 10 && o.magR < s.magR + 3) || (d < 20 && o.magR <= kMagLimit));
        });
        if (peak < 250 && isolated) eligible.push_back(s);
    }
    std::sort(eligible.begin(), eligible.end(), [](const FieldStar& p, const FieldStar& q) { return p.id < q.id; });
    const auto area = [&eligible](std::size_t i, std::size_t j, std::size_t k) {
        const FieldStar &p = eligible[i], &q = eligible[j], &r = eligible[k];
        return std::abs((q.xPx - p.xPx) * (r.yPx - p.yPx) - (r.xPx - p.xPx) * (q.yPx - p.yPx));
    };
    std::array<std::size_t, 3> best{};
    for (std::size_t i = 0; i < eligible.size(); ++i)
        for (std::size_t j = i + 1; j < eligible.size(); ++j)
            for (std::size_t k = j + 1; k < eligible.size(); ++k)
                if (area(i, j, k) > area(best[0], best[1], best[2])) best = {i, j, k};
    std::vector<FieldStar> chosen;
    if (eligible.size() < 5) return chosen;
    for (std::size_t k : best) chosen.push_back(eligible[k]);
    for (std::size_t k = 0; chosen.size() < 5; ++k)
        if (k != best[0] && k != best[1] && k != best[2]) chosen.push_back(eligible[k]);
    return chosen;
}

}  // namespace

class WholeReductionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase()
    {
        startup_.reset();
        QVERIFY(service_.stop().ok());
    }
    void reductionDrawsTheCatalogueOnItsStarsAndThePointerIdentifiesThem_data();
    void reductionDrawsTheCatalogueOnItsStarsAndThePointerIdentifiesThem();
    void autoSolvesTheFieldInOneClick();

private:
    QPoint windowPoint(QPoint px) const { return form_->picture().mapTo(form_, form_->picture().imageToView(px).toPoint()); }
    // The first version's view: 1:1, the image's top-left corner at the view's.
    void showUnpannedActualSize()
    {
        press("zoomActual");
        form_->picture().setOffset(QPointF());
    }
    // Holds the pan buttons until image pixel `px` shows inside the viewport; counts the steps.
    void bringIntoView(QPoint px);
    void pointAt(QPoint px)
    {
        bringIntoView(px);
        QTest::mouseMove(form_->windowHandle(), windowPoint(px));
    }
    void clickAt(QPoint px)
    {
        pointAt(px);
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, windowPoint(px));
    }
    void press(const char* name) { QTest::mouseClick(form_->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); }
    QStringList statusLines() const  // newest first
    {
        QStringList lines;
        auto* status = form_->findChild<QListWidget*>(QStringLiteral("status"));
        for (int i = 0; i < status->count(); ++i) lines.append(status->item(i)->text());
        return lines;
    }

    ce::testing::TempProgram program_;
    ce::service::ServiceProcess service_;
    ce::testing::ScriptedDialogs dialogs_;
    std::unique_ptr<ce::Startup> startup_;
    ce::Form1* form_ = nullptr;
    QHash<QString, FieldStar> onImage_;  // the stars on the image, by identifier
    QImage image_;
    int pans_ = 0;
};

void WholeReductionTest::initTestCase()
{
    // Larger than the viewport, so that stars are reached with the pan buttons,
    // at a scale fine enough (16' across) for the linear catalogue plane to stay
    // well within a pixel of the tangent plane; magnitude 12 peaks near 110 grey
    // levels above the sky, so the reference stars are not clipped.
    ce::demo::DemoFieldParameters p;
    p.seed = 23;
    p.geometry = {kFieldRaDeg, kFieldDecDeg, kPixelsPerDegree, 25, false, 1000, 760};
    p.catalogueRadiusArcmin = 15;
    p.starCount = 4000;
    p.magMin = 10;
    p.render.pointSpread = ce::demo::PointSpread::Gaussian;
    p.render.referencePeak = 4.5;
    const ce::demo::DemoField field = ce::demo::generateDemoField(p);
    for (std::size_t k = 0; k < field.stars.size(); ++k) {
        const ce::service::CatalogueStar& c = field.catalogue[k];
        if (field.stars[k].inImage)
            onImage_.insert(c.id, {c.id, field.stars[k].placed.xPx, field.stars[k].placed.yPx, c.magR, c.raDeg, c.decDeg});
    }
    image_ = field.image;

    // The program folder: the shipped language file, the field's image,
    // project and extract, and the server file naming the local service.
    QDir folder(program_.paths().programFolder);
    QVERIFY(QFile::copy(QStringLiteral(CE_DATA_DIR "/lang.cfg"), folder.filePath(QStringLiteral("lang.cfg"))));
    QVERIFY(field.image.save(folder.filePath(QStringLiteral("field.png"))));
    const auto [corrAsd, corrDec] = ce::demo::linearScaleFactors(kFieldDecDeg, kPixelsPerDegree);
    // Radius 12': the image's half diagonal is 8.4'.
    const ce::demo::DemoProject project{.centreRaDeg = kFieldRaDeg, .centreDecDeg = kFieldDecDeg, .corrAsd = corrAsd,
                                        .corrDec = corrDec, .radiusArcmin = QStringLiteral("12"),
                                        .magnitude = QString::number(kMagLimit), .imagePath = QStringLiteral("field.png")};
    const auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(QStringLiteral("field.pam"), ce::demo::projectText(project)));
    // The same stars seen by a 16-bit camera, in a FITS file with its header.
    ce::demo::DemoFieldParameters wide = p;
    wide.render = ce::demo::sixteenBitParameters(p.render);
    const ce::demo::DemoFitsHeader header{kFieldRaDeg, kFieldDecDeg, QStringLiteral("2024-10-05T22:14:00"),
                                          ce::demo::focalLengthMm(kPixelsPerDegree, 9.0), 9.0};
    QVERIFY(ce::demo::writeDemoFits(folder.filePath(QStringLiteral("field.fits")), ce::demo::generateDemoField(wide).image, header).ok());
    ce::demo::DemoProject fitsProject = project;
    fitsProject.imagePath = QStringLiteral("field.fits");
    QVERIFY(write(QStringLiteral("field-fits.pam"), ce::demo::projectText(fitsProject)));
    QVERIFY(write(QStringLiteral("extract.txt"), ce::service::extractText(field.catalogue)));
    QVERIFY(service_.start(folder.filePath(QStringLiteral("extract.txt")), {}, QStringLiteral(CE_CATALOGUE_SERVICE_EXE)).ok());
    QVERIFY(program_.write(QStringLiteral("serveur.cfg"), {service_.baseUrl()}));
    dialogs_.fileName = folder.filePath(QStringLiteral("field.pam"));
    dialogs_.answers = {true, true, true};  // every question answered Yes

    startup_ = std::make_unique<ce::Startup>(program_.paths(), dialogs_);
    QVERIFY(startup_->run());
    form_ = startup_->mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_));
}

void WholeReductionTest::bringIntoView(QPoint px)
{
    for (int step = 0; step < 200; ++step) {
        const QPoint topLeft = form_->picture().viewToImage(QPointF()).toPoint();
        const QRect shown = QRect(topLeft, form_->picture().size() / form_->picture().zoom()).adjusted(4, 4, -4, -4);
        if (shown.contains(px)) return;
        // PicMove 1 shows more of the left, 2 the bottom, 3 the right, 4 the top.
        const int element = px.x() > shown.right() ? 3 : px.x() < shown.left() ? 1 : px.y() > shown.bottom() ? 2 : 4;
        auto* button = form_->findChild<QPushButton*>(QStringLiteral("PicMove_%1").arg(element));
        QTest::mousePress(button, Qt::LeftButton);
        form_->panTick();
        QTest::mouseRelease(button, Qt::LeftButton);
        ++pans_;
    }
    QFAIL(qPrintable(QStringLiteral("%1,%2 never shown").arg(px.x()).arg(px.y())));
}

void WholeReductionTest::reductionDrawsTheCatalogueOnItsStarsAndThePointerIdentifiesThem_data()
{
    QTest::addColumn<QString>("project");
    // How far a drawn marker may lie from its star: the 16-bit counts shown in
    // 256 levels over their whole range give the refinement coarser star wings.
    QTest::addColumn<double>("markerTolerancePx");
    QTest::newRow("8-bit PNG") << QStringLiteral("field.pam") << 1.5;
    QTest::newRow("16-bit FITS") << QStringLiteral("field-fits.pam") << 2.0;
}

void WholeReductionTest::reductionDrawsTheCatalogueOnItsStarsAndThePointerIdentifiesThem()
{
    QFETCH(QString, project);
    QFETCH(double, markerTolerancePx);
    const ce::LanguageTable& lang = startup_->lang();
    const ce::ReductionState& st = form_->controller().state();
    dialogs_.fileName = QDir(program_.paths().programFolder).filePath(project);
    dialogs_.answers = {true, true, true};  // every question answered Yes
    dialogs_.questions.clear();
    dialogs_.detailWindows.clear();
    form_->findChild<QAction*>(QStringLiteral("mnu_open"))->trigger();

    press("DownloadData");
    // (The second run asks for the same field: the cache answers, and says so.)
    QCOMPARE(statusLines().first(), lang.message(9));
    QVERIFY(statusLines().mid(1, 2).contains(lang.message(8)));

    // Five stars clicked one pixel right of and below each, as a hand would.
    press("SelectStar");
    QCOMPARE(form_->picture().zoom(), form_->picture().fitZoom());  // shown whole
    // Stars are marked on the whole range of the 16-bit counts, as the 8-bit picture shows them.
    if (form_->picture().store().hasLinear()) form_->picture().setStretch(ce::StretchPreset::MinMax);
    showUnpannedActualSize();
    const std::vector<FieldStar> refs = referenceStars(onImage_, image_);
    QCOMPARE(int(refs.size()), 5);
    for (const FieldStar& s : refs) clickAt(nearestPixel(s.xPx, s.yPx) + QPoint(1, 1));
    QVERIFY(pans_ > 0);  // some lay beyond the viewport
    QCOMPARE(st.mode, QStringLiteral("0"));
    for (std::size_t k = 0; k < refs.size(); ++k) {
        // The refined mark lies on the star the window point showed.
        const double error = std::hypot(st.markX[k + 1] - refs[k].xPx, st.markY[k + 1] - refs[k].yPx);
        QVERIFY2(error <= 1.5, qPrintable(refs[k].id + QStringLiteral(" %1").arg(error)));
    }

    // 3-Calcul: the question about a long calculation comes only above 380 stars.
    press("startCalcul");
    QCOMPARE(dialogs_.questions.size(), (st.starCount > 380 ? 1 : 0) + 1);
    QCOMPARE(dialogs_.questions.last().title, lang.message(3));
    QVERIFY(dialogs_.questions.last().text.startsWith(lang.message(2) + QStringLiteral(" (1/")));
    QCOMPARE(statusLines().first(), lang.message(6));
    QVERIFY(st.solutionAccepted);
    // Shown afresh: whole, unpanned; then 1:1 as the pointer checks below take it.
    QCOMPARE(form_->picture().zoom(), form_->picture().fitZoom());
    QCOMPARE(form_->picture().offset(), QPointF());
    showUnpannedActualSize();

    // Every catalogue star on the image is drawn on its true position; no
    // marker lands inside the image where there is no star.
    int checked = 0;
    for (std::size_t i = 1; i <= std::size_t(st.starCount); ++i) {
        const ce::Marker& m = st.markers.star[i];
        QVERIFY(m.visible);
        const double cx = m.left + m.size / 2.0, cy = m.top + m.size / 2.0;
        const auto found = onImage_.constFind(st.starId[i]);
        if (found == onImage_.constEnd()) {
            QVERIFY2(cx < 3 || cy < 3 || cx > image_.width() - 3 || cy > image_.height() - 3, qPrintable(st.starId[i]));
            continue;
        }
        const double error = std::hypot(cx - found->xPx, cy - found->yPx);
        QVERIFY2(error <= markerTolerancePx, qPrintable(st.starId[i] + QStringLiteral(" %1").arg(error)));
        ++checked;
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));

    // A reference star: no other downloaded star within 20 px shares its hover
    // box; the one farthest beyond the unpanned viewport, so that it needs a pan.
    const QSize view = form_->picture().size();
    const FieldStar star = *std::max_element(refs.begin(), refs.end(), [view](const FieldStar& p, const FieldStar& q) {
        return std::max(p.xPx / view.width(), p.yPx / view.height()) < std::max(q.xPx / view.width(), q.yPx / view.height());
    });
    const int pansBefore = pans_;

    // Pointing at the star itself fills info with its data.
    const QPoint onStar = nearestPixel(star.xPx + 1, star.yPx - 1);
    pointAt(onStar);
    const QString info = form_->findChild<QLabel*>(QStringLiteral("info"))->text();
    QVERIFY2(info.startsWith(star.id + QStringLiteral("   MagR-B=") + QString::number(star.magR, 'f', 1) + u' '), qPrintable(info));

    // A click on the star: one "Clic: " line giving its catalogue position
    // (epoch 2000.0, no precession) to two pixels and the text's whole seconds.
    const int before = statusLines().size();
    clickAt(nearestPixel(star.xPx, star.yPx));
    const QStringList lines = statusLines();
    QCOMPARE(lines.size(), before + 1);
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Clic: (\\d+)h(\\d+)'([0-9.]+)''  (-?)(\\d+)°(\\d+)'([0-9.]+)''$")).match(lines.first());
    QVERIFY2(m.hasMatch(), qPrintable(lines.first()));
    QVERIFY(pans_ > pansBefore);
    const auto value = [&m](int n) { return m.captured(n).toDouble() + m.captured(n + 1).toDouble() / 60 + m.captured(n + 2).toDouble() / 3600; };
    const double raHours = value(1), decDeg = (m.captured(4).isEmpty() ? 1 : -1) * value(5);
    const double cosDec = std::cos(star.decDeg * std::numbers::pi / 180), twoPixelsArcsec = 2 * 3600.0 / kPixelsPerDegree;
    // Half a second of time is 7.5 arcsec of right ascension.
    QVERIFY(std::abs(raHours * 15 - star.raDeg) * 3600 * cosDec <= 7.5 * cosDec + twoPixelsArcsec);
    QVERIFY(std::abs(decDeg - star.decDeg) * 3600 <= 0.5 + twoPixelsArcsec);

    // Double click on the marker: the details of that star; its first press is
    // a click of its own, its second is not.
    pointAt(onStar);
    QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, windowPoint(onStar));
    QCOMPARE(dialogs_.detailWindows.size(), 1);
    QCOMPARE(statusLines().size(), before + 2);
    QVERIFY(dialogs_.detailWindows[0].title.endsWith(star.id) && dialogs_.detailWindows[0].text.contains(star.id));
    QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messages.value(0).text));
}

// "5-Auto" after the download, no star clicked: the question about its
// candidate answered "Oui", the catalogue drawn on its stars.
void WholeReductionTest::autoSolvesTheFieldInOneClick()
{
    const ce::LanguageTable& lang = startup_->lang();
    const ce::ReductionState& st = form_->controller().state();
    dialogs_.fileName = QDir(program_.paths().programFolder).filePath(QStringLiteral("field.pam"));
    dialogs_.answers = {true, true, true};
    dialogs_.questions.clear();
    dialogs_.messages.clear();
    form_->findChild<QAction*>(QStringLiteral("mnu_open"))->trigger();
    press("DownloadData");
    auto* button = form_->findChild<QPushButton*>(QStringLiteral("AutoCalcul"));
    QVERIFY(button);
    QCOMPARE(button->text(), lang.message(40));
    press("AutoCalcul");
    QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messages.value(0).text));
    QVERIFY(!dialogs_.questions.isEmpty());
    QCOMPARE(dialogs_.questions.last().title, lang.message(3));
    QVERIFY(st.solutionAccepted);
    QCOMPARE(st.markCount, 5);
    int checked = 0;
    for (std::size_t i = 1; i <= std::size_t(st.starCount); ++i) {
        const ce::Marker& m = st.markers.star[i];
        const auto found = onImage_.constFind(st.starId[i]);
        if (found == onImage_.constEnd()) continue;
        const double error = std::hypot(m.left + m.size / 2.0 - found->xPx, m.top + m.size / 2.0 - found->yPx);
        QVERIFY2(error <= 1.5, qPrintable(st.starId[i] + QStringLiteral(" %1").arg(error)));
        ++checked;
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));
}

QTEST_MAIN(WholeReductionTest)
#include "whole_reduction_qtest.moc"
