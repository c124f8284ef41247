#pragma once
// A strict reader of RFC 4180 CSV for the tests: records end with CR LF,
// a quoted field may hold commas, CR, LF and doubled quotes, a quote in an
// unquoted field or text after a closing quote is an error. Written from
// the RFC's grammar, independently of the program's writer.

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ce::testing {

inline std::optional<std::vector<QStringList>> parseRfc4180(const QString& text)
{
    std::vector<QStringList> records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (n == 0) return records;
    while (true) {
        field.clear();
        if (i < n && text[i] == u'"') {
            ++i;
            while (true) {
                if (i >= n) return std::nullopt;  // unclosed quote
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < n && text[i] != u',' && text[i] != u'\r') {
                if (text[i] == u'"' || text[i] == u'\n') return std::nullopt;
                field += text[i++];
            }
        }
        record << field;
        if (i < n && text[i] == u',') {
            ++i;
            continue;
        }
        if (i + 1 < n && text[i] == u'\r' && text[i + 1] == u'\n') {
            i += 2;
            records.push_back(record);
            record.clear();
            if (i == n) return records;
            continue;
        }
        return std::nullopt;  // a record must end with CR LF
    }
}

}  // namespace ce::testing
