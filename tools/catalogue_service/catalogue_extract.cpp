#include "tools/catalogue_service/catalogue_extract.h"

#include <QFile>
#include <QList>
#include <QRegularExpression>

#include <cmath>
#include <optional>

namespace ce::service {

namespace {

// A finite number written with "." as separator, or nothing.
std::optional<double> plainNumber(QByteArrayView text)
{
    bool ok = false;
    const double value = QString::fromLatin1(text).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The reason a star line cannot be used, or an empty text when it can.
QString checkStarLine(const QList<QByteArray>& fields, CatalogueStar& star)
{
    if (fields.size() != 5)
        return QStringLiteral("5 champs attendus, %1 trouvés").arg(fields.size());
    star.id = QString::fromLatin1(fields[0]);
    if (!isUsnoIdentifier(star.id))
        return QStringLiteral("identifiant « %1 » invalide").arg(star.id);
    const auto ra = plainNumber(fields[1]);
    if (!ra || *ra < 0 || *ra >= 360)
        return QStringLiteral("ascension droite hors de 0..360");
    const auto dec = plainNumber(fields[2]);
    if (!dec || *dec < -90 || *dec > 90)
        return QStringLiteral("déclinaison hors de -90..+90");
    const auto magR = plainNumber(fields[3]);
    const auto magB = plainNumber(fields[4]);
    // The answer writes magnitudes in four columns with one decimal.
    if (!magR || !magB || *magR < -9.9 || *magR > 99.9 || *magB < -9.9 || *magB > 99.9)
        return QStringLiteral("magnitude hors de -9.9..99.9");
    star.raDeg = *ra;
    star.decDeg = *dec;
    star.magR = *magR;
    star.magB = *magB;
    return {};
}

}  // namespace

bool isUsnoIdentifier(const QString& id)
{
    static const QRegularExpression pattern(QStringLiteral("^U[0-9]{4}_[0-9]{8}$"));
    return pattern.match(id).hasMatch();
}

Result<std::vector<CatalogueStar>> parseExtract(const QByteArray& text, const QString& sourceName)
{
    std::vector<CatalogueStar> stars;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray line = lines[n].trimmed();  // also drops a CR of a CR LF end
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QList<QByteArray> fields = line.simplified().split(' ');
        CatalogueStar star;
        const QString reason = checkStarLine(fields, star);
        if (!reason.isEmpty()) {
            return Result<std::vector<CatalogueStar>>::failure(
                QStringLiteral("Ligne %1 de %2 illisible : %3").arg(QString::number(n + 1), sourceName, reason));
        }
        stars.push_back(std::move(star));
    }
    return Result<std::vector<CatalogueStar>>::success(std::move(stars));
}

Result<std::vector<CatalogueStar>> readExtract(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Result<std::vector<CatalogueStar>>::failure(QStringLiteral("Fichier introuvable : ") + path);
    if (!file.open(QIODevice::ReadOnly))
        return Result<std::vector<CatalogueStar>>::failure(path + QStringLiteral(" : ") + file.errorString());
    return parseExtract(file.readAll(), path);
}

QByteArray extractText(const std::vector<CatalogueStar>& stars)
{
    QByteArray text = "# id ra_deg dec_deg mag_r mag_b (J2000.0)\n";
    for (const CatalogueStar& s : stars) {
        text += QString::asprintf("%s %9.5f %+09.5f %4.1f %4.1f\n", qPrintable(s.id), s.raDeg, s.decDeg,
                                  s.magR, s.magB)
                    .toLatin1();
    }
    return text;
}

}  // namespace ce::service
