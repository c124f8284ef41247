#include "catalogue/sources/vizier_gaia_source.h"

#include "catalogue/sources/asu_query.h"
#include "catalogue/sources/proper_motion.h"
#include "catalogue/sources/reader_page.h"
#include "core/numbers.h"

namespace ce {
namespace {

const AsuCatalogue kGaia{QStringLiteral("I/355/gaiadr3"),
                         {QStringLiteral("Source"), QStringLiteral("RA_ICRS"), QStringLiteral("DE_ICRS"),
                          QStringLiteral("pmRA"), QStringLiteral("pmDE"), QStringLiteral("Gmag"),
                          QStringLiteral("BPmag"), QStringLiteral("RPmag")},
                         QStringLiteral("Gmag")};

bool allDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (!c.isDigit() || c.unicode() > 127)
            return false;
    return true;
}

// The Epoch box as the year the positions are carried to.
Result<double> observationYear(const FieldRequest& request, const TextLookup& lang)
{
    const double epoch = leadingNumber(request.epochText);
    if (!(epoch >= 1000.0 && epoch <= 3000.0))
        return Result<double>::failure(lang.text(QStringLiteral("catalogue.read.epoch")));
    return Result<double>::success(epoch);
}

}  // namespace

QString gaiaShortIdentifier(const QString& sourceId)
{
    return QStringLiteral("DR3 ") + (sourceId.size() > 10 ? sourceId.right(10) : sourceId);
}

QString VizierGaiaSource::key() const { return QStringLiteral("vizier-gaiadr3"); }

Result<QString> VizierGaiaSource::pathAndQuery(const FieldRequest& request, const TextLookup& lang) const
{
    // No question is asked whose answer could not be used.
    if (const Result<double> year = observationYear(request, lang); !year)
        return Result<QString>::failure(year.error());
    return asuPathAndQuery(kGaia, request, lang);
}

Result<QByteArray> VizierGaiaSource::readerAnswer(const QByteArray& answer, const FieldRequest& request,
                                                   const TextLookup& lang) const
{
    using R = Result<QByteArray>;
    const Result<double> epoch = observationYear(request, lang);
    if (!epoch)
        return R::failure(epoch.error());
    const Result<AsuTable> table = parseAsuTable(answer, lang);
    if (!table)
        return R::failure(table.error());
    const auto columns = asuColumns(*table, kGaia.columns, lang);
    if (!columns)
        return R::failure(columns.error());
    const auto& c = *columns;
    std::vector<ReaderStar> stars;
    for (std::size_t i = 0; i < table->rows.size(); ++i) {
        const QStringList& row = table->rows[i];
        const auto ra = asuNumber(row[c[1]]), dec = asuNumber(row[c[2]]);
        if (!allDigits(row[c[0]]) || !ra || !dec || *dec < -90.0 || *dec > 90.0)
            return R::failure(lang.text(QStringLiteral("catalogue.read.badstar")).arg(i + 1));
        const SkyPosition at = propagateLinear(*ra, *dec, asuNumber(row[c[3]]).value_or(0.0),
                                               asuNumber(row[c[4]]).value_or(0.0), kGaiaDr3EpochYear, *epoch);
        ReaderStar s;
        s.id = gaiaShortIdentifier(row[c[0]]);
        s.note = QStringLiteral("Gaia DR3 ") + row[c[0]];
        s.raDeg = at.raDeg, s.decDeg = at.decDeg;
        const auto rp = asuNumber(row[c[7]]), bp = asuNumber(row[c[6]]);
        s.hasMagR = rp.has_value(), s.magR = rp.value_or(0);
        s.hasMagB = bp.has_value(), s.magB = bp.value_or(0);
        stars.push_back(s);
    }
    return R::success(readerPage(stars));
}

}  // namespace ce
