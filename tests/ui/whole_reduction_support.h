#pragma once
// What the whole-reduction window test needs besides the window: the
// generated field it reduces, the choice of its five reference stars, the
// boxes answered as a user would, and the reading of the click report's
// sexagesimal texts.

#include "app/ui/dialogs.h"
#include "tools/demo_field/demo_field.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QRegularExpression>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ce::testing {

inline constexpr double kFieldRaDeg = (1 * 3600 + 34 * 60 + 50) / 3600.0 * 15;  // 1h34m50s
inline constexpr double kFieldDecDeg = (22 * 3600 + 11 * 60 + 1) / 3600.0;     // +22°11'01"
inline constexpr double kFieldPixelsPerDegree = 4500;

// A field larger than the main window's viewport (754 by 581), so that its
// stars are reached with the pan buttons, at a scale fine enough (16 arcmin
// across) for the program's linear catalogue plane to stay well within a
// pixel of the generator's tangent-plane projection. Stars of magnitude 12
// peak near 110 grey levels above the sky, so the bright ones used as
// reference stars are not clipped.
inline demo::DemoField makeWideField()
{
    demo::DemoFieldParameters p;
    p.seed = 23;
    p.geometry.centreRaDeg = kFieldRaDeg;
    p.geometry.centreDecDeg = kFieldDecDeg;
    p.geometry.pixelsPerDegree = kFieldPixelsPerDegree;
    p.geometry.rotationDeg = 25;
    p.geometry.widthPx = 1000;
    p.geometry.heightPx = 760;
    p.catalogueRadiusArcmin = 15;
    p.starCount = 4000;
    p.magMin = 10;
    p.render.pointSpread = demo::PointSpread::Gaussian;
    p.render.referencePeak = 4.5;
    return demo::generateDemoField(p);
}

// A star on the image as the test knows it: the generator's true pixel
// position and the catalogue's magnitude and sky position.
struct FieldStar {
    QString id;
    double xPx = 0;
    double yPx = 0;
    double magR = 0;
    double raDeg = 0;
    double decDeg = 0;
};

// Five bright, isolated, unclipped stars comfortably inside the image and
// inside the download's magnitude limit. The first three give the plate
// solution, so they are the three that span the largest triangle: the
// solution is then extrapolated as little as possible over the image.
inline std::vector<FieldStar> referenceStars(const QHash<QString, FieldStar>& onImage,
                                             const QImage& image, double magLimit)
{
    const double W = image.width(), H = image.height();
    std::vector<FieldStar> eligible;
    for (const FieldStar& s : onImage) {
        const double x = s.xPx, y = s.yPx;
        if (s.magR > magLimit || x < 20 || y < 20 || x > W - 21 || y > H - 21)
            continue;
        // On a clipped, flat top the refinement's window sums tie and the
        // first window wins, off the centre.
        int peak = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                peak = std::max(peak, qGray(image.pixel(int(std::lround(x)) + dx,
                                                        int(std::lround(y)) + dy)));
        if (peak >= 250)
            continue;
        // Nothing bright enough to pull the refined click within 10 px, and
        // no other downloaded star within 20 px, so that the matching's
        // tolerance cannot pair it with a neighbour.
        bool isolated = true;
        for (const FieldStar& o : onImage) {
            const double d = std::hypot(o.xPx - x, o.yPx - y);
            if (o.id != s.id && ((d < 10 && o.magR < s.magR + 3) || (d < 20 && o.magR <= magLimit)))
                isolated = false;
        }
        if (isolated)
            eligible.push_back(s);
    }
    std::sort(eligible.begin(), eligible.end(),
              [](const FieldStar& p, const FieldStar& q) { return p.id < q.id; });
    const auto area = [&eligible](std::size_t i, std::size_t j, std::size_t k) {
        const FieldStar &p = eligible[i], &q = eligible[j], &r = eligible[k];
        return std::abs((q.xPx - p.xPx) * (r.yPx - p.yPx) - (r.xPx - p.xPx) * (q.yPx - p.yPx)) / 2;
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
    std::vector<FieldStar> chosen;
    if (bestArea == 0)
        return chosen;
    for (std::size_t k : best)
        chosen.push_back(eligible[k]);
    for (std::size_t k = 0; k < eligible.size() && chosen.size() < 5; ++k)
        if (k != best[0] && k != best[1] && k != best[2])
            chosen.push_back(eligible[k]);
    return chosen;
}

// The boxes of a reduction: the open dialog chooses `projectFile`, every
// question is answered Yes, messages and details windows are recorded.
class ReductionDialogs final : public Dialogs {
public:
    struct Box {
        QString text;
        QString title;
    };
    QString projectFile;
    QList<Box> messages;
    QList<Box> questions;
    QList<Box> detailWindows;  // the report as text

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
        detailWindows.append({report, title});
    }
};

// The value of a sexagesimal text "[-]w<unit>m's''" (hours or degrees);
// false in `ok` when the text has another form.
inline double sexagesimalValue(const QString& text, const QString& unit, bool* ok)
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

}  // namespace ce::testing
