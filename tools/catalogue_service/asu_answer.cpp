#include "tools/catalogue_service/asu_answer.h"

#include "catalogue/sources/asu_table.h"
#include "tools/catalogue_service/sky_distance.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

namespace ce::service {
namespace {

QString fixed(const char* format, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return QString::fromLatin1(text);
}

// One catalogue row: the cells by column name and the values constraints
// and sorting use.
struct Row {
    std::map<QString, QString> cells;
    std::map<QString, double> values;
    double raDeg = 0, decDeg = 0;
};

Row usnoRow(const CatalogueStar& s)
{
    Row r;
    r.raDeg = s.raDeg, r.decDeg = s.decDeg;
    r.cells["USNO-A2.0"] = s.id.mid(1, 4) + u'-' + s.id.mid(6);
    r.cells["RAJ2000"] = fixed("%010.6f", s.raDeg), r.values["RAJ2000"] = s.raDeg;
    r.cells["DEJ2000"] = fixed("%+010.6f", s.decDeg), r.values["DEJ2000"] = s.decDeg;
    r.cells["Rmag"] = fixed("%4.1f", s.magR), r.values["Rmag"] = s.magR;
    r.cells["Bmag"] = fixed("%4.1f", s.magB), r.values["Bmag"] = s.magB;
    return r;
}

Row gaiaRow(const GaiaStar& s)
{
    Row r;
    r.raDeg = s.raDeg, r.decDeg = s.decDeg;
    r.cells["Source"] = s.sourceId;
    r.cells["RA_ICRS"] = fixed("%015.11f", s.raDeg), r.values["RA_ICRS"] = s.raDeg;
    r.cells["DE_ICRS"] = fixed("%+015.11f", s.decDeg), r.values["DE_ICRS"] = s.decDeg;
    r.cells["pmRA"] = fixed("%9.3f", s.pmRaMasPerYear), r.values["pmRA"] = s.pmRaMasPerYear;
    r.cells["pmDE"] = fixed("%9.3f", s.pmDecMasPerYear), r.values["pmDE"] = s.pmDecMasPerYear;
    r.cells["Gmag"] = fixed("%7.4f", s.gMag), r.values["Gmag"] = s.gMag;
    r.cells["BPmag"] = fixed("%7.4f", s.bpMag), r.values["BPmag"] = s.bpMag;
    r.cells["RPmag"] = fixed("%7.4f", s.rpMag), r.values["RPmag"] = s.rpMag;
    return r;
}

bool inside(const AsuRequest& q, const Row& r)
{
    if (!q.box)
        return angularDistanceDeg(q.raDeg, q.decDeg, r.raDeg, r.decDeg) * 60 <= q.radiusArcmin;
    const double dRa = std::remainder(r.raDeg - q.raDeg, 360.0) * std::cos(q.decDeg * std::numbers::pi / 180);
    return std::abs(dRa) * 60 <= q.widthArcmin / 2 && std::abs(r.decDeg - q.decDeg) * 60 <= q.heightArcmin / 2;
}

QString unitOf(const QString& column)
{
    if (column.endsWith(u"mag")) return QStringLiteral("mag");
    if (column.startsWith(u"pm")) return QStringLiteral("mas/yr");
    if (column.startsWith(u"RA") || column.startsWith(u"DE")) return QStringLiteral("deg");
    return QString();
}

}  // namespace

QByteArray asuAnswer(const AsuRequest& q, const std::vector<CatalogueStar>& usno, const std::vector<GaiaStar>& gaia,
                     const AsuOptions& options)
{
    std::vector<Row> rows;
    const bool isGaia = q.catalogue == AsuCatalogueId::GaiaDr3;
    const std::size_t total = isGaia ? gaia.size() : usno.size();
    for (std::size_t i = 0; i < total; ++i) {
        Row r = isGaia ? gaiaRow(gaia[i]) : usnoRow(usno[i]);
        if (!inside(q, r))
            continue;
        bool kept = true;
        for (const auto& [column, limit] : q.constraints)
            kept = kept && limit.admits(r.values[column]);
        if (kept)
            rows.push_back(std::move(r));
    }
    if (!q.sortColumn.isEmpty())
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            const double x = a.values.at(q.sortColumn), y = b.values.at(q.sortColumn);
            return q.sortDescending ? x > y : x < y;
        });
    if (rows.size() > std::size_t(q.maxRows))
        rows.resize(std::size_t(q.maxRows));

    AsuTable table;
    table.names = q.columns;
    if (options.dropFirstColumn && !table.names.isEmpty())
        table.names.removeFirst();
    for (const QString& c : table.names)
        table.units.append(unitOf(c));
    for (Row& r : rows) {
        QStringList cells;
        for (const QString& c : table.names)
            cells.append(r.cells[c]);
        table.rows.push_back(cells);
    }
    const QString name = isGaia ? QStringLiteral("I/355/gaiadr3") : QStringLiteral("I/252/out");
    const QStringList comments = {
        QString(),
        QStringLiteral("   VizieR Astronomical Server: local catalogue service (127.0.0.1)"),
        QStringLiteral("   In case of problem, please read the service's log"),
        QString(),
        QStringLiteral("RESOURCE=%1").arg(isGaia ? QStringLiteral("yCat_1355") : QStringLiteral("yCat_1252")),
        QStringLiteral("Name: %1").arg(name),
        QStringLiteral("Table\t%1:").arg(QString(name).replace(u'/', u'_')),
        QStringLiteral("Name: %1").arg(name),
        QStringLiteral("INFO\tQUERY_STATUS=OK"),
        QStringLiteral("INFO\tmatched=%1").arg(rows.size()),
    };
    return formatAsuTable(table, comments);
}

namespace {

// Only the count matters here, never why a table could not be read.
class Unworded final : public TextLookup {
public:
    QString text(const QString& key) const override { return key; }
};

}  // namespace

int asuRowCount(const QByteArray& answer)
{
    const Result<AsuTable> table = parseAsuTable(answer, Unworded());
    return table ? int(table->rows.size()) : 0;
}

}  // namespace ce::service
