#include "tools/catalogue_service/gaia_extract.h"

#include "catalogue/sources/vizier_gaia_source.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>

namespace ce::service {

Result<std::vector<GaiaStar>> parseGaiaExtract(const QByteArray& text, const QString& sourceName)
{
    using R = Result<std::vector<GaiaStar>>;
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    static const QRegularExpression sourceId(QStringLiteral("^\\d{1,19}$"));
    std::vector<GaiaStar> stars;
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = QString::fromUtf8(lines[n]).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const auto fail = [&](const QString& reason) {
            return R::failure(QStringLiteral("Ligne %1 de %2 illisible : %3").arg(n + 1).arg(sourceName, reason));
        };
        const QStringList f = line.split(blanks);
        if (f.size() != 8)
            return fail(QStringLiteral("8 champs attendus"));
        if (!sourceId.match(f[0]).hasMatch())
            return fail(QStringLiteral("source_id"));
        double v[7];
        for (int i = 0; i < 7; ++i) {
            bool ok = false;
            v[i] = f[i + 1].toDouble(&ok);
            if (!ok || !std::isfinite(v[i]))
                return fail(QStringLiteral("nombre attendu : %1").arg(f[i + 1]));
        }
        if (v[0] < 0 || v[0] >= 360 || std::abs(v[1]) > 90)
            return fail(QStringLiteral("position hors du ciel"));
        stars.push_back({f[0], v[0], v[1], v[2], v[3], v[4], v[5], v[6]});
    }
    return R::success(std::move(stars));
}

Result<std::vector<GaiaStar>> readGaiaExtract(const QString& path)
{
    QFile file(path);
    if (!file.exists())
        return Result<std::vector<GaiaStar>>::failure(QStringLiteral("Fichier introuvable : %1").arg(path));
    if (!file.open(QIODevice::ReadOnly))
        return Result<std::vector<GaiaStar>>::failure(path + QStringLiteral(" : ") + file.errorString());
    return parseGaiaExtract(file.readAll(), path);
}

QByteArray gaiaExtractText(const std::vector<GaiaStar>& stars)
{
    QByteArray text = "# source_id ra_deg dec_deg pmra pmdec (ICRS, epoch 2016.0, mas/yr) G BP RP\n";
    for (const GaiaStar& s : stars) {
        char line[256];
        std::snprintf(line, sizeof line, "%s %.9f %+.9f %.3f %.3f %.3f %.3f %.3f\n", s.sourceId.toLatin1().constData(),
                      s.raDeg, s.decDeg, s.pmRaMasPerYear, s.pmDecMasPerYear, s.gMag, s.bpMag, s.rpMag);
        text += line;
    }
    return text;
}

std::vector<GaiaStar> gaiaLikeCatalogue(const std::vector<CatalogueStar>& stars, double observationYear,
                                        std::uint64_t seed)
{
    std::mt19937_64 random(seed);
    std::normal_distribution<double> field(0.0, 6.0), fast(0.0, 40.0);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    std::vector<GaiaStar> out;
    out.reserve(stars.size());
    for (const CatalogueStar& s : stars) {
        GaiaStar g;
        // "U1050_01234567" -> 19 digits that keep zone and number apart.
        const QString digits = s.id.mid(1, 4) + s.id.mid(6, 8);
        g.sourceId = QStringLiteral("2%1").arg(digits, 18, QChar(u'0'));
        const bool isFast = uniform(random) < 0.1;
        g.pmRaMasPerYear = std::round((isFast ? fast(random) : field(random)) * 1000) / 1000;
        g.pmDecMasPerYear = std::round((isFast ? fast(random) : field(random)) * 1000) / 1000;
        // The inverse of propagateLinear from 2016.0: the declination first,
        // then the right ascension with the cosine of the 2016.0 declination,
        // so that the program's propagation lands exactly on the star.
        const double years = observationYear - kGaiaDr3EpochYear;
        g.decDeg = s.decDeg - g.pmDecMasPerYear * years / 3'600'000.0;
        const double cosDec = std::cos(g.decDeg * std::numbers::pi / 180.0);
        g.raDeg = std::fmod(s.raDeg - g.pmRaMasPerYear * years / 3'600'000.0 / cosDec + 360.0, 360.0);
        g.gMag = s.magR, g.bpMag = s.magB, g.rpMag = s.magR - 0.5;
        out.push_back(g);
    }
    return out;
}

}  // namespace ce::service
