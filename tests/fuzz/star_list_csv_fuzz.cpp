// Any identifications, magnitudes and numbers: the star list parses back
// as RFC 4180 with every text cell equal to what was given (blanks around
// magnitudes removed) and every number in its column.

#include "export/star_list_csv.h"
#include "tests/export/rfc4180.h"
#include "tests/fuzz/fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>

using namespace ce;
using ce::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::vector<IdentifiedStar> stars;
    while (in.remaining_bytes() > 0 && stars.size() < 50) {
        IdentifiedStar s;
        s.id = QString::fromUtf8(in.ConsumeRandomLengthString(40));
        s.magRed = QString::fromUtf8(in.ConsumeRandomLengthString(8));
        s.magBlue = QString::fromUtf8(in.ConsumeRandomLengthString(8));
        s.raDeg = in.ConsumeFloatingPoint<double>();
        s.decDeg = in.ConsumeFloatingPoint<double>();
        s.predictedX = in.ConsumeFloatingPointInRange<double>(-1e6, 1e6);
        s.predictedY = in.ConsumeFloatingPoint<double>();
        if (in.ConsumeBool())
            s.measure = StarMeasure{in.ConsumeFloatingPointInRange<double>(-1e6, 1e6), in.ConsumeFloatingPoint<double>(),
                                    in.ConsumeFloatingPoint<double>(), in.ConsumeFloatingPoint<double>(), in.ConsumeBool()};
        stars.push_back(s);
    }
    const QByteArray bytes = starListCsv(stars);
    const auto records = ce::testing::parseRfc4180(QString::fromUtf8(bytes));
    require(records.has_value(), "the list parses as RFC 4180", QString::fromUtf8(bytes.left(400)));
    require(records->size() == stars.size() + 1, "one record per star after the header");
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const QStringList& row = (*records)[i + 1];
        const IdentifiedStar& s = stars[i];
        require(row.size() == 12, "twelve cells in every record");
        require(row[0] == s.id, "the identification comes back", s.id);
        require(row[3] == s.magRed.trimmed() && row[4] == s.magBlue.trimmed(), "the magnitudes come back");
        const auto number = [&](int column, double given, double tolerance) {
            if (!std::isfinite(given)) {
                require(row[column].isEmpty(), "no number for a value that is not finite");
                return;
            }
            bool ok = false;
            const double read = row[column].toDouble(&ok);
            require(ok, "a number cell reads as a number", row[column]);
            require(std::fabs(read - given) <= tolerance * std::max(1.0, std::fabs(given)), "the number comes back",
                    row[column]);
        };
        number(1, s.raDeg, 1e-14);
        number(2, s.decDeg, 1e-14);
        number(5, s.predictedX, 5e-4);
        if (s.measure) {
            number(7, s.measure->xPx, 5e-4);
            require(row[11] == (s.measure->used ? QStringLiteral("used") : QStringLiteral("rejected")), "used or rejected");
        } else {
            for (int c = 7; c < 12; ++c) require(row[c].isEmpty(), "no measure: empty cells");
        }
    }
    return 0;
}
