// Project files (.pam): a file that opens, saved again, opens as the same
// project; a file that does not open says why, naming the file.

#include "project/project_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/core/key_echo.h"

using namespace ce;
using ce::fuzz::require;

namespace {
const ce::test::KeyEcho kKeys;
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = splitLines(decodeText(fuzz::bytesOf(data, size)));
    for (QChar point : {QChar(u'.'), QChar(u',')}) {
        const Result<ProjectFields> read = parseProject(lines, point, QStringLiteral("m31.pam"), kKeys);
        if (!read.ok()) {
            require(read.error().contains(QStringLiteral("m31.pam")), "a failure names the file", read.error());
            continue;
        }
        require(lines.size() >= kProjectLineCount, "a project has seventeen lines");
        require(read->CheckDecideur >= 0 && read->CheckDecideur <= 2, "the box state is 0, 1 or 2");
        require(read->txt_calcul == lines[0], "texts are kept exactly", lines[0]);

        const QStringList written = projectLines(*read);
        require(written.size() == kProjectLineCount, "seventeen lines are written");
        require(written.mid(0, 16) == lines.mid(0, 16), "the sixteen texts are written as read");
        const Result<ProjectFields> again =
            parseProject(fuzz::writtenAndReadBack(written), point, QStringLiteral("m31.pam"), kKeys);
        if (!again.ok() || !(*again == *read))
            fuzz::broken("the project written out reads back the same", written.join(u'\n'));
    }
    // The name to save under always ends up holding ".pam".
    const QString chosen = lines.value(0);
    require(projectFileName(chosen).contains(QStringLiteral(".pam")), "the saved name holds .pam", chosen);
    return 0;
}
