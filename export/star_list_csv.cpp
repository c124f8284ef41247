#include "export/star_list_csv.h"

#include <QStringList>

#include <charconv>
#include <cmath>

namespace ce {

namespace {

QString pixels(double value) { return std::isfinite(value) ? QString::number(value, 'f', 3) : QString(); }
// The shortest decimal form that reads back to the same double: the
// catalogue's value exactly. (Rounding to 15 digits would take the largest
// doubles past the range, where they read back as infinite.)
QString degrees(double value)
{
    if (!std::isfinite(value))
        return QString();
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? QString::fromLatin1(buffer, end - buffer) : QString();
}

}  // namespace

const std::vector<QString>& starListColumns()
{
    static const std::vector<QString> columns{
        QStringLiteral("id"),     QStringLiteral("ra_deg"),   QStringLiteral("dec_deg"),
        QStringLiteral("mag_red"), QStringLiteral("mag_blue"), QStringLiteral("x_pred"),
        QStringLiteral("y_pred"), QStringLiteral("x_meas"),   QStringLiteral("y_meas"),
        QStringLiteral("resid_px"), QStringLiteral("resid_arcsec"), QStringLiteral("fit")};
    return columns;
}

QString csvField(const QString& cell)
{
    if (!cell.contains(u',') && !cell.contains(u'"') && !cell.contains(u'\r') && !cell.contains(u'\n'))
        return cell;
    return u'"' + QString(cell).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

QByteArray starListCsv(const std::vector<IdentifiedStar>& stars)
{
    const auto record = [](const QStringList& cells) {
        QStringList quoted;
        for (const QString& cell : cells)
            quoted << csvField(cell);
        return quoted.join(u',') + QStringLiteral("\r\n");
    };
    QString text = record(QStringList(starListColumns().begin(), starListColumns().end()));
    for (const IdentifiedStar& s : stars) {
        QStringList cells{s.id,
                          degrees(s.raDeg),
                          degrees(s.decDeg),
                          s.magRed.trimmed(),
                          s.magBlue.trimmed(),
                          pixels(s.predictedX),
                          pixels(s.predictedY)};
        if (s.measure) {
            const StarMeasure& m = *s.measure;
            cells << pixels(m.xPx) << pixels(m.yPx) << pixels(m.residualPx) << pixels(m.residualArcsec)
                  << (m.used ? QStringLiteral("used") : QStringLiteral("rejected"));
        } else {
            cells << QString() << QString() << QString() << QString() << QString();
        }
        text += record(cells);
    }
    return text.toUtf8();
}

}  // namespace ce
