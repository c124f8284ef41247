// config.cfg: whatever a file holds, the configurations read from it,
// written out again, read back complete and the same; the Config window's
// table keeps its capacity and selection rules under any edits.

#include "calibration/config_file.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/core/key_echo.h"

using namespace ce;
using ce::fuzz::require;

namespace {

const ce::test::KeyEcho kKeys;

void checkTable(const std::vector<OpticalConfiguration>& records, const std::uint8_t* data,
                std::size_t size)
{
    ConfigTable table(records);
    for (std::size_t i = 0; i < size && i < 64; ++i) {
        const int selected = int(data[i] % 20) - 2;
        const int before = table.count();
        switch (data[i] % 3) {
        case 0: {
            const Status added = table.addNew(kKeys);
            require(added.ok() == (before < kConfigCapacity), "a record is added below 15 only");
            require(table.count() == before + (added.ok() ? 1 : 0), "adding adds one record");
            break;
        }
        case 1: {
            const int after = table.remove(selected);
            const bool inside = selected >= 0 && selected < before;
            require(table.count() == before - (inside ? 1 : 0), "removing a selected record removes one");
            require(after >= -1 && after < table.count(), "the selection afterwards is in the list or none");
            break;
        }
        default:
            table.editField(selected, int(data[i] % 4), QStringLiteral("e"));
            require(table.count() == before, "editing keeps the count");
        }
        require(table.names().size() == table.count(), "one name per record");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = splitLines(decodeText(fuzz::bytesOf(data, size)));
    for (QChar point : {QChar(u'.'), QChar(u',')}) {
        const ConfigReading read = parseConfigFile(lines, point, QStringLiteral("config.cfg"), kKeys);
        require(read.records.size() <= std::size_t(kConfigCapacity), "at most 15 records");
        require(1 + 3 * read.records.size() <= std::size_t(lines.size()) || read.records.empty(),
                "records come from the lines");
        if (!read.ok())
            require(read.error.contains(QStringLiteral("config.cfg")), "a failure names the file", read.error);

        const QStringList written = configFileLines(read.records);
        require(written.size() == 1 + 3 * qsizetype(read.records.size()), "1 + 3n lines are written");
        const ConfigReading again =
            parseConfigFile(fuzz::writtenAndReadBack(written), point, QStringLiteral("config.cfg"), kKeys);
        if (!again.ok() || again.records != read.records)
            fuzz::broken("the records written out read back the same", written.join(u'\n') + u'\n' + again.error);
        checkTable(read.records, data, size);
    }
    return 0;
}
