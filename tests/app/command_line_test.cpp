// The command line: --service for one run, the environment variable as the
// fallback, and what is refused.

#include "app/command_line.h"
#include "tests/core/key_echo.h"

#include <gtest/gtest.h>

namespace ce {
namespace {

const ce::test::KeyEcho kKeys;

TEST(CommandLine, ServiceOptionThenVariableThenNothing)
{
    ProgramPaths base;
    base.programFolder = QStringLiteral("/opt/ce");
    using O = ProgramPaths::ServiceOrigin;
    const struct Row {
        QStringList arguments;
        QString variable;
        QString address;
        O origin;
    } rows[] = {
        {{"ce", "--service", "http://127.0.0.1:8080"}, "http://other", "http://127.0.0.1:8080", O::Option},
        {{"ce", "--service=http://h:1/"}, "", "http://h:1/", O::Option},
        {{"ce"}, "  http://127.0.0.1:9  ", "http://127.0.0.1:9", O::Environment},
        {{"ce"}, "   ", "", O::None},
    };
    for (const Row& row : rows) {
        const Result<ProgramPaths> p = applyCommandLine(row.arguments, row.variable, kKeys, base);
        ASSERT_TRUE(p) << p.error().toStdString();
        EXPECT_EQ(p->serviceAddress, row.address);
        EXPECT_EQ(p->serviceOrigin, row.origin);
        EXPECT_EQ(p->programFolder, "/opt/ce");
    }
    for (const QStringList& bad : {QStringList{"ce", "--service"}, QStringList{"ce", "--serveur", "x"},
                                   QStringList{"ce", "projet.pam"}}) {
        const Result<ProgramPaths> p = applyCommandLine(bad, QString(), kKeys, base);
        ASSERT_FALSE(p) << bad.join(' ').toStdString();
        EXPECT_TRUE(p.error().endsWith(u'\n' + ce::test::keyed("usage.line", {}))) << p.error().toStdString();
    }
}

}  // namespace
}  // namespace ce
