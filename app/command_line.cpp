#include "app/command_line.h"

#include <QCommandLineParser>

namespace ce {

Result<ProgramPaths> applyCommandLine(const QStringList& arguments, const QString& serviceVariable,
                                      const TextLookup& lang,
                                      ProgramPaths paths)
{
    using R = Result<ProgramPaths>;
    QCommandLineParser parser;
    const QCommandLineOption service(QStringLiteral("service"), QString(), QStringLiteral("url"));
    parser.addOption(service);
    const QString usage = u'\n' + lang.text(QStringLiteral("usage.line"));
    if (!parser.parse(arguments))
        return R::failure(parser.errorText() + usage);
    if (!parser.positionalArguments().isEmpty())
        return R::failure(lang.text(QStringLiteral("usage.unexpected")).arg(parser.positionalArguments().first()) + usage);
    if (parser.isSet(service)) {
        paths.serviceAddress = parser.value(service);
        paths.serviceOrigin = ProgramPaths::ServiceOrigin::Option;
    } else if (!serviceVariable.trimmed().isEmpty()) {
        paths.serviceAddress = serviceVariable.trimmed();
        paths.serviceOrigin = ProgramPaths::ServiceOrigin::Environment;
    }
    return R::success(std::move(paths));
}

}  // namespace ce
