// defaut.cfg: whatever a file holds, the settings read from it, written out
// again, read back as the same settings in full; reading keeps the values
// it was given for what the file does not say.

#include "app/defaults_file.h"
#include "tests/fuzz/fuzz_support.h"

using namespace ce;
using ce::fuzz::require;

namespace {

bool sameSettings(const DefaultSettings& a, const DefaultSettings& b)
{
    return a.txt_calcul == b.txt_calcul && a.txt_corrasd == b.txt_corrasd && a.txt_corrdec == b.txt_corrdec
        && a.txt_distance == b.txt_distance && a.txt_mag == b.txt_mag && a.txt_mag2 == b.txt_mag2
        && a.txt_tolerance == b.txt_tolerance && a.txt_url == b.txt_url
        && a.CheckDecideur == b.CheckDecideur;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QStringList lines = splitLines(decodeText(fuzz::bytesOf(data, size)));
    DefaultSettings base;
    base.txt_url = QStringLiteral("base");
    base.CheckDecideur = 2;
    for (QChar point : {QChar(u'.'), QChar(u',')}) {
        const DefaultsReading read = readDefaults(lines, base, point);
        require(read.valuesRead >= 0 && read.valuesRead <= kDefaultsLineCount, "0 to 9 values read");
        require(read.valuesRead <= lines.size(), "no more values than lines");
        require(read.settings.CheckDecideur >= 0 && read.settings.CheckDecideur <= 2,
                "the box state is 0, 1 or 2");
        if (read.valuesRead < 8)
            require(read.settings.txt_url == base.txt_url, "values the file did not give stay as given");
        if (read.valuesRead < 9)
            require(read.settings.CheckDecideur == base.CheckDecideur, "the box state stays as given");
        if (read.valuesRead >= 1)
            require(read.settings.txt_calcul == lines[0], "texts are kept exactly", lines[0]);

        const QStringList written = defaultsLines(read.settings);
        require(written.size() == kDefaultsLineCount, "nine lines are written");
        const DefaultsReading again = readDefaults(fuzz::writtenAndReadBack(written), DefaultSettings{}, point);
        if (again.valuesRead != kDefaultsLineCount || !sameSettings(again.settings, read.settings))
            fuzz::broken("the settings written out read back the same", written.join(u'\n'));
    }
    return 0;
}
