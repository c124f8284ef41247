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

QString raLine(double raDeg, QChar decimalPoint)
{
    return QStringLiteral("   Ascention droite: ") + coordinateText(raDeg, decimalPoint)
         + QStringLiteral("  (") + FormatSexagesimal(raDeg / 15.0, QStringLiteral("H")) + u')';
}

QString decLine(double decDeg, QChar decimalPoint)
{
    return QStringLiteral("   Declinaison: ") + coordinateText(decDeg, decimalPoint)
         + QStringLiteral("  (") + FormatSexagesimal(decDeg, QStringLiteral("°")) + u')';
}

}  // namespace

ObjectReport buildObjectReport(const QString& identifier, double raDeg, double decDeg,
                               const QString& magR, const QString& magB,
                               const QString& epochText, QChar decimalPoint,
                               const QString& catalogueNote)
{
    const PrecessionCorrection corr = PrecessFromJ2000(leadingNumber(epochText), raDeg, decDeg);
    const double raEpochDeg = raDeg + corr.dRaDeg;
    const double decEpochDeg = decDeg + corr.dDecDeg;

    const QString blank = QStringLiteral("   ");
    QStringList lines = {
        QStringLiteral("INFORMATION SUR L'OBJET"),
        QStringLiteral("   Identification: ") + identifier,
        QStringLiteral("   Magnitude Rouge: ") + magR,
        QStringLiteral("   Magnitude Bleu: ") + magB,
        blank,
        QStringLiteral("COORDONNEE EQUATORIALE (J2000.0)"),
        raLine(raDeg, decimalPoint),
        decLine(decDeg, decimalPoint),
        blank,
        QStringLiteral("COORDONNEE EQUATORIALE (J") + epochText + u')',
        raLine(raEpochDeg, decimalPoint),
        decLine(decEpochDeg, decimalPoint),
        blank,
        QStringLiteral("NOM DANS LES CATALOGUES"),
        QStringLiteral("   USNO-A2.0: ") + identifier,
        blank,
    };
    const QString gaia = QStringLiteral("Gaia DR3 ");
    if (catalogueNote.startsWith(gaia)) {
        lines[lines.size() - 2] = QStringLiteral("   Gaia DR3: ") + catalogueNote.mid(gaia.size());
        lines.insert(lines.size() - 1, QStringLiteral("   Position de 2016.0 portée à J") + epochText
                                           + QStringLiteral(" par le mouvement propre (linéaire)"));
    }
    return {QStringLiteral("About ") + identifier, lines.join(QStringLiteral("\r\n"))};
}

}  // namespace ce
