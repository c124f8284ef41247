#include "app/defaults_file.h"

#include "core/numbers.h"
#include "core/textfile.h"

#include <array>

namespace ce {
namespace {

// The eight text fields in file order (const or not, as `s` is).
template <typename Settings>
auto textFields(Settings& s)
{
    return std::array{&s.txt_calcul, &s.txt_corrasd,  &s.txt_corrdec,   &s.txt_distance,
            &s.txt_mag,    &s.txt_mag2,     &s.txt_tolerance, &s.txt_url};
}

}  // namespace

DefaultsReading readDefaults(const QStringList& lines, const DefaultSettings& base,
                             QChar decimalPoint)
{
    DefaultsReading reading{base, 0};
    const auto fields = textFields(reading.settings);
    for (QString* field : fields) {
        if (reading.valuesRead >= lines.size()) return reading;
        *field = lines[reading.valuesRead];
        ++reading.valuesRead;
    }
    if (lines.size() < kDefaultsLineCount) return reading;

    // The check box takes 0, 1 or 2 only; anything else leaves its state.
    const std::optional<double> number = localeValue(lines[8], decimalPoint);
    if (!number) return reading;
    const std::optional<std::int16_t> state = toInt16(*number);
    if (!state || *state < 0 || *state > 2) return reading;
    reading.settings.CheckDecideur = *state;
    reading.valuesRead = kDefaultsLineCount;
    return reading;
}

QStringList defaultsLines(const DefaultSettings& settings)
{
    QStringList lines;
    for (const QString* field : textFields(settings)) lines << *field;
    lines << formatWhole(settings.CheckDecideur);
    return lines;
}

QString defaultsPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/defaut.cfg");
}

DefaultsReading loadDefaults(const QString& programFolder, const DefaultSettings& base, const TextLookup& lang)
{
    const Result<QStringList> lines = readTextLines(defaultsPath(programFolder), lang);
    if (!lines) return {base, 0};
    return readDefaults(*lines, base, systemDecimalPoint());
}

Status saveDefaults(const QString& programFolder, const DefaultSettings& settings, const TextLookup& lang)
{
    return writeTextLines(defaultsPath(programFolder), defaultsLines(settings), lang);
}

}  // namespace ce
