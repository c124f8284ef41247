#include "skymap/object_report.h"

#include "core/numbers.h"
#include "core/precession.h"
#include "core/sexagesimal.h"

#include <QStringList>

namespace ce {
namespace {

// A coordinate to 5 decimals, half to even, in its shortest form.
QString coordinateText(double valueDeg, QChar decimalPoint)
{
    return formatDouble(roundHalfEven(valueDeg, 5), decimalPoint);
}

const QString kIndent = QStringLiteral("   ");

QString raLine(double raDeg, QChar decimalPoint, const TextLookup& lang)
{
    return kIndent + lang.text(QStringLiteral("report.ra"))
                         .arg(coordinateText(raDeg, decimalPoint), FormatSexagesimal(raDeg / 15.0, QStringLiteral("H")));
}

QString decLine(double decDeg, QChar decimalPoint, const TextLookup& lang)
{
    return kIndent + lang.text(QStringLiteral("report.dec"))
                         .arg(coordinateText(decDeg, decimalPoint), FormatSexagesimal(decDeg, QStringLiteral("°")));
}

}  // namespace

ObjectReport buildObjectReport(const QString& identifier, double raDeg, double decDeg,
                               const QString& magR, const QString& magB,
                               const QString& epochText, QChar decimalPoint,
                               const QString& catalogueNote, const TextLookup& lang)
{
    const PrecessionCorrection corr = PrecessFromJ2000(leadingNumber(epochText), raDeg, decDeg);
    const double raEpochDeg = raDeg + corr.dRaDeg;
    const double decEpochDeg = decDeg + corr.dDecDeg;
    const auto text = [&lang](const char* key) { return lang.text(QLatin1String(key)); };

    const QString& blank = kIndent;
    QStringList lines = {
        text("report.heading"),
        kIndent + text("report.identification").arg(identifier),
        kIndent + text("report.mag_red").arg(magR),
        kIndent + text("report.mag_blue").arg(magB),
        blank,
        text("report.equatorial").arg(QStringLiteral("2000.0")),
        raLine(raDeg, decimalPoint, lang),
        decLine(decDeg, decimalPoint, lang),
        blank,
        text("report.equatorial").arg(epochText),
        raLine(raEpochDeg, decimalPoint, lang),
        decLine(decEpochDeg, decimalPoint, lang),
        blank,
        text("report.names"),
        kIndent + QStringLiteral("USNO-A2.0: ") + identifier,
        blank,
    };
    const QString gaia = QStringLiteral("Gaia DR3 ");
    if (catalogueNote.startsWith(gaia)) {
        lines[lines.size() - 2] = kIndent + QStringLiteral("Gaia DR3: ") + catalogueNote.mid(gaia.size());
        lines.insert(lines.size() - 1, kIndent + text("report.gaia_epoch").arg(epochText));
    }
    return {text("report.title").arg(identifier), lines.join(QStringLiteral("\r\n"))};
}

}  // namespace ce
