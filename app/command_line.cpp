#include "app/command_line.h"

#include <QCommandLineParser>

namespace ce {

Result<ProgramPaths> applyCommandLine(const QStringList& arguments, const QString& serviceVariable,
                                      ProgramPaths paths)
{
    using R = Result<ProgramPaths>;
    QCommandLineParser parser;
    const QCommandLineOption service(QStringLiteral("service"), QString(), QStringLiteral("url"));
    parser.addOption(service);
    const QString usage = QStringLiteral("\nUsage : cinq-etoiles [--service http://hôte[:port]]");
    if (!parser.parse(arguments))
        return R::failure(parser.errorText() + usage);
    if (!parser.positionalArguments().isEmpty())
        return R::failure(QStringLiteral("Argument inattendu : ") + parser.positionalArguments().first() + usage);
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
