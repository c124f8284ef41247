// Project files: the ".pam" suffix, the seventeen lines, checked opening.

#include "project/project_file.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QStringList kLines{"10", "2599.43", "2709.96", "33", "1", "45.5", "-", "", "2000.0",
                         "13", "16", "18", "53", "35.1", "7", "images/m57.jpg", "1"};

TEST(ProjectFile, SuffixAppendedUnlessPamOccurs)
{
    const struct { const char* chosen; const char* expected; } rows[] = {
        {"/u/m57", "/u/m57.pam"}, {"/u/m57.PAM", "/u/m57.PAM.pam"}, {"/u/m57.pam.old", "/u/m57.pam.old"}};
    for (const auto& r : rows)
        EXPECT_EQ(ce::projectFileName(QString::fromLatin1(r.chosen)), QString::fromLatin1(r.expected));
}

TEST(ProjectFile, OpeningChecksTheWholeFileFirst)
{
    const auto withLast = [](const char* last) { QStringList l = kLines; l[16] = QString::fromLatin1(last); return l; };
    // state -1: the file is refused, naming the line.
    const struct { const char* name; QStringList lines; int state; const char* inError; } rows[] = {
        {"seventeen lines", kLines, 1, ""},
        {"lines after 17 ignored", kLines + QStringList{"x"}, 1, ""},
        {"sixteen lines", kLines.mid(0, 16), -1, "ligne 16"},
        {"state not a number", withLast("oui"), -1, "ligne 17"},
        {"state out of range", withLast("3"), -1, "ligne 17"},
    };
    for (const auto& row : rows) {
        // A web-encoded name: its "%3" must never be taken for a place holder.
        const QString name = QStringLiteral("M31%3A nuit%1.pam");
        const auto r = ce::parseProject(row.lines, u'.', name);
        ASSERT_EQ(r.ok(), row.state >= 0) << row.name;
        if (r.ok()) {
            EXPECT_EQ(ce::projectLines(*r).mid(0, 16), kLines.mid(0, 16)) << row.name;
            EXPECT_EQ(r->CheckDecideur, row.state) << row.name;
        } else {
            EXPECT_TRUE(r.error().contains(QString::fromLatin1(row.inError))) << row.name;
            EXPECT_TRUE(r.error().contains(name)) << r.error().toStdString();
            EXPECT_FALSE(r.error().contains(QStringLiteral("%2"))) << r.error().toStdString();
        }
    }
}

TEST(ProjectFile, SaveAndOpenFailuresAreReported)
{
    // (A saved project opening unchanged is the project commands' own case.)
    QTemporaryDir dir;
    const auto fields = ce::parseProject(kLines, u'.', QString());
    ASSERT_TRUE(fields.ok());
    EXPECT_FALSE(ce::saveProject(QString(), *fields).ok());
    EXPECT_TRUE(
        ce::loadProject(dir.path() + QStringLiteral("/absent.pam")).error().contains(QStringLiteral("absent.pam")));
}

}  // namespace
