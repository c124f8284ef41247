#include "catalogue/sources/asu_table.h"

#include <algorithm>

namespace ce {
namespace {

bool isDashes(const QString& line)
{
    bool any = false;
    for (const QChar c : line) {
        if (c == u'-')
            any = true;
        else if (c != u'\t' && c != u' ')
            return false;
    }
    return any;
}

QStringList cells(const QString& line)
{
    QStringList out = line.split(u'\t');
    for (QString& c : out)
        c = c.trimmed();
    return out;
}

}  // namespace

Result<AsuTable> parseAsuTable(const QByteArray& answer, const TextLookup& lang)
{
    using R = Result<AsuTable>;
    QStringList lines = QString::fromUtf8(answer).split(u'\n');
    for (QString& l : lines)
        if (l.endsWith(u'\r'))
            l.chop(1);

    // The head: the first non-comment, non-blank line is the names line,
    // then units, then dashes.
    qsizetype at = 0;
    while (at < lines.size() && (lines[at].startsWith(u'#') || lines[at].trimmed().isEmpty()))
        ++at;
    if (at + 2 >= lines.size() || !isDashes(lines[at + 2]))
        return R::failure(lang.text(QStringLiteral("catalogue.read.notable")));

    AsuTable table;
    table.names = cells(lines[at]);
    table.units = cells(lines[at + 1]);
    const QStringList dashes = lines[at + 2].split(u'\t');
    if (dashes.size() != table.names.size())
        return R::failure(lang.text(QStringLiteral("catalogue.read.badhead")).arg(at + 3));
    while (table.units.size() < table.names.size())
        table.units.append(QString());
    if (table.units.size() > table.names.size())
        return R::failure(lang.text(QStringLiteral("catalogue.read.badhead")).arg(at + 2));

    for (at += 3; at < lines.size(); ++at) {
        const QString& line = lines[at];
        if (line.trimmed().isEmpty() || line.startsWith(u'#'))
            break;
        QStringList row = cells(line);
        if (row.size() > table.names.size())
            return R::failure(lang.text(QStringLiteral("catalogue.read.toomany")).arg(at + 1));
        while (row.size() < table.names.size())
            row.append(QString());
        table.rows.push_back(std::move(row));
    }
    return R::success(std::move(table));
}

QByteArray formatAsuTable(const AsuTable& table, const QStringList& comments)
{
    QByteArray out;
    for (const QString& c : comments)
        out += '#' + c.toUtf8() + '\n';
    out += '\n';
    const auto joined = [](const QStringList& parts) { return parts.join(u'\t').toUtf8() + '\n'; };
    out += joined(table.names);
    QStringList units = table.units;
    while (units.size() < table.names.size())
        units.append(QString());
    out += joined(units);
    QStringList dashes;
    for (qsizetype i = 0; i < table.names.size(); ++i) {
        qsizetype width = 1;
        for (const QStringList& row : table.rows)
            if (i < row.size())
                width = std::max(width, row[i].size());
        dashes.append(QString(width, u'-'));
    }
    out += joined(dashes);
    for (const QStringList& row : table.rows)
        out += joined(row);
    return out;
}

}  // namespace ce
