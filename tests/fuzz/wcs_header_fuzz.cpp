// Any solution, size, date and star names: the WCS header is whole 2880-
// byte blocks of 80-character printable ASCII cards ending with END, and
// CFITSIO reads back from it the very numbers written; a solution that
// FITS can say (finite, moderate, invertible) is never refused.

#include "export/wcs_header.h"
#include "tests/core/key_echo.h"
#include "tests/fuzz/fuzz_support.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <fitsio.h>

#include <cmath>

using namespace ce;
using ce::fuzz::require;

namespace {

// FITS keeps no subnormal number: the writer puts 0 for one.
double asWritten(double v) { return std::fpclassify(v) == FP_SUBNORMAL ? 0.0 : v; }

bool moderate(double v) { return std::isfinite(v) && std::fabs(v) < 1e100 && (v == 0 || std::fabs(v) > 1e-100); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    WcsExport e;
    e.wcs.crvalRaDeg = in.ConsumeFloatingPoint<double>();
    e.wcs.crvalDecDeg = in.ConsumeFloatingPoint<double>();
    e.wcs.crpixX = in.ConsumeFloatingPoint<double>();
    e.wcs.crpixY = in.ConsumeFloatingPoint<double>();
    e.wcs.cd11 = in.ConsumeFloatingPoint<double>();
    e.wcs.cd12 = in.ConsumeFloatingPoint<double>();
    e.wcs.cd21 = in.ConsumeFloatingPoint<double>();
    e.wcs.cd22 = in.ConsumeFloatingPoint<double>();
    e.imageWidth = in.ConsumeIntegralInRange<int>(-2, 100000);
    e.imageHeight = in.ConsumeIntegralInRange<int>(-2, 100000);
    e.rows = in.ConsumeBool() ? RowOrder::BottomFirst : RowOrder::TopFirst;
    e.refined = in.ConsumeBool();
    e.starsUsed = in.ConsumeIntegral<int>();
    e.rmsPx = in.ConsumeFloatingPoint<double>();
    e.rmsArcsec = in.ConsumeFloatingPoint<double>();
    e.dateObs = QString::fromUtf8(in.ConsumeRandomLengthString(100));
    while (in.remaining_bytes() > 0 && e.starNames.size() < 200)
        e.starNames << QString::fromUtf8(in.ConsumeRandomLengthString(30));

    const FitsTan f = toFitsPixels(e.wcs, e.imageHeight, e.rows);
    const Result<QByteArray> header = wcsHeaderFile(e, ce::test::KeyEcho());
    if (!header) {
        require(!header.error().isEmpty(), "a refusal says why");
        const double values[] = {f.crval1Deg, f.crval2Deg, f.crpix1, f.crpix2, f.cd11, f.cd12, f.cd21, f.cd22};
        bool sayable = e.imageWidth > 0 && e.imageHeight > 0;
        for (const double v : values) sayable = sayable && moderate(v);
        const double det = f.cd11 * f.cd22 - f.cd12 * f.cd21;
        sayable = sayable && std::isfinite(det) && std::fabs(det) > 1e-150;
        require(!sayable, "a solution FITS can say is written", header.error());
        return 0;
    }
    const QByteArray& h = *header;
    require(!h.isEmpty() && h.size() % 2880 == 0, "whole 2880-byte blocks");
    for (const char c : h) require(c >= 32 && c <= 126, "printable ASCII only");
    qsizetype end = -1;
    for (qsizetype at = 0; at < h.size(); at += 80) {
        if (h.mid(at, 80) == QByteArray("END").leftJustified(80, ' ')) {
            end = at;
            break;
        }
    }
    require(end > 0, "an END card");
    require(h.mid(end + 80).trimmed().isEmpty(), "only blanks after END");

    // CFITSIO from memory.
    QByteArray bytes = h;
    void* memory = bytes.data();
    std::size_t length = std::size_t(bytes.size());
    int status = 0;
    fitsfile* file = nullptr;
    fits_open_memfile(&file, "wcs", READONLY, &memory, &length, 0, nullptr, &status);
    require(status == 0, "CFITSIO opens the header");
    const std::pair<const char*, double> numbers[] = {
        {"CRVAL1", f.crval1Deg}, {"CRVAL2", f.crval2Deg}, {"CRPIX1", f.crpix1}, {"CRPIX2", f.crpix2},
        {"CD1_1", f.cd11},       {"CD1_2", f.cd12},       {"CD2_1", f.cd21},   {"CD2_2", f.cd22},
        {"IMAGEW", double(e.imageWidth)}, {"IMAGEH", double(e.imageHeight)}};
    for (const auto& [key, value] : numbers) {
        double read = NAN;
        fits_read_key(file, TDOUBLE, key, &read, nullptr, &status);
        require(status == 0, "every number reads back", QString::fromLatin1(key));
        require(read == asWritten(value), "the same number reads back", QString::fromLatin1(key));
    }
    char text[FLEN_VALUE] = {};
    fits_read_key(file, TSTRING, "CTYPE2", text, nullptr, &status);
    require(status == 0 && QByteArray(text) == "DEC--TAN", "CTYPE2 reads back");
    int closing = 0;
    fits_close_file(file, &closing);
    return 0;
}
