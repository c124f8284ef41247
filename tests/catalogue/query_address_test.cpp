// The catalogue query address built from the texts of the catalogue frame.
// The worked example (1h34m50s, +22d11'1", epoch 2000.0, radius 20,
// magnitude 13) is the service's documented request; the other rows are
// worked by hand.

#include "catalogue/query_address.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

ce::CatalogueQueryFields fields(QString h, QString m, QString s, QString sign, QString d, QString dm, QString ds,
                                QString epoch = QStringLiteral("2000.0"))
{
    return {h, m, s, d, dm, ds, sign, epoch, QStringLiteral("20"), QStringLiteral("13")};
}

QString queryValue(const QString& address, const QString& key)
{
    for (const QString& pair : address.section(u'?', 1).split(u'&'))
        if (pair.section(u'=', 0, 0) == key) return pair.section(u'=', 1);
    return QStringLiteral("<absent>");
}

TEST(CatalogueQuery, WorkedExampleAndCoordinateTexts)
{
    const auto q = ce::prepareCatalogueQuery(fields("1", "34", "50", "+", "22", "11", "1"), u'.');
    ASSERT_TRUE(q.ok()) << q.error().toStdString();
    EXPECT_EQ(q->pathAndQuery,
              QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50&dec=22+11+1"
                             "&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000"));
    EXPECT_NEAR(q->raJ2000Deg, 5690.0 / 240.0, 1e-9);
    EXPECT_NEAR(q->decJ2000Deg, 79861.0 / 3600.0, 1e-9);

    struct Row { const char* name; ce::CatalogueQueryFields in; QString ra, dec; };
    const Row rows[] = {
        {"south between 0 and -1 keeps its sign", fields("0", "0", "0", "-", "0", "30", "0"), "0+0+0", "-0+30+0"},
        {"seconds that round up are sent as 60", fields("1", "34", "59.6", "+", "22", "11", "59.7"), "1+34+60",
         "22+11+60"},
        {"exact half down to even", fields("1", "34", "50.5", "+", "0", "0", "2.5"), "1+34+50", "0+0+2"},
        {"exact half up to even", fields("1", "34", "51.5", "+", "0", "0", "3.5"), "1+34+52", "0+0+4"},
        {"sign caption other than minus is plus", fields("2", "0", "0", "", "10", "0", "0"), "2+0+0", "10+0+0"},
        // A century of precession at 0h lifts the declination by about n = 0.557°: -0°10' becomes about +0°23'.
        {"carried north across the equator", fields("0", "0", "0", "-", "0", "10", "0", "1900"), "", "0+23+"},
        {"carried south across the equator", fields("0", "0", "0", "+", "0", "10", "0", "2100"), "", "-0+23+"},
    };
    for (const Row& row : rows) {
        const auto r = ce::prepareCatalogueQuery(row.in, u'.');
        ASSERT_TRUE(r.ok()) << row.name;
        if (!row.ra.isEmpty()) {
            EXPECT_EQ(r->raText, row.ra) << row.name;
        }
        EXPECT_TRUE(r->decText.startsWith(row.dec)) << row.name << ": " << r->decText.toStdString();
        EXPECT_EQ(queryValue(r->pathAndQuery, "ra"), r->raText) << row.name;
        EXPECT_EQ(queryValue(r->pathAndQuery, "dec"), r->decText) << row.name;
    }
}

TEST(CatalogueQuery, EpochIsSentAsTypedAndReadByItsLeadingNumber)
{
    // Fifty years at (0h, 0°) move the RA by about m/2 = 0.64° (3.07 s of time a year).
    const auto q1950 = ce::prepareCatalogueQuery(fields("0", "0", "0", "+", "0", "0", "0", "1950"), u'.');
    ASSERT_TRUE(q1950.ok());
    EXPECT_NEAR(q1950->raJ2000Deg, 0.6406, 0.002);
    EXPECT_NEAR(q1950->decJ2000Deg, 0.2783, 0.002);
    // A text that is no number is sent verbatim and counts as epoch 0.
    const auto zero = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "0"), u'.');
    const auto letters = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "abc"), u'.');
    const auto j2000 = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0"), u'.');
    ASSERT_TRUE(zero.ok() && letters.ok() && j2000.ok());
    EXPECT_EQ(queryValue(letters->pathAndQuery, "epoch"), "abc");
    EXPECT_EQ(letters->raText + letters->decText, zero->raText + zero->decText);
    EXPECT_NE(zero->raText, j2000->raText);
    EXPECT_TRUE(
        ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "1e999"), u'.').error().contains("Epoch"));

    // A coordinate field that is no number is refused, naming it.
    EXPECT_EQ(ce::prepareCatalogueQuery(fields("", "34", "50", "+", "22", "11", "1"), u'.').error(),
              QStringLiteral("Incompatibilité de type : le champ RA (heures) ne contient pas un nombre"));
    EXPECT_TRUE(ce::prepareCatalogueQuery(fields("1", "34", "50", "-", "22", "11", "1.5"), u',')
                    .error().contains("DEC (secondes)"));
    EXPECT_EQ(ce::prepareCatalogueQuery(fields("1", "34", "50,4", "+", "22", "11", "1"), u',').value().raText,
              "1+34+50");
}

TEST(CatalogueQuery, VerbatimTextsCannotAddKeys)
{
    struct Row { QString epoch, radius, magnitude, epochOut, radiusOut, magOut; };
    const Row rows[] = {
        {"J2000", "7", "13.5", "J2000", "7", "13.5."},
        {"2000&nout=1", "20=", "13&x", "2000%26nout%3D1", "20%3D", "13%26x."},
        {"2000 +", "2,5", "é", "2000%20%2B", "2%2C5", "%C3%A9."},
        {"a-b_c~d", "", "", "a-b_c~d", "", "."},  // unreserved kept
    };
    for (const Row& row : rows) {
        const QString address = ce::catalogueQueryAddress(row.epoch, "1+2+3", "-4+5+6", row.radius, row.magnitude);
        EXPECT_EQ(queryValue(address, "epoch"), row.epochOut);
        EXPECT_EQ(queryValue(address, "radmax"), row.radiusOut);
        EXPECT_EQ(queryValue(address, "magfaint"), row.magOut);
        EXPECT_EQ(address.count(u'&'), 11) << address.toStdString();
        EXPECT_EQ(queryValue(address, "nout"), "5000");
    }
}

}  // namespace
