// What a FITS header tells: centre from each kind of pointing keyword, the
// epoch from DATE-OBS, and the scale factors from the optics or the WCS.

#include "image/header_hints.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {

using ce::HeaderCard;

HeaderCard card(const char* keyword, const QString& value) { return {QString::fromLatin1(keyword), value, {}}; }

TEST(HeaderHints, CentreFromEachKindOfPointingKeyword)
{
    struct Row { const char* name; QList<HeaderCard> cards; double raDeg, decDeg; const char* keywords; };
    const QList<HeaderCard> wcs = {card("CTYPE1", "RA---TAN"), card("CTYPE2", "DEC--TAN"), card("CRVAL1", "23.7"),
                                   card("CRVAL2", "22.2")};
    const Row rows[] = {
        {"RA/DEC in degrees", {card("RA", "23.708333"), card("DEC", "-22.18")}, 23.708333, -22.18, "RA/DEC"},
        {"RA/DEC as texts", {card("RA", "01:34:50"), card("DEC", "-22 10 48")}, 23.708333333, -22.18, "RA/DEC"},
        {"OBJCTRA/OBJCTDEC", {card("OBJCTRA", "01 34 50"), card("OBJCTDEC", "+22 11 01")}, 23.708333333,
         22.183611111, "OBJCTRA/OBJCTDEC"},
        {"RA/DEC before OBJCT*", {card("OBJCTRA", "02 00 00"), card("RA", "10.0"), card("DEC", "5.0"),
                                  card("OBJCTDEC", "+1 00 00")}, 10.0, 5.0, "RA/DEC"},
        {"celestial WCS", wcs, 23.7, 22.2, "CRVAL1/CRVAL2"},
    };
    for (const Row& r : rows) {
        const ce::HeaderHints hints = ce::headerHints(r.cards, std::nullopt);
        ASSERT_TRUE(hints.centre) << r.name;
        EXPECT_NEAR(hints.centre->raDeg, r.raDeg, 1e-6) << r.name;
        EXPECT_NEAR(hints.centre->decDeg, r.decDeg, 1e-6) << r.name;
        EXPECT_EQ(hints.centre->keywords, QLatin1String(r.keywords)) << r.name;
    }
    // No hint from a linear WCS, an unreadable value or a declination past the pole.
    for (const QList<HeaderCard>& none :
         {QList<HeaderCard>{card("CTYPE1", "X"), card("CTYPE2", "Y"), card("CRVAL1", "1"), card("CRVAL2", "2")},
          QList<HeaderCard>{card("RA", "abc"), card("DEC", "12")}, QList<HeaderCard>{card("RA", "12"), card("DEC", "95")}})
        EXPECT_TRUE(ce::headerHints(none, std::nullopt).empty());
}

TEST(HeaderHints, EpochFromTheObservationDate)
{
    // 2024 is a leap year: 1 July 00:00 is 182 days after 1 January.
    EXPECT_NEAR(*ce::decimalYearFromFitsDate(QStringLiteral("2024-07-01T00:00:00")), 2024.0 + 182.0 / 366.0, 1e-9);
    EXPECT_NEAR(*ce::decimalYearFromFitsDate(QStringLiteral("2023-01-01T12:00:00.000")), 2023.0 + 0.5 / 365.0, 1e-9);
    EXPECT_NEAR(*ce::decimalYearFromFitsDate(QStringLiteral("2001-12-31")), 2001.0 + 364.0 / 365.0, 1e-9);
    EXPECT_FALSE(ce::decimalYearFromFitsDate(QStringLiteral("hier soir")));
    EXPECT_NEAR(*ce::headerHints({card("DATE-OBS", "2024-07-01T00:00:00")}, std::nullopt).epochYear, 2024.4973, 1e-4);
}

TEST(HeaderHints, ScaleFromOpticsOrFromTheWcs)
{
    const double cos22 = std::cos(22.0 * std::numbers::pi / 180.0);
    // 1000 mm and 9 µm pixels: 60·1000 / (3438·0.009) = 1939.112 pixels per degree.
    const auto optics = ce::headerHints({card("RA", "10"), card("DEC", "22"), card("FOCALLEN", "1000"),
                                         card("XPIXSZ", "9"), card("YPIXSZ", "4.5")}, std::nullopt);
    ASSERT_TRUE(optics.scale);
    EXPECT_NEAR(optics.scale->corrDec, 3878.2238, 1e-3);
    EXPECT_NEAR(optics.scale->corrAsd, 1939.1119 * cos22, 1e-3);
    EXPECT_EQ(optics.scale->keywords, QStringLiteral("FOCALLEN/XPIXSZ/YPIXSZ"));

    // A rotated CD matrix of 2 arcseconds per pixel on x and 3 on y.
    const double a = 2.0 / 3600.0, b = 3.0 / 3600.0, c = std::cos(0.3), s = std::sin(0.3);
    const auto cd = ce::headerHints({card("CTYPE1", "RA---TAN"), card("CTYPE2", "DEC--TAN"),
                                     card("CD1_1", QString::number(-a * c, 'g', 17)),
                                     card("CD2_1", QString::number(a * s, 'g', 17)),
                                     card("CD1_2", QString::number(b * s, 'g', 17)),
                                     card("CD2_2", QString::number(b * c, 'g', 17))}, 22.0);
    ASSERT_TRUE(cd.scale);
    EXPECT_NEAR(cd.scale->corrAsd, 1800.0 * cos22, 1e-6);
    EXPECT_NEAR(cd.scale->corrDec, 1200.0, 1e-6);
    EXPECT_FALSE(cd.centre);

    const auto cdelt = ce::headerHints({card("CTYPE1", "RA---TAN"), card("CTYPE2", "DEC--TAN"), card("CRVAL1", "0"),
                                        card("CRVAL2", "60"), card("CDELT1", "-1.0D-3"), card("CDELT2", "1.0D-3")},
                                       std::nullopt);
    ASSERT_TRUE(cdelt.scale);
    EXPECT_NEAR(cdelt.scale->corrAsd, 500.0, 1e-9);  // cos 60° = 0.5
    EXPECT_NEAR(cdelt.scale->corrDec, 1000.0, 1e-9);
    // Optics without a declination to take the cosine of: no scale.
    EXPECT_FALSE(ce::headerHints({card("FOCALLEN", "1000"), card("XPIXSZ", "9")}, std::nullopt).scale);
}

}  // namespace
