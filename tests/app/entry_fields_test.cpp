// Entry fields: decimal-comma repair (one step; the field repeats it on its
// own change, which the main window's test checks), and defaut.cfg (tolerant partial reading, line 9 rules, saving and
// the fields it sets).

#include "app/comma_to_point.h"
#include "app/defaults_file.h"

#include <tuple>

#include <gtest/gtest.h>

namespace {

TEST(CommaToPoint, FirstCommaOnlyWithTheCaretAfterIt)
{
    // Text and caret after one step.
    const struct { const char* text; int caret; const char* once; int onceCaret; } rows[] = {
        {"2599,43", 7, "2599.43", 5}, {"1,2,3", 5, "1.2,3", 2}, {",5", 2, ".5", 1},
        {"2599.43", 3, "2599.43", 3},  // no comma: caret kept
    };
    for (const auto& r : rows) {
        const ce::EditedText once = ce::CommaToPoint(QString::fromLatin1(r.text), r.caret);
        EXPECT_EQ(std::tuple(once.text, once.caret, once.changed),
                  std::tuple(QString::fromLatin1(r.once), r.onceCaret, QString::fromLatin1(r.text).contains(u','))) << r.text;
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
    return {s.txt_calcul, s.txt_corrasd, s.txt_corrdec, s.txt_distance, s.txt_mag, s.txt_mag2, s.txt_tolerance, s.txt_url};
}

TEST(DefaultsFile, ShortFilesSetTheFirstFieldsOnly)
{
    const QStringList builtIn{"10", "", "", "20", "13", "16", "7", ""};
    EXPECT_EQ(texts(base()), builtIn);
    for (int n = 0; n <= 8; ++n) {
        const ce::DefaultsReading r = ce::readDefaults(kFile.mid(0, n), base(), u'.');
        EXPECT_EQ(std::pair(r.valuesRead, int(r.settings.CheckDecideur)), std::pair(n, 2));
        EXPECT_EQ(texts(r.settings), kFile.mid(0, n) + builtIn.mid(n)) << n << " lines";
    }
}

TEST(DefaultsFile, LineNineIsACheckBoxState)
{
    // state -1: line 9 refused, the box keeps its layout state.
    const struct { const char* line9; QChar point; int state; } rows[] = {
        {"1", u'.', 1}, {"1.5", u'.', 2}, {"2.5", u'.', 2}, {"1,5", u',', 2}, {"3", u'.', -1}, {"1,5", u'.', 2}, {"1;5", u'.', -1},
    };
    for (const auto& row : rows) {
        QStringList lines = kFile;
        lines[8] = QString::fromLatin1(row.line9);
        const ce::DefaultsReading r = ce::readDefaults(lines, base(), row.point);
        EXPECT_EQ(std::pair(r.valuesRead, int(r.settings.CheckDecideur)),
                  std::pair(row.state < 0 ? 8 : 9, row.state < 0 ? 2 : row.state)) << row.line9;
        EXPECT_EQ(texts(r.settings), kFile.mid(0, 8)) << row.line9;
    }
}

}  // namespace
