#pragma once
// config.cfg: the named optical configurations, and the table the Config
// window edits.
//
// File layout (CR LF line ends): line 1 the record count in the print
// convention (" 3 ": a blank for the sign, the digits, one blank), then three
// lines per record: name, Corr Asd text, Corr Dec text. Texts are kept
// exactly as typed; nothing here converts them to numbers.

#include "core/result.h"
#include "core/text_lookup.h"

#include <QChar>
#include <QString>
#include <QStringList>

#include <vector>

namespace ce {

struct OpticalConfiguration {
    QString name;
    QString corrAsd;
    QString corrDec;

    friend bool operator==(const OpticalConfiguration&, const OpticalConfiguration&) = default;
};

inline constexpr int kConfigCapacity = 15;  // records 1..15

// What a reading gives: the records read, in file order, and when the
// reading stopped early the reason naming the file and line (the
// records before the failing line are kept).
struct ConfigReading {
    std::vector<OpticalConfiguration> records;
    QString error;

    bool ok() const { return error.isEmpty(); }
};

// " 3 " for 3, "-2 " for -2.
QString configCountLine(int count);

// Given the file's lines, the locale's decimal separator (the count is read
// by the locale rule, blanks around it ignored, rounded half to even to a
// 16-bit integer) and the file name for messages. Failures: no count line,
// a count that is not a number or out of range, a negative count, more than
// 15 records, fewer lines than 1 + 3 * count; each reason is a
// "config.read." text of `lang`.
ConfigReading parseConfigFile(const QStringList& lines, QChar decimalPoint,
                              const QString& fileName, const TextLookup& lang);

// The 1 + 3 * n lines of the file.
QStringList configFileLines(const std::vector<OpticalConfiguration>& records);

// programFolder + "/config.cfg"
QString configPath(const QString& programFolder);

// Reads the file (system locale); a missing file gives no records and the
// error "file.not_found" of `lang` naming it.
ConfigReading loadConfigFile(const QString& programFolder, const TextLookup& lang);

// Replaces the file with the records; fails with the "file.save_failed"
// text of `lang`, the file then untouched.
Status saveConfigFile(const QString& programFolder,
                      const std::vector<OpticalConfiguration>& records, const TextLookup& lang);

// The table of the Config window: records 1..count plus the scratch slot 0
// that takes edits made while nothing is selected. Selections are list
// indexes from 0 (record index + 1), -1 for none.
class ConfigTable {
public:
    ConfigTable() = default;
    explicit ConfigTable(std::vector<OpticalConfiguration> records);

    int count() const { return static_cast<int>(records_.size()); }
    const std::vector<OpticalConfiguration>& records() const { return records_; }
    // Slot 0 is the scratch record; slots 1..count the records.
    const OpticalConfiguration& slot(int n) const;
    // The names shown in the list, record 1 first.
    QStringList names() const;

    // "Nouveau": appends {"Config#", "0", "0"}. Refused with the message
    // calib.full of `lang` when the table already holds 15 records; the
    // table is then unchanged.
    Status addNew(const TextLookup& lang);

    // "Supprimer": removes the selected record and returns the selection
    // afterwards (the entry that took its place, else the new last one,
    // -1 when the table is empty). With nothing selected (or a selection
    // outside the list) nothing changes and -1 is returned.
    int remove(int selected);

    // Editing box n (0 name, 1 Corr Asd, 2 Corr Dec): stores the text in
    // the selected record, or in the scratch slot when nothing (or nothing
    // inside the list) is selected.
    // Field numbers outside 0..2 are ignored.
    void editField(int selected, int field, const QString& text);

private:
    std::vector<OpticalConfiguration> records_;
    OpticalConfiguration scratch_;
};

}  // namespace ce
