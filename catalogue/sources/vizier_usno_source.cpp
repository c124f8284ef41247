#include "catalogue/sources/vizier_usno_source.h"

#include "catalogue/sources/asu_query.h"
#include "catalogue/sources/reader_page.h"

#include <QRegularExpression>

namespace ce {
namespace {

const AsuCatalogue kUsno{QStringLiteral("I/252/out"),
                         {QStringLiteral("USNO-A2.0"), QStringLiteral("RAJ2000"), QStringLiteral("DEJ2000"),
                          QStringLiteral("Rmag"), QStringLiteral("Bmag")},
                         QStringLiteral("Rmag")};

}  // namespace

QString usnoIdentifierFromVizier(const QString& vizierId)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{4})-(\\d{8})$"));
    const QRegularExpressionMatch m = form.match(vizierId.trimmed());
    return m.hasMatch() ? u'U' + m.captured(1) + u'_' + m.captured(2) : QString();
}

QString VizierUsnoSource::key() const { return QStringLiteral("vizier-usnoa2"); }

Result<QString> VizierUsnoSource::pathAndQuery(const FieldRequest& request, const TextLookup& lang) const
{
    return asuPathAndQuery(kUsno, request, lang);
}

Result<QByteArray> VizierUsnoSource::readerAnswer(const QByteArray& answer, const FieldRequest&,
                                                   const TextLookup& lang) const
{
    using R = Result<QByteArray>;
    const Result<AsuTable> table = parseAsuTable(answer, lang);
    if (!table)
        return R::failure(table.error());
    const auto columns = asuColumns(*table, kUsno.columns, lang);
    if (!columns)
        return R::failure(columns.error());
    const auto& c = *columns;
    std::vector<ReaderStar> stars;
    for (std::size_t i = 0; i < table->rows.size(); ++i) {
        const QStringList& row = table->rows[i];
        ReaderStar s;
        s.id = usnoIdentifierFromVizier(row[c[0]]);
        const auto ra = asuNumber(row[c[1]]), dec = asuNumber(row[c[2]]);
        if (s.id.isEmpty() || !ra || !dec)
            return R::failure(lang.text(QStringLiteral("catalogue.read.badstar")).arg(i + 1));
        s.raDeg = *ra, s.decDeg = *dec;
        const auto r = asuNumber(row[c[3]]), b = asuNumber(row[c[4]]);
        s.hasMagR = r.has_value(), s.magR = r.value_or(0);
        s.hasMagB = b.has_value(), s.magB = b.value_or(0);
        stars.push_back(s);
    }
    return R::success(readerPage(stars));
}

}  // namespace ce
