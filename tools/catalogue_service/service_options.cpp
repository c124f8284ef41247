#include "tools/catalogue_service/service_options.h"

#include <QCommandLineParser>

#include <optional>

namespace ce::service {

namespace {

const char kUsage[] =
    "Usage : catalogue-service --extract FICHIER [--gaia-extract FICHIER] [--port N] [--port-file FICHIER]\n"
    "        [--delay-ms N] [--hang] [--status N] [--no-marker] [--exit-after-seconds N]";

std::optional<int> wholeNumber(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

}  // namespace

Result<ServiceOptions> parseServiceOptions(const QStringList& arguments)
{
    using R = Result<ServiceOptions>;
    QCommandLineParser parser;
    const QCommandLineOption extract(QStringLiteral("extract"), QString(), QStringLiteral("file"));
    const QCommandLineOption gaiaExtract(QStringLiteral("gaia-extract"), QString(), QStringLiteral("file"));
    const QCommandLineOption port(QStringLiteral("port"), QString(), QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption portFile(QStringLiteral("port-file"), QString(), QStringLiteral("file"));
    const QCommandLineOption delay(QStringLiteral("delay-ms"), QString(), QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption hang(QStringLiteral("hang"));
    const QCommandLineOption status(QStringLiteral("status"), QString(), QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption noMarker(QStringLiteral("no-marker"));
    const QCommandLineOption exitAfter(QStringLiteral("exit-after-seconds"), QString(), QStringLiteral("n"),
                                       QStringLiteral("0"));
    parser.addOptions({extract, gaiaExtract, port, portFile, delay, hang, status, noMarker, exitAfter});
    const auto fail = [](const QString& reason) {
        return R::failure(reason + u'\n' + QLatin1String(kUsage));
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Argument inattendu : ") + parser.positionalArguments().first());
    if (!parser.isSet(extract) || parser.value(extract).isEmpty())
        return fail(QStringLiteral("Option --extract manquante"));

    ServiceOptions o;
    o.extractPath = parser.value(extract);
    o.gaiaExtractPath = parser.value(gaiaExtract);
    o.portFile = parser.value(portFile);
    o.hang = parser.isSet(hang);
    o.noMarker = parser.isSet(noMarker);
    struct Number {
        const QCommandLineOption& option;
        int lowest;
        int highest;
        int& target;
    };
    const Number numbers[] = {
        {port, 0, 65535, o.port},
        {delay, 0, 3'600'000, o.delayMs},
        {status, 0, 599, o.forcedStatus},
        {exitAfter, 0, 86'400, o.exitAfterSeconds},
    };
    for (const Number& n : numbers) {
        const auto value = wholeNumber(parser.value(n.option), n.lowest, n.highest);
        if (!value) {
            return fail(QStringLiteral("Valeur invalide pour --%1 : %2")
                            .arg(n.option.names().first(), parser.value(n.option)));
        }
        n.target = *value;
    }
    if (o.forcedStatus != 0 && o.forcedStatus < 100)
        return fail(QStringLiteral("Valeur invalide pour --status : %1").arg(o.forcedStatus));
    return R::success(std::move(o));
}

}  // namespace ce::service
