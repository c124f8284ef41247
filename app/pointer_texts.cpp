#include "app/pointer_texts.h"

#include "core/numbers.h"
#include "core/sexagesimal.h"

#include <QStringList>

#include <cstdlib>

namespace ce {
namespace {

double raHours(double raDeg) { return raDeg / 360.0 * 24.0; }

}  // namespace

bool inHoverBox(const Marker& marker, double xPx, double yPx)
{
    const double half = marker.size / 2.0;
    const double x = double(marker.left) + half;
    const double y = double(marker.top) + half;
    return x - kHoverReachPx < xPx && xPx < x + kHoverReachPx
        && y - kHoverReachPx < yPx && yPx < y + kHoverReachPx;
}

bool inDoubleClickBox(const Marker& marker, int xPx, int yPx)
{
    const double half = marker.size / 2.0;
    const double x = double(marker.left) + half;
    const double y = double(marker.top) + half;
    return x - kDoubleClickReachPx < xPx && xPx < x + kDoubleClickReachPx
        && y - kDoubleClickReachPx < yPx && yPx < y + kDoubleClickReachPx;
}

QString missingScaleMessage(double corrAsd, double corrDec, const QString& text)
{
    QStringList missing;
    if (corrAsd == 0.0) missing << QStringLiteral("Corr Asd");
    if (corrDec == 0.0) missing << QStringLiteral("Corr Dec");
    if (missing.isEmpty()) return {};
    return text.arg(missing.join(QStringLiteral(", ")));
}

QString hoverInfoText(const QString& identifier, const QString& magR, const QString& magB,
                      double raDeg, double decDeg)
{
    return identifier + QStringLiteral("   MagR-B=") + magR + u' ' + magB
         + QStringLiteral("   Ra:") + FormatSexagesimal(raHours(raDeg), QStringLiteral("h"))
         + QStringLiteral("   Dec:") + FormatSexagesimal(decDeg, QStringLiteral("°"))
         + QStringLiteral("  (J2000.0)");
}

QString clickReportText(double raDeg, double decDeg)
{
    return QStringLiteral("Clic: ") + FormatSexagesimal(raHours(raDeg), QStringLiteral("h"))
         + QStringLiteral("  ") + FormatSexagesimal(decDeg, QStringLiteral("°"));
}

QString fineClickReportText(double raDeg, double decDeg)
{
    return QStringLiteral("Clic: ") + FormatSexagesimalFine(raHours(raDeg), QStringLiteral("h"), 2)
         + QStringLiteral("  ") + FormatSexagesimalFine(decDeg, QStringLiteral("°"), 1);
}

QString fineHoverInfoText(const QString& identifier, const QString& magR, const QString& magB,
                          double raDeg, double decDeg)
{
    return identifier + QStringLiteral("   MagR-B=") + magR + u' ' + magB
         + QStringLiteral("   Ra:") + FormatSexagesimalFine(raHours(raDeg), QStringLiteral("h"), 2)
         + QStringLiteral("   Dec:") + FormatSexagesimalFine(decDeg, QStringLiteral("°"), 1)
         + QStringLiteral("  (J2000.0)");
}

CalibrationFill calibrationFill(float centreXPx, float centreYPx, double raDeg, double decDeg,
                                QChar decimalPoint)
{
    CalibrationFill fill;
    fill.boxes[0] = formatSingle(centreXPx, decimalPoint);
    fill.boxes[1] = formatSingle(centreYPx, decimalPoint);

    const SexagesimalParts ra = SplitSexagesimal(raHours(raDeg));
    fill.boxes[2] = formatWhole(ra.whole);
    fill.boxes[3] = formatWhole(ra.minutes);
    fill.boxes[4] = formatDouble(ra.seconds);

    // The parts of |dec| are those of dec with the sign taken off the whole.
    const SexagesimalParts dec = SplitSexagesimal(decDeg);
    fill.boxes[5] = formatWhole(std::llabs(static_cast<long long>(dec.whole)));
    fill.boxes[6] = formatWhole(dec.minutes);
    fill.boxes[7] = formatDouble(dec.seconds);
    fill.signCaption = decDeg < 0.0 ? QStringLiteral("-") : QStringLiteral("+");
    return fill;
}

}  // namespace ce
