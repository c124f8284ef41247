// The catalogue query address built from the texts of the catalogue frame.
// The worked example (1h34m50s, +22d11'1", epoch 2000.0, radius 20,
// magnitude 13) is the service's documented request; the other rows are
// worked by hand.

#include "catalogue/query_address.h"

#include <QStringList>

#include <gtest/gtest.h>

// Readable failure output for texts.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

ce::CatalogueQueryFields fields(QString h, QString m, QString s, QString sign, QString d, QString dm,
                                QString ds, QString epoch = QStringLiteral("2000.0"))
{
    ce::CatalogueQueryFields f;
    f.raHours = h; f.raMinutes = m; f.raSeconds = s;
    f.signCaption = sign;
    f.decDegrees = d; f.decMinutes = dm; f.decSeconds = ds;
    f.epoch = epoch;
    f.radius = QStringLiteral("20");
    f.magnitude = QStringLiteral("13");
    return f;
}

QString queryValue(const QString& address, const QString& key)
{
    for (const QString& pair : address.section(u'?', 1).split(u'&'))
        if (pair.section(u'=', 0, 0) == key) return pair.section(u'=', 1);
    return QStringLiteral("<absent>");
}

TEST(CatalogueQuery, WorkedExample)
{
    const auto q = ce::prepareCatalogueQuery(fields("1", "34", "50", "+", "22", "11", "1"), u'.');
    ASSERT_TRUE(q.ok()) << q.error().toStdString();
    EXPECT_EQ(q->pathAndQuery,
              QStringLiteral("/skycat/servers/usnoa_res?catalogue=usnoa&epoch=2000.0&chart=0&ra=1+34+50"
                             "&dec=22+11+1&object=&radmax=20&magbright=0&magfaint=13.&format=2&sort=mr&nout=5000"));
    EXPECT_NEAR(q->raJ2000Deg, 5690.0 / 240.0, 1e-9);
    EXPECT_NEAR(q->decJ2000Deg, 79861.0 / 3600.0, 1e-9);
}

TEST(CatalogueQuery, CoordinateTexts)
{
    struct Row { const char* name; ce::CatalogueQueryFields in; QString ra, dec; };
    const Row rows[] = {
        {"south between 0 and -1 keeps its sign", fields("0", "0", "0", "-", "0", "30", "0"), "0+0+0", "-0+30+0"},
        {"south beyond -1", fields("23", "59", "0", "-", "12", "5", "7"), "23+59+0", "-12+5+7"},
        {"zero typed with minus", fields("0", "0", "0", "-", "0", "0", "0"), "0+0+0", "-0+0+0"},
        {"seconds that round up are sent as 60", fields("1", "34", "59.6", "+", "22", "11", "59.7"), "1+34+60", "22+11+60"},
        {"exact half down to even", fields("1", "34", "50.5", "+", "0", "0", "2.5"), "1+34+50", "0+0+2"},
        {"exact half up to even", fields("1", "34", "51.5", "+", "0", "0", "3.5"), "1+34+52", "0+0+4"},
        {"sign caption other than minus is plus", fields("2", "0", "0", "", "10", "0", "0"), "2+0+0", "10+0+0"},
        // Epoch 1900 at 0h: a century of precession lifts the declination by
        // about n = 0.557 deg, so -0d10' becomes about +0d23' for J2000.
        {"carried north across the equator", fields("0", "0", "0", "-", "0", "10", "0", "1900"), "", "0+23+"},
        {"carried south across the equator", fields("0", "0", "0", "+", "0", "10", "0", "2100"), "", "-0+23+"},
    };
    for (const Row& row : rows) {
        const auto q = ce::prepareCatalogueQuery(row.in, u'.');
        ASSERT_TRUE(q.ok()) << row.name;
        if (!row.ra.isEmpty()) {
            EXPECT_EQ(q->raText, row.ra) << row.name;
        }
        EXPECT_TRUE(q->decText.startsWith(row.dec)) << row.name << ": " << q->decText.toStdString();
        EXPECT_EQ(queryValue(q->pathAndQuery, "ra"), q->raText) << row.name;
        EXPECT_EQ(queryValue(q->pathAndQuery, "dec"), q->decText) << row.name;
    }
}

TEST(CatalogueQuery, EpochIsSentAsTypedAndReadByItsLeadingNumber)
{
    // 1950: fifty years of precession at (0h, 0d) move the right ascension by
    // about m/2 = 0.64 deg (3.07 s of time a year) towards J2000.
    const auto q1950 = ce::prepareCatalogueQuery(fields("0", "0", "0", "+", "0", "0", "0", "1950"), u'.');
    ASSERT_TRUE(q1950.ok());
    EXPECT_NEAR(q1950->raJ2000Deg, 0.6406, 0.002);
    EXPECT_NEAR(q1950->decJ2000Deg, 0.2783, 0.002);

    // A text that is no number is sent verbatim and counts as epoch 0, like
    // an empty one and like "0".
    const auto zero = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "0"), u'.');
    const auto letters = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "abc"), u'.');
    const auto empty = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", ""), u'.');
    const auto j2000 = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0"), u'.');
    ASSERT_TRUE(zero.ok() && letters.ok() && empty.ok() && j2000.ok());
    EXPECT_EQ(queryValue(letters->pathAndQuery, "epoch"), "abc");
    EXPECT_EQ(queryValue(empty->pathAndQuery, "epoch"), "");
    EXPECT_EQ(letters->raText, zero->raText);
    EXPECT_EQ(empty->decText, zero->decText);
    EXPECT_NE(zero->raText, j2000->raText);

    const auto huge = ce::prepareCatalogueQuery(fields("5", "0", "0", "+", "40", "0", "0", "1e999"), u'.');
    ASSERT_FALSE(huge.ok());
    EXPECT_TRUE(huge.error().contains("Epoch"));
}

TEST(CatalogueQuery, VerbatimTextsCannotAddKeys)
{
    struct Row { const char* name; QString epoch, radius, magnitude; QString epochOut, radiusOut, magOut; };
    const Row rows[] = {
        {"ordinary numbers unchanged", "2000.0", "20", "13.5", "2000.0", "20", "13.5."},
        {"whole magnitude gets its point", "J2000", "7", "13", "J2000", "7", "13."},
        {"ampersand and equals escaped", "2000&nout=1", "20=", "13&x", "2000%26nout%3D1", "20%3D", "13%26x."},
        {"blank, plus and accent escaped", "2000 +", "2,5", "é", "2000%20%2B", "2%2C5", "%C3%A9."},
        {"unreserved kept", "a-b_c~d", "", "", "a-b_c~d", "", "."},
    };
    for (const Row& row : rows) {
        const QString address = ce::catalogueQueryAddress(row.epoch, "1+2+3", "-4+5+6", row.radius, row.magnitude);
        EXPECT_EQ(queryValue(address, "epoch"), row.epochOut) << row.name;
        EXPECT_EQ(queryValue(address, "radmax"), row.radiusOut) << row.name;
        EXPECT_EQ(queryValue(address, "magfaint"), row.magOut) << row.name;
        EXPECT_EQ(address.count(u'&'), 11) << row.name;
        EXPECT_EQ(queryValue(address, "nout"), "5000") << row.name;
    }
}

TEST(CatalogueQuery, CoordinateFieldThatIsNoNumberIsRefused)
{
    // Every field's own message is checked with the field readers; here the
    // refusal must reach the caller, for a right ascension and a declination.
    const auto noHours = ce::prepareCatalogueQuery(fields("", "34", "50", "+", "22", "11", "1"), u'.');
    ASSERT_FALSE(noHours.ok());
    EXPECT_EQ(noHours.error(), QStringLiteral("Incompatibilité de type : le champ RA (heures) ne contient pas un nombre"));
    const auto pointUnderComma = ce::prepareCatalogueQuery(fields("1", "34", "50", "-", "22", "11", "1.5"), u',');
    ASSERT_FALSE(pointUnderComma.ok());
    EXPECT_TRUE(pointUnderComma.error().contains(QStringLiteral("DEC (secondes)")));

    const auto comma = ce::prepareCatalogueQuery(fields("1", "34", "50,4", "+", "22", "11", "1"), u',');
    ASSERT_TRUE(comma.ok());
    EXPECT_EQ(comma->raText, "1+34+50");
}

}  // namespace
