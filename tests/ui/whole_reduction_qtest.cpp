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
// factors of its linear catalogue plane. The field is larger than the
// viewport, so reaching its stars needs the pan buttons; its scale is fine
// enough (16 arcmin across) for the linear plane to stay well within a
// pixel of the projection, and its reference stars are unsaturated, so the
// refined clicks land on the stars' centres.

#include "app/ui/dialogs.h"
#include "app/ui/form1.h"
#include "app/ui/image_view.h"
#include "app/ui/startup.h"
#include "tests/ui/ui_support.h"
#include "tools/catalogue_service/catalogue_extract.h"
#include "tools/catalogue_service/service_process.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_project.h"

#include <QAction>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

using ce::testing::TempProgram;

namespace {

const QString kDataDir = QStringLiteral(CE_DATA_DIR);
constexpr double kCentreRaDeg = (1 * 3600 + 34 * 60 + 50) / 3600.0 * 15;  // 1h34m50s
constexpr double kCentreDecDeg = (22 * 3600 + 11 * 60 + 1) / 3600.0;     // +22°11'01"
constexpr double kPixelsPerDegree = 4500;
constexpr double kMagLimit = 14;  // the download's magnitude limit

ce::demo::DemoField makeField()
{
    ce::demo::DemoFieldParameters p;
    p.seed = 23;
    p.geometry.centreRaDeg = kCentreRaDeg;
    p.geometry.centreDecDeg = kCentreDecDeg;
    p.geometry.pixelsPerDegree = kPixelsPerDegree;
    p.geometry.rotationDeg = 25;
    p.geometry.widthPx = 1000;
    p.geometry.heightPx = 760;
    p.catalogueRadiusArcmin = 15;
    p.starCount = 4000;
    p.magMin = 10;
    p.render.pointSpread = ce::demo::PointSpread::Gaussian;
    // A 12th magnitude star peaks near 110 grey levels above the sky.
    p.render.referencePeak = 4.5;
    return ce::demo::generateDemoField(p);
}

// A star as the test knows it: the generator's true pixel position and the
// catalogue's magnitudes and sky position.
struct Row {
    QString id;
    double a = 0;  // x, pixels
    double b = 0;  // y, pixels
    double magR = 0;
    double raDeg = 0;
    double decDeg = 0;
};

// The boxes of the reduction: the project file is chosen in the open
// dialog, every question is answered Yes, the rest is recorded.
class ReductionDialogs final : public ce::Dialogs {
public:
    struct Box {
        QString text;
        QString title;
    };
    QString projectFile;
    QList<Box> messages;
    QList<Box> questions;
    QList<Box> opened;  // details windows: report, title

    void message(QWidget*, const QString& text, const QString& title, bool) override
    {
        messages.append({text, title});
    }
    bool askYesNo(QWidget*, const QString& question, const QString& title) override
    {
        questions.append({question, title});
        return true;
    }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return projectFile;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return QString();
    }
    void details(QWidget*, const QString& title, const QString& report) override
    {
        opened.append({report, title});
    }
};

// Degrees from a sexagesimal text "[-]w<unit>m's''".
double sexagesimalValue(const QString& text, const QString& unit, bool* ok)
{
    const QRegularExpression form(QStringLiteral("^(-?)(\\d+)%1(\\d+)'([0-9.]+)''$")
                                      .arg(QRegularExpression::escape(unit)));
    const QRegularExpressionMatch m = form.match(text);
    *ok = m.hasMatch();
    if (!*ok)
        return 0;
    const double value = m.captured(2).toDouble() + m.captured(3).toDouble() / 60
                         + m.captured(4).toDouble() / 3600;
    return m.captured(1).isEmpty() ? value : -value;
}

}  // namespace

class WholeReductionTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void reductionThroughTheMainWindow();

private:
    // The window point over image pixel `px` with the current pan.
    QPoint windowPoint(QPoint px) const;
    // Whether image pixel `px` shows inside the viewport.
    bool onScreen(QPoint px) const;
    // Holds the pan buttons until image pixel `px` shows; counts the pans.
    void bringIntoView(QPoint px);
    void pointAt(QPoint px);
    void clickAt(QPoint px);
    void doubleClickAt(QPoint px);
    QStringList statusLines() const;
    // Five bright isolated stars on the image, the first three spanning the
    // largest triangle.
    std::vector<Row> referenceStars() const;

    TempProgram program_;
    ce::service::ServiceProcess service_;
    ReductionDialogs dialogs_;
    std::unique_ptr<ce::Startup> startup_;
    ce::Form1* form_ = nullptr;
    QHash<QString, Row> truth_;  // the stars on the image, by identifier
    QImage image_;               // the field as rendered
    int pans_ = 0;
};

void WholeReductionTest::initTestCase()
{
    const ce::demo::DemoField field = makeField();
    for (std::size_t k = 0; k < field.stars.size(); ++k) {
        const ce::demo::DemoStar& s = field.stars[k];
        const ce::service::CatalogueStar& c = field.catalogue[k];
        QCOMPARE(s.placed.id, c.id);
        if (s.inImage)
            truth_.insert(c.id, Row{c.id, s.placed.xPx, s.placed.yPx, c.magR, c.raDeg, c.decDeg});
    }
    QVERIFY(truth_.size() > 100);

    // The program folder: the shipped language file, the field's image,
    // project and extract, and the server file naming the local service.
    QDir folder(program_.paths().programFolder);
    QVERIFY(QFile::copy(kDataDir + QStringLiteral("/lang.cfg"), folder.filePath(QStringLiteral("lang.cfg"))));
    image_ = field.image;
    QVERIFY(field.image.save(folder.filePath(QStringLiteral("field.png"))));
    ce::demo::DemoProject project;
    project.centreRaDeg = kCentreRaDeg;
    project.centreDecDeg = kCentreDecDeg;
    const ce::demo::LinearScaleFactors corr = ce::demo::linearScaleFactors(kCentreDecDeg, kPixelsPerDegree);
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

QPoint WholeReductionTest::windowPoint(QPoint px) const
{
    return form_->picture().mapTo(form_, px);
}

bool WholeReductionTest::onScreen(QPoint px) const
{
    const QWidget& viewport = form_->viewport();
    const QRect shown(form_->picture().mapFrom(&viewport, QPoint(0, 0)), viewport.size());
    // A margin keeps the pointer off the viewport's edge.
    return shown.adjusted(4, 4, -4, -4).contains(px);
}

void WholeReductionTest::bringIntoView(QPoint px)
{
    const QWidget& viewport = form_->viewport();
    for (int step = 0; step < 200 && !onScreen(px); ++step) {
        const QPoint topLeft = form_->picture().mapFrom(&viewport, QPoint(0, 0));
        int element = 0;
        if (px.x() >= topLeft.x() + viewport.width() - 4)
            element = 3;
        else if (px.x() < topLeft.x() + 4)
            element = 1;
        else if (px.y() >= topLeft.y() + viewport.height() - 4)
            element = 2;
        else
            element = 4;
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

QStringList WholeReductionTest::statusLines() const
{
    QStringList lines;
    auto* status = form_->findChild<QListWidget*>(QStringLiteral("status"));
    for (int i = 0; status && i < status->count(); ++i)
        lines.append(status->item(i)->text());
    return lines;
}

std::vector<Row> WholeReductionTest::referenceStars() const
{
    const int W = form_->imageWidth(), H = form_->imageHeight();
    std::vector<Row> eligible;
    for (const Row& s : truth_) {
        if (s.magR > kMagLimit || s.a < 20 || s.b < 20 || s.a > W - 21 || s.b > H - 21)
            continue;
        // Unsaturated: on a clipped, flat top the refinement's window sums
        // tie and the first window wins, off the centre.
        int peak = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                peak = std::max(peak, qGray(image_.pixel(int(std::lround(s.a)) + dx, int(std::lround(s.b)) + dy)));
        if (peak >= 250)
            continue;
        // Nothing bright enough to pull the refined click within 10 px, and
        // no other downloaded star within 20 px, so that the matching's
        // tolerance cannot pair it with a neighbour.
        bool isolated = true;
        for (const Row& o : truth_) {
            const double d = std::hypot(o.a - s.a, o.b - s.b);
            if (o.id != s.id && ((d < 10 && o.magR < s.magR + 3) || (d < 20 && o.magR <= kMagLimit)))
                isolated = false;
        }
        if (isolated)
            eligible.push_back(s);
    }
    std::sort(eligible.begin(), eligible.end(),
              [](const Row& p, const Row& q) { return p.id < q.id; });
    const auto area = [&eligible](std::size_t i, std::size_t j, std::size_t k) {
        const Row &p = eligible[i], &q = eligible[j], &r = eligible[k];
        return std::abs((q.a - p.a) * (r.b - p.b) - (r.a - p.a) * (q.b - p.b)) / 2;
    };
    std::array<std::size_t, 3> best{};
    double bestArea = 0;
    for (std::size_t i = 0; i < eligible.size(); ++i)
        for (std::size_t j = i + 1; j < eligible.size(); ++j)
            for (std::size_t k = j + 1; k < eligible.size(); ++k)
                if (area(i, j, k) > bestArea) {
                    bestArea = area(i, j, k);
                    best = {i, j, k};
                }
    std::vector<Row> chosen;
    if (bestArea == 0)
        return chosen;
    for (std::size_t k : best)
        chosen.push_back(eligible[k]);
    for (std::size_t k = 0; k < eligible.size() && chosen.size() < 5; ++k)
        if (k != best[0] && k != best[1] && k != best[2])
            chosen.push_back(eligible[k]);
    return chosen;
}

void WholeReductionTest::reductionThroughTheMainWindow()
{
    const ce::LanguageTable& lang = startup_->lang();
    const ce::ReductionState& st = form_->controller().state();
    const auto press = [this](const char* name) {
        auto* button = form_->findChild<QPushButton*>(QLatin1String(name));
        QVERIFY2(button, name);
        QTest::mouseClick(button, Qt::LeftButton);
    };

    // The project from the menu fills the fields.
    auto* open = form_->findChild<QAction*>(QStringLiteral("mnu_open"));
    QVERIFY(open);
    open->trigger();
    QCOMPARE(form_->text(QStringLiteral("txt_url")), QStringLiteral("field.png"));
    QVERIFY(!form_->text(QStringLiteral("txt_corrasd")).isEmpty());

    // 1-Download: the catalogue comes from the local service.
    press("DownloadData");
    QCOMPARE(statusLines().mid(0, 2), (QStringList{lang.message(9), lang.message(8)}));
    QFile catalogue(program_.paths().catalogueFile());
    QVERIFY(catalogue.open(QIODevice::ReadOnly));
    const QByteArray downloaded = catalogue.readAll();
    QVERIFY(downloaded.contains("<pre>"));

    // 2-Etoiles, then five stars clicked through the window, one pixel right
    // of and below each star as a hand would place it.
    press("SelectStar");
    QCOMPARE(st.mode, QStringLiteral("select"));
    QCOMPARE(form_->text(QStringLiteral("txt_mag")).toDouble(), kMagLimit);
    const std::vector<Row> refs = referenceStars();
    QCOMPARE(int(refs.size()), 5);
    for (const Row& s : refs)
        clickAt(QPoint(int(std::lround(s.a)) + 1, int(std::lround(s.b)) + 1));
    // Stars lay beyond the viewport, so the image was panned to reach them.
    QVERIFY(pans_ > 0);
    QCOMPARE(st.mode, QStringLiteral("0"));
    QVERIFY(st.starsSelected);
    for (std::size_t k = 0; k < refs.size(); ++k) {
        // The refined mark lies on the star the window point showed.
        const double error = std::hypot(st.markX[k + 1] - refs[k].a, st.markY[k + 1] - refs[k].b);
        QVERIFY2(error <= 1.5, qPrintable(refs[k].id + QStringLiteral(" %1").arg(error)));
        QVERIFY(st.markers.click[k + 1].visible);
    }

    // 3-Calcul: every question answered Yes.
    press("startCalcul");
    QVERIFY(st.starCount > 0);
    QList<ReductionDialogs::Box> expected;
    if (st.starCount > 380)
        expected.append({lang.message(15), lang.message(16)});
    QCOMPARE(dialogs_.questions.size(), expected.size() + 1);
    for (int k = 0; k < expected.size(); ++k)
        QCOMPARE(dialogs_.questions[k].title, expected[k].title);
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
        const auto found = truth_.constFind(st.starId[slot]);
        if (found == truth_.constEnd()) {
            QVERIFY2(cx < 3 || cy < 3 || cx > form_->imageWidth() - 3 || cy > form_->imageHeight() - 3,
                     qPrintable(st.starId[slot]));
            continue;
        }
        const double error = std::hypot(cx - found->a, cy - found->b);
        QVERIFY2(error <= 1.5, qPrintable(st.starId[slot] + QStringLiteral(" %1").arg(error)));
        ++checked;
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));

    // The star to point at: on the image, drawn, with no other marker near
    // enough to share its hover or double-click box; the farthest one from
    // the top-left corner, so that reaching it needs a pan again.
    int target = 0;
    for (int i = 1; i <= st.starCount; ++i) {
        const ce::Marker& m = st.markers.star[std::size_t(i)];
        const auto found = truth_.constFind(st.starId[std::size_t(i)]);
        if (found == truth_.constEnd() || m.left < 20 || m.top < 20
            || m.left > form_->imageWidth() - 30 || m.top > form_->imageHeight() - 30)
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
    const Row star = truth_.value(st.starId[std::size_t(target)]);

    // The marker is painted on the image: its outline shows green over the
    // grey star field.
    {
        QPoint centre(int(std::lround(star.a)), int(std::lround(star.b)));
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
    }

    // Hover: the pointer on the marker's corner region (the star's true
    // position less half a marker) fills info with that star's data.
    const QPoint corner(int(std::lround(star.a - 4)), int(std::lround(star.b - 4)));
    pointAt(corner);
    const QString info = form_->findChild<QLabel*>(QStringLiteral("info"))->text();
    QVERIFY2(info.startsWith(star.id + QStringLiteral("   MagR-B=") + QString::number(star.magR, 'f', 1) + u' '),
             qPrintable(info));

    // Click on the star itself: one "Clic: " line whose coordinates are the
    // star's catalogue position (epoch 2000.0, so no precession) to within
    // about two pixels and the whole seconds of the text.
    const int before = statusLines().size();
    clickAt(QPoint(int(std::lround(star.a)), int(std::lround(star.b))));
    QStringList lines = statusLines();
    QCOMPARE(lines.size(), before + 1);
    const QStringList parts = lines.first().mid(6).split(QStringLiteral("  "));
    QVERIFY2(lines.first().startsWith(QStringLiteral("Clic: ")) && parts.size() == 2,
             qPrintable(lines.first()));
    bool raOk = false, decOk = false;
    const double raHours = sexagesimalValue(parts[0], QStringLiteral("h"), &raOk);
    const double decDeg = sexagesimalValue(parts[1], QStringLiteral("°"), &decOk);
    QVERIFY2(raOk && decOk, qPrintable(lines.first()));
    const double cosDec = std::cos(star.decDeg * std::numbers::pi / 180);
    const double arcsecPerPixel = 3600.0 / form_->text(QStringLiteral("txt_corrdec")).toDouble();
    const double raErrorArcsec = std::abs(raHours * 15 - star.raDeg) * 3600 * cosDec;
    const double decErrorArcsec = std::abs(decDeg - star.decDeg) * 3600;
    QVERIFY2(raErrorArcsec <= 7.5 * cosDec + 2 * arcsecPerPixel,
             qPrintable(QString::number(raErrorArcsec)));
    QVERIFY2(decErrorArcsec <= 0.5 + 2 * arcsecPerPixel, qPrintable(QString::number(decErrorArcsec)));

    // Double click on the marker: the details of that star.
    doubleClickAt(corner);
    QCOMPARE(dialogs_.opened.size(), 1);
    QVERIFY2(dialogs_.opened[0].title.endsWith(star.id), qPrintable(dialogs_.opened[0].title));
    QVERIFY(dialogs_.opened[0].text.contains(star.id));

    // No box said anything went wrong along the way.
    QVERIFY2(dialogs_.messages.isEmpty(), qPrintable(dialogs_.messages.value(0).text));
}

QTEST_MAIN(WholeReductionTest)
#include "whole_reduction_qtest.moc"
