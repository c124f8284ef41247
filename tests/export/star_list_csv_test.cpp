// The identified-star list parses back as RFC 4180 with every value in its
// column, whatever the identifications hold and whatever the locale.

#include "export/star_list_csv.h"

#include "tests/export/rfc4180.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <cmath>

namespace ce::testing {
namespace {

TEST(StarListCsv, ParsesBackWithEveryValueInItsColumn)
{
    // French number forms must not leak into a data file.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    std::vector<IdentifiedStar> stars(3);
    stars[0] = {QStringLiteral("U1050_01234567"), 23.70833333333333, 22.18333, QStringLiteral("12.3"),
                QStringLiteral(" 13.1"), 12.34567, 799.5,
                StarMeasure{12.5, 799.25, 0.29154759, 0.466, true}};
    stars[1] = {QStringLiteral("DR3 \"odd\", name"), 359.999999, -0.000001, QStringLiteral("9.9"),
                QStringLiteral("10.0"), -0.4, 0.0, StarMeasure{-0.1, 0.2, 4.5, 7.2, false}};
    stars[2] = {QStringLiteral("line\r\nbreak"), 0.0, 89.9, QString(), QString(), 1000.0, 2.0, std::nullopt};

    const QByteArray bytes = starListCsv(stars);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    const auto records = parseRfc4180(QString::fromUtf8(bytes));
    ASSERT_TRUE(records) << bytes.constData();
    ASSERT_EQ(records->size(), 4u);
    const QStringList header = (*records)[0];
    ASSERT_EQ(header.size(), 12);
    const auto cell = [&](std::size_t row, const char* column) {
        return (*records)[row].value(header.indexOf(QString::fromLatin1(column)));
    };
    for (std::size_t r = 1; r < records->size(); ++r) EXPECT_EQ((*records)[r].size(), 12) << r;

    for (std::size_t r = 0; r < stars.size(); ++r) {
        const IdentifiedStar& s = stars[r];
        const std::size_t row = r + 1;
        EXPECT_EQ(cell(row, "id"), s.id);
        EXPECT_NEAR(cell(row, "ra_deg").toDouble(), s.raDeg, 1e-12);
        EXPECT_NEAR(cell(row, "dec_deg").toDouble(), s.decDeg, 1e-12);
        EXPECT_EQ(cell(row, "mag_red"), s.magRed.trimmed());
        EXPECT_EQ(cell(row, "mag_blue"), s.magBlue.trimmed());
        EXPECT_NEAR(cell(row, "x_pred").toDouble(), s.predictedX, 5e-4);
        EXPECT_NEAR(cell(row, "y_pred").toDouble(), s.predictedY, 5e-4);
        if (s.measure) {
            EXPECT_NEAR(cell(row, "x_meas").toDouble(), s.measure->xPx, 5e-4);
            EXPECT_NEAR(cell(row, "y_meas").toDouble(), s.measure->yPx, 5e-4);
            EXPECT_NEAR(cell(row, "resid_px").toDouble(), s.measure->residualPx, 5e-4);
            EXPECT_NEAR(cell(row, "resid_arcsec").toDouble(), s.measure->residualArcsec, 5e-4);
            EXPECT_EQ(cell(row, "fit"), s.measure->used ? QStringLiteral("used") : QStringLiteral("rejected"));
        } else {
            for (const char* c : {"x_meas", "y_meas", "resid_px", "resid_arcsec", "fit"})
                EXPECT_TRUE(cell(row, c).isEmpty()) << c;
        }
        for (const QString& v : (*records)[row])
            EXPECT_FALSE(v.contains(u',') && !s.id.contains(u',')) << "a decimal comma: " << qPrintable(v);
    }
    QLocale::setDefault(QLocale::c());
}

TEST(StarListCsv, NonFiniteNumbersAreEmptyCellsAndUtf8StaysUtf8)
{
    IdentifiedStar s;
    s.id = QStringLiteral("Étoile née");
    s.raDeg = NAN, s.predictedX = INFINITY;
    const QByteArray bytes = starListCsv({s});
    EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
    const auto records = parseRfc4180(QString::fromUtf8(bytes));
    ASSERT_TRUE(records);
    EXPECT_EQ((*records)[1][0], s.id);
    EXPECT_TRUE((*records)[1][1].isEmpty());
    EXPECT_TRUE((*records)[1][5].isEmpty());
    EXPECT_FALSE(bytes.toLower().contains("nan"));
    EXPECT_FALSE(bytes.toLower().contains("inf"));
}

}  // namespace
}  // namespace ce::testing
