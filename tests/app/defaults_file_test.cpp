// defaut.cfg: tolerant partial reading, line 9 rules, saving and reading back.

#include "app/defaults_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kFile{"12", "2599,43", "2709.96", "25", "14", "17", "5", "img/m57.jpg", "1"};

// The values a window would hold before reading: built-in texts and a
// layout state of 2 that no full file in these tests contains.
ce::DefaultSettings base()
{
    ce::DefaultSettings s;
    s.CheckDecideur = 2;
    return s;
}

QStringList texts(const ce::DefaultSettings& s)
{
    return {s.txt_calcul, s.txt_corrasd, s.txt_corrdec, s.txt_distance,
            s.txt_mag,    s.txt_mag2,    s.txt_tolerance, s.txt_url};
}

TEST(DefaultsFile, BuiltInValues)
{
    const ce::DefaultSettings s;
    EXPECT_EQ(texts(s), (QStringList{"10", "", "", "20", "13", "16", "7", ""}));
}

TEST(DefaultsFile, ShortFilesSetTheFirstFieldsOnly)
{
    const QStringList builtIn = texts(base());
    for (int n = 0; n <= 8; ++n) {
        const ce::DefaultsReading r = ce::readDefaults(kFile.mid(0, n), base(), u'.');
        EXPECT_EQ(r.valuesRead, n);
        const QStringList got = texts(r.settings);
        EXPECT_EQ(got.mid(0, n), kFile.mid(0, n)) << n << " lines";
        EXPECT_EQ(got.mid(n), builtIn.mid(n)) << n << " lines";
        EXPECT_EQ(r.settings.CheckDecideur, 2) << n << " lines";
    }
    // Five lines: tolerance keeps "7", the image path stays empty.
    const ce::DefaultsReading five = ce::readDefaults(kFile.mid(0, 5), base(), u'.');
    EXPECT_EQ(five.settings.txt_tolerance, "7");
    EXPECT_EQ(five.settings.txt_url, QString());
    // Texts are taken as they stand: the comma is repaired by the field.
    EXPECT_EQ(five.settings.txt_corrasd, "2599,43");
}

TEST(DefaultsFile, LineNineIsACheckBoxState)
{
    struct Row {
        const char* line9;
        QChar point;
        int state;  // -1: left as laid out, only eight values read
    };
    const Row rows[] = {
        {"0", u'.', 0},   {"1", u'.', 1},    {"2", u'.', 2},   {" 1 ", u'.', 1},
        {"0.5", u'.', 0}, {"1.5", u'.', 2},  {"2.5", u'.', 2}, {"1,5", u',', 2},
        {"3", u'.', -1},  {"-1", u'.', -1},  {"abc", u'.', -1}, {"", u'.', -1},
        {"1,5", u'.', -1}, {"99999", u'.', -1},
    };
    for (const Row& row : rows) {
        QStringList lines = kFile;
        lines[8] = QString::fromLatin1(row.line9);
        const ce::DefaultsReading r = ce::readDefaults(lines, base(), row.point);
        if (row.state < 0) {
            EXPECT_EQ(r.valuesRead, 8) << row.line9;
            EXPECT_EQ(r.settings.CheckDecideur, 2) << row.line9;
        } else {
            EXPECT_EQ(r.valuesRead, 9) << row.line9;
            EXPECT_EQ(r.settings.CheckDecideur, row.state) << row.line9;
        }
        EXPECT_EQ(texts(r.settings), kFile.mid(0, 8)) << row.line9;
    }
}

TEST(DefaultsFile, SavedFileReadsBackUnchanged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // No file: nothing read, the window keeps its values.
    const ce::DefaultsReading none = ce::loadDefaults(dir.path(), base());
    EXPECT_EQ(none.valuesRead, 0);
    EXPECT_EQ(texts(none.settings), texts(base()));

    ce::DefaultSettings s;
    s.txt_calcul = QStringLiteral("8");
    s.txt_corrasd = QStringLiteral("2599.43");
    s.txt_corrdec = QString();  // an empty field is an empty line
    s.txt_url = QStringLiteral("C:\\images\\Céphée.jpg");
    s.CheckDecideur = 1;
    ASSERT_TRUE(ce::saveDefaults(dir.path(), s).ok());

    QFile file(dir.path() + QStringLiteral("/defaut.cfg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 9);
    EXPECT_TRUE(bytes.endsWith("\r\n1\r\n"));

    const ce::DefaultsReading back = ce::loadDefaults(dir.path(), base());
    EXPECT_EQ(back.valuesRead, 9);
    EXPECT_EQ(texts(back.settings), texts(s));
    EXPECT_EQ(back.settings.CheckDecideur, 1);
}

}  // namespace
