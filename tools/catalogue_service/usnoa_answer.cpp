#include "tools/catalogue_service/usnoa_answer.h"

#include "tools/catalogue_service/sky_distance.h"

#include <algorithm>
#include <cmath>

namespace ce::service {

namespace {

// Centre as the head of the page repeats it: "01 34 50.00", "+22 11 01.0".
QString sexagesimalText(double value, int secondDecimals, bool withSign)
{
    const bool negative = value < 0;
    const double scale = std::pow(10.0, secondDecimals);
    // Work in whole units of the last decimal so that the carry is exact.
    long long units = std::llround(std::fabs(value) * 3600.0 * scale);
    const long long whole = units / (3600 * static_cast<long long>(scale));
    units -= whole * 3600 * static_cast<long long>(scale);
    const long long minutes = units / (60 * static_cast<long long>(scale));
    const double seconds = static_cast<double>(units - minutes * 60 * static_cast<long long>(scale)) / scale;
    const QString sign = withSign ? QString(negative ? u'-' : u'+') : QString();
    return sign + QString::asprintf("%02lld %02lld %0*.*f", whole, minutes, secondDecimals + 3, secondDecimals,
                                    seconds);
}

QByteArray htmlHead(const QString& title)
{
    return "<html>\n<head>\n<title>" + title.toHtmlEscaped().toUtf8() +
           "</title>\n</head>\n<body>\n<h3>" + title.toHtmlEscaped().toUtf8() + "</h3>\n";
}

constexpr char kHeaderColumns[] =
    "  nr ID              ra_deg    dec_deg   r_mag b_mag      d'      pa";

}  // namespace

std::vector<SelectedStar> selectStars(const std::vector<CatalogueStar>& catalogue, const UsnoaQuery& query)
{
    std::vector<SelectedStar> chosen;
    for (const CatalogueStar& star : catalogue) {
        if (star.magR < query.magBright || star.magR > query.magFaint)
            continue;
        const double distanceArcmin =
            angularDistanceDeg(query.raDeg, query.decDeg, star.raDeg, star.decDeg) * 60.0;
        if (distanceArcmin > query.radiusArcmin)
            continue;
        chosen.push_back({star, distanceArcmin,
                          positionAngleDeg(query.raDeg, query.decDeg, star.raDeg, star.decDeg)});
    }
    std::stable_sort(chosen.begin(), chosen.end(),
                     [](const SelectedStar& a, const SelectedStar& b) { return a.star.magR < b.star.magR; });
    const auto limit = static_cast<std::size_t>(std::min(query.maxCount, kMaxRecords));
    if (chosen.size() > limit)
        chosen.resize(limit);
    return chosen;
}

QByteArray formatRecord(int runningNumber, const SelectedStar& s)
{
    // "%8.3f" of 359.9996 reads 360.000, the same direction as 0.000.
    const double angle = s.positionAngleDeg >= 359.9995 ? 0.0 : s.positionAngleDeg;
    return QString::asprintf("%4d %-14.14s %9.5f %+09.5f %4.1f %4.1f%8.3f%8.3f", runningNumber,
                             qPrintable(s.star.id), s.star.raDeg, s.star.decDeg, s.star.magR, s.star.magB,
                             s.distanceArcmin, angle)
        .toLatin1();
}

QByteArray answerPage(const UsnoaQuery& query, const std::vector<SelectedStar>& stars, const PageOptions& options)
{
    QByteArray page = htmlHead(QStringLiteral("USNO-A2.0 : résultat de la recherche"));
    const auto cell = [](const QString& text) { return "<td>" + text.toHtmlEscaped().toUtf8() + "</td>"; };
    page += "<table>\n<tr>" + cell(QStringLiteral("RA: ") + sexagesimalText(query.raDeg / 15.0, 2, false)) +
            cell(QStringLiteral("Dec: ") + sexagesimalText(query.decDeg, 1, true)) +
            cell(QStringLiteral("Equinox: J2000")) +
            "</tr>\n";
    page += "<tr>" + cell(QStringLiteral("Epoch: ") + query.epochText) +
            cell(QStringLiteral("Search radius: %1 arcmin").arg(query.radiusArcmin)) +
            cell(QStringLiteral("Magnitude: %1 - %2").arg(query.magBright).arg(query.magFaint)) + "</tr>\n";
    page += "<tr>" + cell(QStringLiteral("Objects found: %1").arg(stars.size())) + "</tr>\n</table>\n";

    page += "<pre>\n<b>";
    page += kHeaderColumns;
    // The header is closed by the first record when there is one, as the
    // archive's page does; the reader looks for "</b>   1 U".
    if (stars.empty() || !options.withMarker)
        page += "</b>\n";
    else
        page += "\n</b>";
    int number = 0;
    for (const SelectedStar& s : stars) {
        page += formatRecord(++number, s);
        page += '\n';
    }
    page += "\n</pre>\n</body>\n</html>\n";
    return page;
}

QByteArray errorPage(int status, const QString& message)
{
    QByteArray page = htmlHead(QStringLiteral("Erreur %1").arg(status));
    page += "<p>" + message.toHtmlEscaped().toUtf8() + "</p>\n</body>\n</html>\n";
    return page;
}

ServiceReply answerQuery(const std::vector<CatalogueStar>& catalogue, const QueryKeys& keys,
                         const PageOptions& options)
{
    const auto query = parseUsnoaQuery(keys);
    if (!query)
        return {400, errorPage(400, query.error()), 0};
    const std::vector<SelectedStar> stars = selectStars(catalogue, *query);
    return {200, answerPage(*query, stars, options), static_cast<int>(stars.size())};
}

}  // namespace ce::service
