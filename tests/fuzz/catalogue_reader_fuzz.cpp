// The catalogue service's answer: any page reads into the star table within
// its slots, the same whatever its line ends, with scale factors applied
// alike to every star.

#include "catalogue/catalogue_reader.h"
#include "tests/fuzz/fuzz_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>

using namespace ce;
using ce::fuzz::require;

namespace {

const QString kUntouched = QStringLiteral("untouched");

// The star table is large: each of the three readings below reuses one
// table, marked as untouched again over the slots a reading may have filled.
ReductionState& markedState(int which)
{
    static const auto tables = [] {
        std::array<std::unique_ptr<ReductionState>, 3> made;
        for (auto& t : made) {
            t = std::make_unique<ReductionState>();
            t->starId.fill(kUntouched);
            t->starU.fill(-7.0);
        }
        return made;
    }();
    return *tables[std::size_t(which)];
}

ReductionState& readWith(int which, const QByteArray& answer, double corrAsd, double corrDec,
                         CatalogueCounts& counts)
{
    ReductionState& state = markedState(which);
    for (int i = 0; i <= kCatalogueSlots && (i <= state.starTotal + 1); ++i) {
        state.starId[std::size_t(i)] = kUntouched;
        state.starU[std::size_t(i)] = -7.0;
    }
    counts = readCatalogueAnswer(answer, corrAsd, corrDec, state);
    return state;
}

bool sameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray answer = fuzz::bytesOf(data, size);
    CatalogueCounts counts;
    const ReductionState* state = &readWith(0, answer, 1.0, 1.0, counts);
    const int n = counts.starTotal;
    require(n >= 0 && n <= kCatalogueSlots, "at most 4000 records");
    require(counts.starCount == std::min(n, kMatchingStarLimit), "the matching gets at most 497");
    require(state->starTotal == counts.starTotal && state->starCount == counts.starCount,
            "the state holds the counts");
    require(n == 0 || answer.contains(kCatalogueDataMarker), "records only after the marker");
    require(state->starId[0] == kUntouched && state->starU[0] == -7.0, "slot 0 is left as it was");
    for (int i = n + 1; i <= std::min(n + 2, kCatalogueSlots); ++i)
        require(state->starId[i] == kUntouched && state->starU[i] == -7.0,
                "slots above the records are left as they were");
    for (int i = 1; i <= n; ++i) {
        const QString& id = state->starId[i];
        require(id.startsWith(u'U') && id.size() <= 14, "an identifier starts with U, 14 wide", id);
        require(state->starMagR[i].size() <= 4 && state->starMagB[i].size() <= 4, "magnitudes 4 wide");
        for (const QString& t : {id, state->starMagR[i], state->starMagB[i]})
            require(!t.contains(u'\r') && !t.contains(u'\n'), "no line end inside a column", t);
        require(std::isnan(state->starU[i]) || state->starU[i] == std::floor(state->starU[i]),
                "positions are rounded to whole pixels");
    }

    // The same answer with every line end made CR LF reads the same.
    QByteArray crlf = answer;
    crlf.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    CatalogueCounts crlfCounts;
    const ReductionState* crlfState = &readWith(1, crlf, 1.0, 1.0, crlfCounts);
    require(crlfCounts.starTotal == n, "line ends do not change the record count");
    for (int i = 1; i <= n; ++i)
        require(crlfState->starId[i] == state->starId[i] && sameValue(crlfState->starU[i], state->starU[i])
                    && sameValue(crlfState->starV[i], state->starV[i])
                    && crlfState->starMagR[i] == state->starMagR[i]
                    && crlfState->starMagB[i] == state->starMagB[i],
                "line ends do not change a record", state->starId[i]);

    // Factors: -1 mirrors every position (rounding half to even is
    // symmetric); 0 gives 0 for every star.
    CatalogueCounts scaledCounts;
    const ReductionState* scaled = &readWith(2, answer, -1.0, 0.0, scaledCounts);
    require(scaledCounts.starTotal == n, "factors do not change the record count");
    for (int i = 1; i <= n; ++i) {
        require(sameValue(scaled->starU[i], -state->starU[i]), "a factor of -1 mirrors the position",
                state->starId[i]);
        require(scaled->starV[i] == 0.0, "a factor of 0 gives 0", state->starId[i]);
    }
    return 0;
}
