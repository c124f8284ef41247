#include "calibration/config_file.h"

#include "core/numbers.h"
#include "core/textfile.h"

#include <cstddef>

namespace ce {
namespace {

ConfigReading stopped(std::vector<OpticalConfiguration> records, QString error)
{
    return {std::move(records), std::move(error)};
}

}  // namespace

QString configCountLine(int count)
{
    // Print convention: the sign position holds a blank for a non-negative
    // number, and one blank follows the digits.
    return (count >= 0 ? QStringLiteral(" ") : QString()) + formatWhole(count) + u' ';
}

ConfigReading parseConfigFile(const QStringList& lines, QChar decimalPoint,
                              const QString& fileName, const TextLookup& lang)
{
    const auto text = [&lang](const char* key) { return lang.text(QLatin1String(key)); };
    std::vector<OpticalConfiguration> records;
    if (lines.isEmpty())
        return stopped(records, text("config.read.no_count").arg(fileName));
    const std::optional<double> number = localeValue(lines[0], decimalPoint);
    if (!number)
        return stopped(records, text("config.read.not_number").arg(fileName));
    const std::optional<std::int16_t> count = toInt16(*number);
    if (!count)
        return stopped(records, text("config.read.overflow").arg(fileName));
    if (*count < 0)
        return stopped(records, text("config.read.negative").arg(QString::number(*count), fileName));

    // Records are read one after the other, so a failure keeps every
    // complete record before it.
    for (int i = 1; i <= *count; ++i) {
        const int nameLine = 2 + 3 * (i - 1);  // 1-based line of the record's name
        if (i > kConfigCapacity)
            return stopped(records, text("config.read.too_many")
                                        .arg(fileName, QString::number(*count),
                                             QString::number(kConfigCapacity),
                                             QString::number(nameLine)));
        if (lines.size() < nameLine + 2)
            return stopped(records, text("config.read.short")
                                        .arg(fileName, QString::number(lines.size()),
                                             QString::number(i)));
        records.push_back({lines[nameLine - 1], lines[nameLine], lines[nameLine + 1]});
    }
    return stopped(std::move(records), QString());
}

QStringList configFileLines(const std::vector<OpticalConfiguration>& records)
{
    QStringList lines{configCountLine(static_cast<int>(records.size()))};
    for (const OpticalConfiguration& r : records) lines << r.name << r.corrAsd << r.corrDec;
    return lines;
}

QString configPath(const QString& programFolder)
{
    return programFolder + QStringLiteral("/config.cfg");
}

ConfigReading loadConfigFile(const QString& programFolder, const TextLookup& lang)
{
    const QString path = configPath(programFolder);
    const Result<QStringList> lines = readTextLines(path, lang);
    if (!lines) return stopped({}, lines.error());
    return parseConfigFile(*lines, systemDecimalPoint(), path, lang);
}

Status saveConfigFile(const QString& programFolder,
                      const std::vector<OpticalConfiguration>& records, const TextLookup& lang)
{
    return writeTextLines(configPath(programFolder), configFileLines(records), lang);
}

ConfigTable::ConfigTable(std::vector<OpticalConfiguration> records)
    : records_(std::move(records))
{
    if (records_.size() > std::size_t(kConfigCapacity)) records_.resize(kConfigCapacity);
}

const OpticalConfiguration& ConfigTable::slot(int n) const
{
    static const OpticalConfiguration none;
    if (n == 0) return scratch_;
    if (n >= 1 && n <= count()) return records_[std::size_t(n - 1)];
    return none;
}

QStringList ConfigTable::names() const
{
    QStringList list;
    for (const OpticalConfiguration& r : records_) list << r.name;
    return list;
}

Status ConfigTable::addNew(const TextLookup& lang)
{
    if (count() >= kConfigCapacity)
        return Status::failure(lang.text(QStringLiteral("calib.full")).arg(kConfigCapacity));
    records_.push_back({QStringLiteral("Config#"), QStringLiteral("0"), QStringLiteral("0")});
    return succeeded();
}

int ConfigTable::remove(int selected)
{
    if (selected < 0 || selected >= count()) return -1;
    records_.erase(records_.begin() + selected);
    // The entry that took the deleted one's place, else the new last one.
    return selected < count() ? selected : count() - 1;
}

void ConfigTable::editField(int selected, int field, const QString& text)
{
    if (field < 0 || field > 2) return;
    OpticalConfiguration& r =
        selected >= 0 && selected < count() ? records_[std::size_t(selected)] : scratch_;
    QString OpticalConfiguration::*const members[] = {&OpticalConfiguration::name,
                                                      &OpticalConfiguration::corrAsd,
                                                      &OpticalConfiguration::corrDec};
    r.*members[field] = text;
}

}  // namespace ce
