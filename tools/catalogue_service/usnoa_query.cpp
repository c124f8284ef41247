#include "tools/catalogue_service/usnoa_query.h"

#include <QRegularExpression>
#include <QStringList>

#include <cmath>
#include <optional>

namespace ce::service {

namespace {

std::optional<double> finiteNumber(const QString& text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString badKey(const char* key, const QString& value)
{
    return QStringLiteral("Valeur invalide pour la clé %1 : « %2 »").arg(QLatin1String(key), value);
}

// Whole part, minutes and seconds of a sexagesimal text; the sign of the
// first number is reported apart so that "-0" keeps it.
struct Sexagesimal {
    bool negative = false;
    double whole = 0;
    double minutes = 0;
    double seconds = 0;
};

std::optional<Sexagesimal> splitSexagesimalText(const QString& text)
{
    static const QRegularExpression separators(QStringLiteral("[\\s:]+"));
    const QStringList parts = text.trimmed().split(separators, Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.size() > 3)
        return std::nullopt;
    Sexagesimal s;
    QString first = parts[0];
    if (first.startsWith(u'-') || first.startsWith(u'+')) {
        s.negative = first.startsWith(u'-');
        first.remove(0, 1);
    }
    double* targets[3] = {&s.whole, &s.minutes, &s.seconds};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString part = i == 0 ? first : parts[i];
        // Only the first number may carry a sign; none may be negative.
        if (part.startsWith(u'-') || part.startsWith(u'+'))
            return std::nullopt;
        const auto value = finiteNumber(part);
        if (!value)
            return std::nullopt;
        *targets[i] = *value;
    }
    if (s.minutes >= 60 || s.seconds > 60)
        return std::nullopt;
    return s;
}

const std::string* findKey(const QueryKeys& keys, const char* key)
{
    const auto it = keys.find(key);
    return it == keys.end() ? nullptr : &it->second;
}

QString missingKey(const char* key)
{
    return QStringLiteral("Clé manquante dans la requête : %1").arg(QLatin1String(key));
}

}  // namespace

QueryKeys decodeQueryString(const std::string& rawQuery)
{
    QueryKeys keys;
    const auto decode = [](QByteArray part) {
        return QByteArray::fromPercentEncoding(part.replace('+', ' ')).toStdString();
    };
    for (const QByteArray& pair : QByteArray::fromStdString(rawQuery).split('&')) {
        if (pair.isEmpty())
            continue;
        const qsizetype equals = pair.indexOf('=');
        if (equals < 0)
            keys.emplace(decode(pair), std::string());
        else
            keys.emplace(decode(pair.left(equals)), decode(pair.mid(equals + 1)));
    }
    return keys;
}

Result<double> parseRightAscension(const QString& text)
{
    const auto s = splitSexagesimalText(text);
    if (!s || s->negative)
        return Result<double>::failure(badKey("ra", text));
    const double hours = s->whole + s->minutes / 60.0 + s->seconds / 3600.0;
    if (hours > 24)
        return Result<double>::failure(badKey("ra", text));
    // 24 h is the same meridian as 0 h.
    const double deg = hours * 15.0;
    return Result<double>::success(deg >= 360.0 ? deg - 360.0 : deg);
}

Result<double> parseDeclination(const QString& text)
{
    const auto s = splitSexagesimalText(text);
    if (!s)
        return Result<double>::failure(badKey("dec", text));
    const double deg = s->whole + s->minutes / 60.0 + s->seconds / 3600.0;
    if (deg > 90)
        return Result<double>::failure(badKey("dec", text));
    return Result<double>::success(s->negative ? -deg : deg);
}

Result<UsnoaQuery> parseUsnoaQuery(const QueryKeys& keys)
{
    using R = Result<UsnoaQuery>;
    const char* required[] = {"catalogue", "ra", "dec", "radmax", "magfaint", "format", "nout"};
    for (const char* key : required) {
        if (!findKey(keys, key))
            return R::failure(missingKey(key));
    }
    auto text = [&keys](const char* key) {
        const std::string* value = findKey(keys, key);
        return value ? QString::fromStdString(*value) : QString();
    };

    if (text("catalogue") != u"usnoa")
        return R::failure(badKey("catalogue", text("catalogue")));
    if (text("format").trimmed() != u"2")
        return R::failure(badKey("format", text("format")));
    if (findKey(keys, "sort") && text("sort").trimmed() != u"mr")
        return R::failure(badKey("sort", text("sort")));

    UsnoaQuery q;
    q.raText = text("ra");
    q.decText = text("dec");
    q.epochText = text("epoch");
    const auto ra = parseRightAscension(q.raText);
    if (!ra)
        return R::failure(ra.error());
    const auto dec = parseDeclination(q.decText);
    if (!dec)
        return R::failure(dec.error());
    q.raDeg = *ra;
    q.decDeg = *dec;

    const auto radius = finiteNumber(text("radmax"));
    // 5400 arcminutes is a hemisphere; the distance column holds 8 characters.
    if (!radius || *radius <= 0 || *radius > 5400)
        return R::failure(badKey("radmax", text("radmax")));
    q.radiusArcmin = *radius;

    const auto faint = finiteNumber(text("magfaint"));
    if (!faint)
        return R::failure(badKey("magfaint", text("magfaint")));
    q.magFaint = *faint;
    if (findKey(keys, "magbright") && !text("magbright").trimmed().isEmpty()) {
        const auto bright = finiteNumber(text("magbright"));
        if (!bright)
            return R::failure(badKey("magbright", text("magbright")));
        q.magBright = *bright;
    }

    bool ok = false;
    const int count = text("nout").trimmed().toInt(&ok);
    if (!ok || count < 1)
        return R::failure(badKey("nout", text("nout")));
    q.maxCount = count;
    return R::success(std::move(q));
}

}  // namespace ce::service
