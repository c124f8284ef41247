#include "project/project_file.h"

#include "core/numbers.h"
#include "core/textfile.h"

namespace ce {
namespace {

// Lines 1..16 in file order (const or not, as `f` is).
template <typename Fields>
auto textFields(Fields& f)
{
    return std::array{&f.txt_calcul,   &f.txt_corrasd, &f.txt_corrdec, &f.txt_dec[0],
                      &f.txt_dec[1],   &f.txt_dec[2],  &f.txt_dec_sign_show_0,
                      &f.txt_distance, &f.txt_epoch,   &f.txt_mag,     &f.txt_mag2,
                      &f.txt_ra[0],    &f.txt_ra[1],   &f.txt_ra[2],   &f.txt_tolerance,
                      &f.txt_url};
}

}  // namespace

QString projectFileName(const QString& chosen)
{
    return chosen.contains(QStringLiteral(".pam"), Qt::CaseSensitive)
               ? chosen
               : chosen + QStringLiteral(".pam");
}

QStringList projectLines(const ProjectFields& fields)
{
    QStringList lines;
    for (const QString* text : textFields(fields)) lines << *text;
    lines << formatWhole(fields.CheckDecideur);
    return lines;
}

Result<ProjectFields> parseProject(const QStringList& lines, QChar decimalPoint,
                                   const QString& fileName, const TextLookup& lang)
{
    using R = Result<ProjectFields>;
    const auto text = [&lang](const char* key) { return lang.text(QLatin1String(key)); };
    if (lines.size() < kProjectLineCount)
        return R::failure(text("project.read.short")
                              .arg(fileName, QString::number(lines.size()),
                                   QString::number(kProjectLineCount)));
    const QString& last = lines[kProjectLineCount - 1];
    const std::optional<double> number = localeValue(last, decimalPoint);
    if (!number)
        return R::failure(text("project.read.not_number")
                              .arg(QString::number(kProjectLineCount), fileName));
    const std::optional<std::int16_t> state = toInt16(*number);
    if (!state || *state < 0 || *state > 2)
        return R::failure(text("project.read.decider")
                              .arg(QString::number(kProjectLineCount), fileName, last.trimmed()));

    ProjectFields fields;
    int n = 0;
    for (QString* text : textFields(fields)) *text = lines[n++];
    fields.CheckDecideur = *state;
    return R::success(std::move(fields));
}

Result<ProjectFields> loadProject(const QString& path, const TextLookup& lang)
{
    const Result<QStringList> lines = readTextLines(path, lang);
    if (!lines) return Result<ProjectFields>::failure(lines.error());
    return parseProject(*lines, systemDecimalPoint(), path, lang);
}

Status saveProject(const QString& path, const ProjectFields& fields, const TextLookup& lang)
{
    if (path.isEmpty())
        return Status::failure(lang.text(QStringLiteral("project.save.no_name")));
    return writeTextLines(path, projectLines(fields), lang);
}

}  // namespace ce
