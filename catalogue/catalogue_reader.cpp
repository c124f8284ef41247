#include "catalogue/catalogue_reader.h"

#include "core/numbers.h"
#include "core/textfile.h"

#include <QStringView>

#include <algorithm>

namespace ce {
namespace {

// Columns of a record, counted from 0 within its line.
constexpr qsizetype kIdStart = 5, kIdLength = 14;
constexpr qsizetype kRaStart = 20, kRaLength = 9;
constexpr qsizetype kDecStart = 30, kDecLength = 9;
constexpr qsizetype kMagRStart = 40, kMagRLength = 4;
constexpr qsizetype kMagBStart = 45, kMagBLength = 4;

// The next line of `text` from `pos` without its line end (LF, CR LF or CR);
// moves `pos` past the line end.
QStringView nextLine(QStringView text, qsizetype& pos)
{
    const qsizetype start = pos;
    qsizetype end = start;
    while (end < text.size() && text[end] != u'\n' && text[end] != u'\r') ++end;
    pos = end;
    if (pos < text.size()) {
        if (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ++pos;
        ++pos;
    }
    return text.sliced(start, end - start);
}

// Column 6 opens a USNO-A2.0 identifier ("U") or a Gaia DR3 one ("DR3 ").
bool isStarRecord(QStringView record)
{
    return (record.size() >= 6 && record[5] == u'U') || record.sliced(std::min<qsizetype>(5, record.size())).startsWith(u"DR3 ");
}

// Columns that a short record may lack read as empty text.
QStringView column(QStringView record, qsizetype start, qsizetype length)
{
    if (start >= record.size()) return {};
    return record.sliced(start, std::min(length, record.size() - start));
}

// A position column times its scale factor, rounded half to even. A missing
// factor (0) gives 0 even for a column beyond the range of a double, whose
// infinity times 0 would be no number at all.
double scaledColumn(QStringView column, double factor)
{
    if (factor == 0.0) return 0.0;
    return roundHalfEven(leadingNumber(column) * factor);
}

}  // namespace

CatalogueCounts readCatalogueAnswer(const QByteArray& answer, double corrAsd, double corrDec,
                                    ReductionState& state)
{
    CatalogueCounts counts;
    const QString text = decodeWindows1252(answer);
    qsizetype marker = text.indexOf(QLatin1String(kCatalogueDataMarker));
    const qsizetype gaiaMarker = text.indexOf(QLatin1String(kGaiaDataMarker));
    if (gaiaMarker >= 0 && (marker < 0 || gaiaMarker < marker))
        marker = gaiaMarker;
    if (marker >= 0) {
        // The data begin right after "</b>", with record 1's running number.
        qsizetype pos = marker + 4;
        int n = 0;
        while (n < kCatalogueSlots && pos < text.size()) {
            const QStringView record = nextLine(text, pos);
            if (!isStarRecord(record)) break;
            ++n;
            state.starId[n] = column(record, kIdStart, kIdLength).toString();
            state.starRaDeg[n] = leadingNumber(column(record, kRaStart, kRaLength));
            state.starDecDeg[n] = leadingNumber(column(record, kDecStart, kDecLength));
            state.starU[n] = scaledColumn(column(record, kRaStart, kRaLength), corrAsd);
            state.starV[n] = scaledColumn(column(record, kDecStart, kDecLength), corrDec);
            state.starMagR[n] = column(record, kMagRStart, kMagRLength).toString();
            state.starMagB[n] = column(record, kMagBStart, kMagBLength).toString();
        }
        counts.starTotal = static_cast<std::int16_t>(n);
        counts.starCount = static_cast<std::int16_t>(std::min(n, kMatchingStarLimit));
    }
    state.starTotal = counts.starTotal;
    state.starCount = counts.starCount;
    return counts;
}

Result<CatalogueCounts> readCatalogueFile(const QString& path, double corrAsd, double corrDec,
                                          ReductionState& state, const TextLookup& lang)
{
    const Result<QByteArray> bytes = readFileBytes(path, lang);
    if (!bytes) return Result<CatalogueCounts>::failure(bytes.error());
    return Result<CatalogueCounts>::success(readCatalogueAnswer(*bytes, corrAsd, corrDec, state));
}

QString catalogueRecordNote(const QByteArray& answer, const QString& identifier)
{
    const QString text = decodeWindows1252(answer);
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QStringView line = nextLine(text, pos);
        // The first record still carries the "</b>" that closes the header.
        const QStringView record = line.startsWith(u"</b>") ? line.sliced(4) : line;
        if (isStarRecord(record) && column(record, kIdStart, kIdLength) == identifier)
            return column(record, 65, record.size()).trimmed().toString();
    }
    return QString();
}

QString catalogueReadStatus(const CatalogueCounts& counts, const QString& message19)
{
    return formatWhole(counts.starCount) + u'/' + formatWhole(counts.starTotal) + message19;
}

}  // namespace ce
