// The local catalogue service's ASU request: whatever query string it
// accepts, written back by asuQueryString and read again, gives the same
// request; a query it refuses is refused with a message that names the key
// at fault (or the key that is missing).

#include "tools/catalogue_service/asu_request.h"
#include "tools/catalogue_service/usnoa_query.h"
#include "tests/fuzz/fuzz_support.h"

#include <cmath>
#include <string>

using namespace ce;
using namespace ce::service;
using ce::fuzz::require;

namespace {

bool sameBound(const std::optional<double>& a, const std::optional<double>& b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

bool sameRequest(const AsuRequest& a, const AsuRequest& b)
{
    if (a.catalogue != b.catalogue || a.raDeg != b.raDeg || a.decDeg != b.decDeg || a.box != b.box
        || a.columns != b.columns || a.sortColumn != b.sortColumn || a.sortDescending != b.sortDescending
        || a.maxRows != b.maxRows || a.constraints.size() != b.constraints.size())
        return false;
    if (a.box ? (a.widthArcmin != b.widthArcmin || a.heightArcmin != b.heightArcmin)
              : a.radiusArcmin != b.radiusArcmin)
        return false;
    for (const auto& [column, c] : a.constraints) {
        const auto other = b.constraints.find(column);
        if (other == b.constraints.end())
            return false;
        const AsuConstraint& d = other->second;
        if (!sameBound(c.low, d.low) || !sameBound(c.high, d.high)
            || (c.low && c.lowIncluded != d.lowIncluded) || (c.high && c.highIncluded != d.highIncluded))
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string raw(reinterpret_cast<const char*>(data), size);
    const QueryKeys keys = decodeQueryString(raw);
    const Result<AsuRequest> request = parseAsuRequest(keys);
    if (!request) {
        const QString& why = request.error();
        bool named = why.contains(QStringLiteral("manquante"));
        // An empty key ("&=x") is named by nothing at all: « la clé  : ».
        for (const auto& [key, value] : keys)
            named = named || why.contains(QStringLiteral("clé %1 :").arg(QString::fromStdString(key)))
                || (!key.empty() && why.contains(QString::fromStdString(key)));
        require(named, "a refusal names the key", why);
        return 0;
    }
    const AsuRequest& q = *request;
    require(std::isfinite(q.raDeg) && q.raDeg >= 0 && q.raDeg < 360, "the centre's RA in 0..360",
            QString::number(q.raDeg, 'g', 17));
    require(std::isfinite(q.decDeg) && std::abs(q.decDeg) <= 90, "the centre's Dec in -90..90",
            QString::number(q.decDeg, 'g', 17));

    const std::string written = asuQueryString(q);
    const Result<AsuRequest> again = parseAsuRequest(decodeQueryString(written));
    require(again.ok(), "the written request reads again",
            QString::fromStdString(written) + u'\n' + (again ? QString() : again.error()));
    require(sameRequest(q, *again), "the written request reads as the same request",
            QString::fromStdString(written));
    require(asuQueryString(*again) == written, "the request is written the same way twice",
            QString::fromStdString(written));
    return 0;
}
