// Entry fields: decimal-comma repair (one step, and repeated as the field
// does), and defaut.cfg (tolerant partial reading, line 9 rules, saving and
// reading back).

#include "app/comma_to_point.h"
#include "app/defaults_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CommaToPoint, FirstCommaThenAllOfThem)
{
    const struct {
        const char* text; int caret; const char* once; int onceCaret; const char* all; int allCaret;
    } rows[] = {
        {"2599,43", 7, "2599.43", 5, "2599.43", 5},
        {"1,2,3", 5, "1.2,3", 2, "1.2.3", 4},
        {",5", 2, ".5", 1, ".5", 1},
        {"2599.43", 3, "2599.43", 3, "2599.43", 3},  // no comma: caret kept
        {"", 0, "", 0, "", 0},
    };
    for (const auto& r : rows) {
        const ce::EditedText once = ce::CommaToPoint(QString::fromLatin1(r.text), r.caret);
        const ce::EditedText all = ce::commaToPointAll(QString::fromLatin1(r.text), r.caret);
        EXPECT_EQ(once.text, QString::fromLatin1(r.once)) << r.text;
        EXPECT_EQ(once.caret, r.onceCaret) << r.text;
        EXPECT_EQ(once.changed, QString::fromLatin1(r.text).contains(u',')) << r.text;
        EXPECT_EQ(all.text, QString::fromLatin1(r.all)) << r.text;
        EXPECT_EQ(all.caret, r.allCaret) << r.text;
    }
}

const QStringList kFile{"12", "2599,43", "2709.96", "25", "14", "17", "5", "img/m57.jpg", "1"};

// The window's values before reading: built-in texts, layout state 2.
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

TEST(DefaultsFile, ShortFilesSetTheFirstFieldsOnly)
{
    const QStringList builtIn{"10", "", "", "20", "13", "16", "7", ""};
    EXPECT_EQ(texts(base()), builtIn);
    for (int n = 0; n <= 8; ++n) {
        const ce::DefaultsReading r = ce::readDefaults(kFile.mid(0, n), base(), u'.');
        EXPECT_EQ(r.valuesRead, n);
        EXPECT_EQ(texts(r.settings), kFile.mid(0, n) + builtIn.mid(n)) << n << " lines";
        EXPECT_EQ(r.settings.CheckDecideur, 2) << n << " lines";
    }
}

TEST(DefaultsFile, LineNineIsACheckBoxState)
{
    // state -1: line 9 refused, the box keeps its layout state.
    const struct { const char* line9; QChar point; int state; } rows[] = {
        {"1", u'.', 1}, {"1.5", u'.', 2}, {"2.5", u'.', 2}, {"1,5", u',', 2}, {"3", u'.', -1}, {"1,5", u'.', -1},
    };
    for (const auto& row : rows) {
        QStringList lines = kFile;
        lines[8] = QString::fromLatin1(row.line9);
        const ce::DefaultsReading r = ce::readDefaults(lines, base(), row.point);
        EXPECT_EQ(r.valuesRead, row.state < 0 ? 8 : 9) << row.line9;
        EXPECT_EQ(r.settings.CheckDecideur, row.state < 0 ? 2 : row.state) << row.line9;
        EXPECT_EQ(texts(r.settings), kFile.mid(0, 8)) << row.line9;
    }
}

TEST(DefaultsFile, SavedFileReadsBackUnchanged)
{
    QTemporaryDir dir;
    EXPECT_EQ(ce::loadDefaults(dir.path(), base()).valuesRead, 0);  // no file yet

    ce::DefaultSettings s;
    s.txt_corrasd = QStringLiteral("2599.43");
    s.txt_distance = QString();  // an empty field is an empty line
    s.txt_url = QStringLiteral("C:\\images\\Céphée.jpg");
    s.CheckDecideur = 1;
    ASSERT_TRUE(ce::saveDefaults(dir.path(), s).ok());
    const ce::DefaultsReading back = ce::loadDefaults(dir.path(), base());
    EXPECT_EQ(back.valuesRead, 9);
    EXPECT_EQ(texts(back.settings), texts(s));
    EXPECT_EQ(back.settings.CheckDecideur, 1);
}

}  // namespace
