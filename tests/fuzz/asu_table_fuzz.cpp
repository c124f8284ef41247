// The answer of a VizieR-style ASU service: a table read and written again
// reads back unchanged, and each source turns any answer it accepts into a
// page that the catalogue reader reads with at most 4000 stars, none of
// them at a position that is not a number.

#include "catalogue/catalogue_reader.h"
#include "tests/core/key_echo.h"
#include "catalogue/sources/asu_table.h"
#include "catalogue/sources/catalogue_source.h"
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <cmath>
#include <memory>

using namespace ce;
using ce::fuzz::require;

namespace {

// The tables formatAsuTable promises to write back exactly.
bool writable(const QString& cell)
{
    return !cell.contains(u'\t') && !cell.contains(u'\n') && !cell.contains(u'\r') && cell == cell.trimmed();
}

bool writable(const AsuTable& t)
{
    const auto allEmpty = [](const QStringList& cells) {
        return std::all_of(cells.begin(), cells.end(), [](const QString& c) { return c.isEmpty(); });
    };
    if (t.names.isEmpty() || t.names.first().startsWith(u'#') || allEmpty(t.names))
        return false;
    for (const QStringList& row : t.rows)
        if (allEmpty(row) || row.first().startsWith(u'#'))
            return false;
    for (const QStringList* cells : {&t.names, &t.units})
        for (const QString& c : *cells)
            if (!writable(c))
                return false;
    for (const QStringList& row : t.rows)
        for (const QString& c : row)
            if (!writable(c))
                return false;
    return true;
}

const FieldRequest& fieldRequest()
{
    static const FieldRequest request = [] {
        FieldRequest r;
        r.query.raJ2000Deg = 23.7;
        r.query.decJ2000Deg = 22.2;
        r.epochText = QStringLiteral("2024.5");
        r.radiusText = QStringLiteral("15");
        r.magnitudeText = QStringLiteral("16");
        return r;
    }();
    return request;
}

// The star table is large: one, reused by every reading.
ReductionState& state()
{
    static const auto made = std::make_unique<ReductionState>();
    return *made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray answer = fuzz::bytesOf(data, size);
    const Result<AsuTable> table = parseAsuTable(answer, ce::test::KeyEcho());
    if (table) {
        for (const QStringList& row : table->rows)
            require(row.size() == table->names.size(), "every row as wide as the names");
        require(table->units.size() == table->names.size(), "one unit per name");
        if (writable(*table)) {
            const QByteArray written = formatAsuTable(*table, {QStringLiteral("VizieR")});
            const Result<AsuTable> again = parseAsuTable(written, ce::test::KeyEcho());
            require(again.ok(), "a written table reads again",
                    QString::fromUtf8(written) + u'\n' + (again ? QString() : again.error()));
            require(again->names == table->names && again->units == table->units && again->rows == table->rows,
                    "a written table reads back unchanged", QString::fromUtf8(written));
        }
    }

    for (const CatalogueSourceKind kind :
         {CatalogueSourceKind::VizierUsnoA2, CatalogueSourceKind::VizierGaiaDr3, CatalogueSourceKind::Service}) {
        const Result<QByteArray> page = makeCatalogueSource(kind)->readerAnswer(answer, fieldRequest(), ce::test::KeyEcho());
        if (!page)
            continue;
        ReductionState& s = state();
        const CatalogueCounts counts = readCatalogueAnswer(*page, 1.0, 1.0, s);
        require(counts.starTotal >= 0 && counts.starTotal <= kCatalogueSlots, "at most 4000 stars");
        // The service's own page is kept as it came; only the pages written
        // from an ASU table are the program's own.
        if (kind == CatalogueSourceKind::Service)
            continue;
        for (int i = 1; i <= counts.starTotal; ++i)
            require(!std::isnan(s.starRaDeg[std::size_t(i)]) && !std::isnan(s.starDecDeg[std::size_t(i)])
                        && !std::isnan(s.starU[std::size_t(i)]) && !std::isnan(s.starV[std::size_t(i)]),
                    "no position is NaN", QString::fromLatin1(*page));
    }
    return 0;
}
