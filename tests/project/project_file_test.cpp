// Project files: the ".pam" suffix, the seventeen lines, checked opening.

#include "project/project_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kName = QStringLiteral("m57.pam");

ce::ProjectFields sample()
{
    ce::ProjectFields f;
    f.txt_calcul = QStringLiteral("10");
    f.txt_corrasd = QStringLiteral("2599.43");
    f.txt_corrdec = QStringLiteral("2709.96");
    f.txt_dec = {QStringLiteral("33"), QStringLiteral("1"), QStringLiteral("45.5")};
    f.txt_dec_sign_show_0 = QStringLiteral("-");
    f.txt_distance = QString();  // empty fields travel as empty lines
    f.txt_epoch = QStringLiteral("2000.0");
    f.txt_mag = QStringLiteral("13");
    f.txt_mag2 = QStringLiteral("16");
    f.txt_ra = {QStringLiteral("18"), QStringLiteral("53"), QStringLiteral("35.1")};
    f.txt_tolerance = QStringLiteral("7");
    f.txt_url = QStringLiteral("images/m57.jpg");
    f.CheckDecideur = 1;
    return f;
}

TEST(ProjectFile, SuffixAppendedUnlessPamOccurs)
{
    struct Row {
        const char* chosen;
        const char* expected;
    };
    const Row rows[] = {
        {"/home/u/m57", "/home/u/m57.pam"},
        {"/home/u/m57.pam", "/home/u/m57.pam"},
        {"/home/u/m57.PAM", "/home/u/m57.PAM.pam"},
        {"/home/u/m57.pam.old", "/home/u/m57.pam.old"},
        {"/home/u/x.pam/m57", "/home/u/x.pam/m57"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ce::projectFileName(QString::fromLatin1(row.chosen)), QString::fromLatin1(row.expected))
            << row.chosen;
}

TEST(ProjectFile, LinesInFixedOrder)
{
    const QStringList lines = ce::projectLines(sample());
    EXPECT_EQ(lines, (QStringList{"10", "2599.43", "2709.96", "33", "1", "45.5", "-", "", "2000.0",
                                  "13", "16", "18", "53", "35.1", "7", "images/m57.jpg", "1"}));
}

TEST(ProjectFile, OpeningChecksTheWholeFileFirst)
{
    const QStringList good = ce::projectLines(sample());
    struct Row {
        const char* name;
        QStringList lines;
        const char* inError;  // "" when the file opens
        int state;
    };
    QStringList extra = good;
    extra << QStringLiteral("anything");
    const auto withLast = [&good](const char* last) {
        QStringList l = good;
        l[16] = QString::fromLatin1(last);
        return l;
    };
    const Row rows[] = {
        {"seventeen lines", good, "", 1},
        {"lines after 17 ignored", extra, "", 1},
        {"blanks around the state", withLast(" 0 "), "", 0},
        {"half to even", withLast("2.5"), "", 2},
        {"sixteen lines", good.mid(0, 16), "ligne 16", 0},
        {"empty file", QStringList{}, "ligne 0", 0},
        {"state not a number", withLast("oui"), "ligne 17", 0},
        {"state out of the check box range", withLast("3"), "ligne 17", 0},
    };
    for (const Row& row : rows) {
        const auto r = ce::parseProject(row.lines, u'.', kName);
        const QString expected = QString::fromLatin1(row.inError);
        if (expected.isEmpty()) {
            ASSERT_TRUE(r.ok()) << row.name << ": " << r.error().toStdString();
            EXPECT_EQ(ce::projectLines(*r).mid(0, 16), good.mid(0, 16)) << row.name;
            EXPECT_EQ(r->CheckDecideur, row.state) << row.name;
        } else {
            ASSERT_FALSE(r.ok()) << row.name;
            EXPECT_TRUE(r.error().contains(expected)) << row.name << ": " << r.error().toStdString();
            EXPECT_TRUE(r.error().contains(kName)) << row.name;
        }
    }
}

TEST(ProjectFile, SavedAndOpenedUnchanged)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = ce::projectFileName(dir.path() + QStringLiteral("/m57"));
    ASSERT_TRUE(ce::saveProject(path, sample()).ok());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.count("\r\n"), 17);
    EXPECT_TRUE(bytes.endsWith("images/m57.jpg\r\n1\r\n"));

    const auto back = ce::loadProject(path);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_EQ(*back, sample());

    EXPECT_FALSE(ce::saveProject(QString(), sample()).ok());
    const auto missing = ce::loadProject(dir.path() + QStringLiteral("/absent.pam"));
    ASSERT_FALSE(missing.ok());
    EXPECT_TRUE(missing.error().contains(QStringLiteral("absent.pam")));
}

}  // namespace
