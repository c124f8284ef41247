// A whole reduction through the real main window, offscreen: start-up on a
// program folder holding the shipped language file, a generated field's
// project opened from the menu, "1-Download" from the local catalogue
// service on 127.0.0.1, "2-Etoiles", five clicks on true stars through the
// window (the image panned wherever a star lies outside the viewport),
// "3-Calcul" and the candidate accepted; then the overlay, the hover, the
// click report and the double click as the user meets them.
//
// The truth is the field generator's: it places each catalogue star on the
// image through a tangent-plane projection and renders it there. The
// program knows only the image, the downloaded catalogue and the scale
// factors of its linear catalogue plane.
//
// Pointer events go to the window, at the window point over the image
// pixel, so they reach whichever widget shows there (the image or the
// magnifier over it), as a real pointer's do.

#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/startup.h"
#include "tests/ui/ui_support.h"
#include "tests/ui/whole_reduction_support.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/service_process.h"
#include "tools/demo_field/demo_project.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <cmath>
#include <numbers>

using ce::testing::FieldStar;
using ce::testing::ReductionDialogs;
using ce::testing::TempProgram;

namespace {

const QString kDataDir = QStringLiteral(CE_DATA_DIR);
constexpr double kMagLimit = 14;  // the download's magnitude limit

QPoint nearestPixel(double xPx, double yPx)
{
    return QPoint(int(std::lround(xPx)), int(std::lround(yPx)));
}

}  // namespace

class WholeReductionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    // The two run in this order on one window: the second points at the
    // solution the first accepted.
    void reductionDrawsTheCatalogueOnItsStars();
    void pointerIdentifiesTheStarsOfTheSolution();

private:
    // The window point over image pixel `px` with the current pan.
    QPoint windowPoint(QPoint px) const { return form_->picture().mapTo(form_, px); }
    // Whether image pixel `px` shows inside the viewport, off its edge.
    bool onScreen(QPoint px) const;
    // Holds the pan buttons until image pixel `px` shows; counts the steps.
    void bringIntoView(QPoint px);
    void pointAt(QPoint px);
    void clickAt(QPoint px);
    void doubleClickAt(QPoint px);
    void press(const char* button);
    QStringList statusLines() const;

    TempProgram program_;
    ce::service::ServiceProcess service_;
    ReductionDialogs dialogs_;
    std::unique_ptr<ce::Startup> startup_;
    ce::Form1* form_ = nullptr;
    QHash<QString, FieldStar> onImage_;  // the stars on the image, by identifier
    QImage image_;                       // the field as rendered
    int pans_ = 0;
};

void WholeReductionTest::initTestCase()
{
    const ce::demo::DemoField field = ce::testing::makeWideField();
    for (std::size_t k = 0; k < field.stars.size(); ++k) {
        const ce::demo::DemoStar& s = field.stars[k];
        const ce::service::CatalogueStar& c = field.catalogue[k];
        QCOMPARE(s.placed.id, c.id);
        if (s.inImage)
            onImage_.insert(c.id, FieldStar{c.id, s.placed.xPx, s.placed.yPx, c.magR, c.raDeg, c.decDeg});
    }
    QVERIFY(onImage_.size() > 100);
    image_ = field.image;

    // The program folder: the shipped language file, the field's image,
    // project and extract, and the server file naming the local service.
    QDir folder(program_.paths().programFolder);
    QVERIFY(QFile::copy(kDataDir + QStringLiteral("/lang.cfg"), folder.filePath(QStringLiteral("lang.cfg"))));
    QVERIFY(field.image.save(folder.filePath(QStringLiteral("field.png"))));
    ce::demo::DemoProject project;
    project.centreRaDeg = ce::testing::kFieldRaDeg;
    project.centreDecDeg = ce::testing::kFieldDecDeg;
    const ce::demo::LinearScaleFactors corr =
        ce::demo::linearScaleFactors(ce::testing::kFieldDecDeg, ce::testing::kFieldPixelsPerDegree);
    project.corrAsd = corr.corrAsd;
    project.corrDec = corr.corrDec;
    project.radiusArcmin = QStringLiteral("12");  // the image's half diagonal is 8.4'
    project.magnitude = QString::number(kMagLimit);
    project.imagePath = QStringLiteral("field.png");
    const auto write = [&folder](const QString& name, const QByteArray& bytes) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    };
    QVERIFY(write(QStringLiteral("field.pam"), ce::demo::projectText(project)));
    QVERIFY(write(QStringLiteral("extract.txt"), ce::service::extractText(field.catalogue)));
    QVERIFY(service_.start(folder.filePath(QStringLiteral("extract.txt")), {},
                           QStringLiteral(CE_CATALOGUE_SERVICE_EXE))
                .ok());
    QVERIFY(program_.write(QStringLiteral("serveur.cfg"), {service_.baseUrl()}));
    dialogs_.projectFile = folder.filePath(QStringLiteral("field.pam"));

    startup_ = std::make_unique<ce::Startup>(program_.paths(), dialogs_);
    QVERIFY(startup_->run());
    form_ = startup_->mainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QVERIFY(QTest::qWaitForWindowActive(form_));
}

void WholeReductionTest::cleanupTestCase()
{
    startup_.reset();
    QVERIFY(service_.stop().ok());
}

bool WholeReductionTest::onScreen(QPoint px) const
{
    const QWidget& viewport = form_->viewport();
    const QRect shown(form_->picture().mapFrom(&viewport, QPoint(0, 0)), viewport.size());
    return shown.adjusted(4, 4, -4, -4).contains(px);
}

void WholeReductionTest::bringIntoView(QPoint px)
{
    const QWidget& viewport = form_->viewport();
    for (int step = 0; step < 200 && !onScreen(px); ++step) {
        const QPoint topLeft = form_->picture().mapFrom(&viewport, QPoint(0, 0));
        // PicMove 1 shows more of the left, 2 the bottom, 3 the right, 4 the top.
        int element = 4;
        if (px.x() >= topLeft.x() + viewport.width() - 4)
            element = 3;
        else if (px.x() < topLeft.x() + 4)
            element = 1;
        else if (px.y() >= topLeft.y() + viewport.height() - 4)
            element = 2;
        auto* button = form_->findChild<QPushButton*>(QStringLiteral("PicMove_%1").arg(element));
        QVERIFY(button);
        QTest::mousePress(button, Qt::LeftButton);
        form_->panTick();
        QTest::mouseRelease(button, Qt::LeftButton);
        ++pans_;
    }
    QVERIFY2(onScreen(px), qPrintable(QStringLiteral("%1,%2").arg(px.x()).arg(px.y())));
}

void WholeReductionTest::pointAt(QPoint px)
{
    bringIntoView(px);
    QTest::mouseMove(form_->windowHandle(), windowPoint(px));
}

void WholeReductionTest::clickAt(QPoint px)
{
    pointAt(px);
    QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, windowPoint(px));
}

void WholeReductionTest::doubleClickAt(QPoint px)
{
    pointAt(px);
    QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, windowPoint(px));
}

void WholeReductionTest::press(const char* name)
{
    auto* button = form_->findChild<QPushButton*>(QLatin1String(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

QStringList WholeReductionTest::statusLines() const
{
    QStringList lines;
    auto* status = form_->findChild<QListWidget*>(QStringLiteral("status"));
    for (int i = 0; status && i < status->count(); ++i)
        lines.append(status->item(i)->text());
    return lines;
}

void WholeReductionTest::reductionDrawsTheCatalogueOnItsStars()
{
    const ce::LanguageTable& lang = startup_->lang();
    const ce::ReductionState& st = form_->controller().state();

    // The project from the menu fills the fields.
    auto* open = form_->findChild<QAction*>(QStringLiteral("mnu_open"));
    QVERIFY(open);
    open->trigger();
    QCOMPARE(form_->text(QStringLiteral("txt_url")), QStringLiteral("field.png"));
    QCOMPARE(form_->text(QStringLiteral("txt_mag")).toDouble(), kMagLimit);

    // 1-Download: the catalogue comes from the local service.
    press("DownloadData");
    QCOMPARE(statusLines().mid(0, 2), (QStringList{lang.message(9), lang.message(8)}));
    QFile catalogue(program_.paths().catalogueFile());
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    QVERIFY(catalogue.readAll().contains("<pre>"));

    // 2-Etoiles, then five stars clicked through the window, one pixel right
    // of and below each star as a hand would place it.
    press("SelectStar");
    QCOMPARE(st.mode, QStringLiteral("select"));
    const std::vector<FieldStar> refs = ce::testing::referenceStars(onImage_, image_, kMagLimit);
    QCOMPARE(int(refs.size()), 5);
    for (const FieldStar& s : refs)
        clickAt(nearestPixel(s.xPx, s.yPx) + QPoint(1, 1));
    // Stars lay beyond the viewport, so the image was panned to reach them.
    QVERIFY(pans_ > 0);
    QCOMPARE(st.mode, QStringLiteral("0"));
    QVERIFY(st.starsSelected);
    for (std::size_t k = 0; k < refs.size(); ++k) {
        // The refined mark lies on the star the window point showed.
        const double error = std::hypot(st.markX[k + 1] - refs[k].xPx, st.markY[k + 1] - refs[k].yPx);
        QVERIFY2(error <= 1.5, qPrintable(refs[k].id + QStringLiteral(" %1").arg(error)));
        QVERIFY(st.markers.click[k + 1].visible);
    }

    // 3-Calcul: every question answered Yes; the one about a long
    // calculation comes only above 380 catalogue stars.
    press("startCalcul");
    QVERIFY(st.starCount > 0);
    const int longQuestions = st.starCount > 380 ? 1 : 0;
    QCOMPARE(dialogs_.questions.size(), longQuestions + 1);
    if (longQuestions)
        QCOMPARE(dialogs_.questions.first().title, lang.message(16));
    const ReductionDialogs::Box& acceptance = dialogs_.questions.last();
    QCOMPARE(acceptance.title, lang.message(3));
    QVERIFY2(acceptance.text.startsWith(lang.message(2) + QStringLiteral(" (1/")),
             qPrintable(acceptance.text));
    QVERIFY(statusLines().contains(lang.message(4)));
    QCOMPARE(statusLines().first(), lang.message(6));
    QCOMPARE(st.mode, QStringLiteral("coor"));
    QVERIFY(st.solutionAccepted);
    // The calculation showed the image afresh, unpanned.
    QCOMPARE(form_->picture().pos(), QPoint(0, 0));

    // Every catalogue star on the image is drawn on its true position, and
    // no marker lands inside the image where there is no star.
    int checked = 0;
    for (int i = 1; i <= st.starCount; ++i) {
        const auto slot = std::size_t(i);
        const ce::Marker& m = st.markers.star[slot];
        QVERIFY(m.visible);
        const double cx = m.left + m.size / 2.0, cy = m.top + m.size / 2.0;
        const auto found = onImage_.constFind(st.starId[slot]);
        if (found == onImage_.constEnd()) {
            QVERIFY2(cx < 3 || cy < 3 || cx > image_.width() - 3 || cy > image_.height() - 3,
                     qPrintable(st.starId[slot]));
            continue;
        }
        const double error = std::hypot(cx - found->xPx, cy - found->yPx);
        QVERIFY2(error <= 1.5, qPrintable(st.starId[slot] + QStringLiteral(" %1").arg(error)));
        ++checked;
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));
    QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messages.value(0).text));
}

void WholeReductionTest::pointerIdentifiesTheStarsOfTheSolution()
{
    const ce::ReductionState& st = form_->controller().state();
    QVERIFY(st.solutionAccepted);

    // The star to point at: on the image, drawn, with no other marker near
    // enough to share its hover or double-click box; the farthest one from
    // the top-left corner, so that reaching it needs a pan.
    int target = 0;
    for (int i = 1; i <= st.starCount; ++i) {
        const ce::Marker& m = st.markers.star[std::size_t(i)];
        if (!onImage_.contains(st.starId[std::size_t(i)]) || m.left < 20 || m.top < 20
            || m.left > image_.width() - 30 || m.top > image_.height() - 30)
            continue;
        bool alone = true;
        for (int j = 1; j <= st.starCount; ++j) {
            const ce::Marker& o = st.markers.star[std::size_t(j)];
            if (j != i && std::abs(o.left - m.left) < 17 && std::abs(o.top - m.top) < 17)
                alone = false;
        }
        const ce::Marker* best = target ? &st.markers.star[std::size_t(target)] : nullptr;
        if (alone && (!best || m.left + m.top > best->left + best->top))
            target = i;
    }
    QVERIFY(target > 0);
    const FieldStar star = onImage_.value(st.starId[std::size_t(target)]);
    const QPoint centre = nearestPixel(star.xPx, star.yPx);

    // The marker is painted: its outline shows green over the grey field.
    const int pansBefore = pans_;
    bringIntoView(centre);
    QVERIFY(pans_ > pansBefore);
    const QImage shot = form_->picture().grab().toImage();
    int green = 0;
    for (int dy = -6; dy <= 6; ++dy)
        for (int dx = -6; dx <= 6; ++dx) {
            const QColor c = shot.pixelColor(centre + QPoint(dx, dy));
            if (c.green() > 120 && c.green() > c.red() + 60 && c.green() > c.blue() + 60)
                ++green;
        }
    QVERIFY2(green >= 8, qPrintable(QString::number(green)));

    // Hover: the pointer on the marker's corner region (the star's true
    // position less half a marker) fills info with that star's data.
    const QPoint corner = nearestPixel(star.xPx - 4, star.yPx - 4);
    pointAt(corner);
    const QString info = form_->findChild<QLabel*>(QStringLiteral("info"))->text();
    QVERIFY2(info.startsWith(star.id + QStringLiteral("   MagR-B=") + QString::number(star.magR, 'f', 1)
                             + u' '),
             qPrintable(info));

    // Click on the star itself: one "Clic: " line whose coordinates are the
    // star's catalogue position (epoch 2000.0, so no precession) to within
    // two pixels and the whole seconds of the text.
    const int before = statusLines().size();
    clickAt(centre);
    const QStringList lines = statusLines();
    QCOMPARE(lines.size(), before + 1);
    const QStringList parts = lines.first().mid(6).split(QStringLiteral("  "));
    QVERIFY2(lines.first().startsWith(QStringLiteral("Clic: ")) && parts.size() == 2,
             qPrintable(lines.first()));
    bool raOk = false, decOk = false;
    const double raHours = ce::testing::sexagesimalValue(parts[0], QStringLiteral("h"), &raOk);
    const double decDeg = ce::testing::sexagesimalValue(parts[1], QStringLiteral("°"), &decOk);
    QVERIFY2(raOk && decOk, qPrintable(lines.first()));
    const double cosDec = std::cos(star.decDeg * std::numbers::pi / 180);
    const double arcsecPerPixel = 3600.0 / ce::testing::kFieldPixelsPerDegree;
    const double raErrorArcsec = std::abs(raHours * 15 - star.raDeg) * 3600 * cosDec;
    const double decErrorArcsec = std::abs(decDeg - star.decDeg) * 3600;
    // Half a second of time is 7.5 arcsec of right ascension.
    QVERIFY2(raErrorArcsec <= 7.5 * cosDec + 2 * arcsecPerPixel,
             qPrintable(QString::number(raErrorArcsec)));
    QVERIFY2(decErrorArcsec <= 0.5 + 2 * arcsecPerPixel, qPrintable(QString::number(decErrorArcsec)));

    // Double click on the marker: the details of that star.
    doubleClickAt(corner);
    QCOMPARE(dialogs_.detailWindows.size(), 1);
    QVERIFY2(dialogs_.detailWindows[0].title.endsWith(star.id),
             qPrintable(dialogs_.detailWindows[0].title));
    QVERIFY(dialogs_.detailWindows[0].text.contains(star.id));
    QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messages.value(0).text));
}

QTEST_MAIN(WholeReductionTest)
#include "whole_reduction_qtest.moc"
