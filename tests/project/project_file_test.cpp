// Project files: the ".pam" suffix, the seventeen lines, checked opening.

#include "project/project_file.h"
#include "tests/core/key_echo.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const ce::test::KeyEcho kKeys;

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
    // A web-encoded name: its "%3" must never be taken for a place holder.
    const QString name = QStringLiteral("M31%3A nuit%1.pam");
    using ce::test::keyed;
    // state -1: the file is refused, naming the line.
    const struct { const char* name; QStringList lines; int state; QString error; } rows[] = {
        {"seventeen lines", kLines, 1, QString()},
        {"lines after 17 ignored", kLines + QStringList{"x"}, 1, QString()},
        {"sixteen lines", kLines.mid(0, 16), -1, keyed("project.read.short", {name, "16", "17"})},
        {"state not a number", withLast("oui"), -1, keyed("project.read.not_number", {"17", name})},
        {"state out of range", withLast(" 3 "), -1, keyed("project.read.decider", {"17", name, "3"})},
        {"state below range", withLast("-0.6"), -1, keyed("project.read.decider", {"17", name, "-0.6"})},
    };
    for (const auto& row : rows) {
        const auto r = ce::parseProject(row.lines, u'.', name, kKeys);
        ASSERT_EQ(r.ok(), row.state >= 0) << row.name;
        if (r.ok()) {
            EXPECT_EQ(ce::projectLines(*r).mid(0, 16), kLines.mid(0, 16)) << row.name;
            EXPECT_EQ(r->CheckDecideur, row.state) << row.name;
        } else {
            EXPECT_EQ(r.error(), row.error) << row.name;
        }
    }
}

TEST(ProjectFile, SaveAndOpenFailuresAreReported)
{
    // (A saved project opening unchanged is the project commands' own case.)
    QTemporaryDir dir;
    const auto fields = ce::parseProject(kLines, u'.', QString(), kKeys);
    ASSERT_TRUE(fields.ok());
    EXPECT_EQ(ce::saveProject(QString(), *fields, kKeys).error(), ce::test::keyed("project.save.no_name", {}));
    EXPECT_TRUE(ce::loadProject(dir.path() + QStringLiteral("/absent.pam"), kKeys)
                    .error()
                    .contains(QStringLiteral("absent.pam")));
}

}  // namespace
