#include "tools/catalogue_service/asu_request.h"

#include <QRegularExpression>
#include <QUrl>

#include <cmath>

namespace ce::service {
namespace {

using R = Result<AsuRequest>;

std::optional<double> number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString bad(const QString& key, const QString& value)
{
    return QStringLiteral("Valeur invalide pour la clé %1 : « %2 »").arg(key, value);
}

// "<ra> <dec>" in decimal degrees or "h m s ±d m s".
std::optional<std::pair<double, double>> centre(const QString& text)
{
    // Two numbers apart by a sign or by blanks (never by nothing, or "123"
    // would be read as 12 and 3).
    static const QRegularExpression decimal(QStringLiteral(
        "^\\s*(\\d+(?:\\.\\d*)?(?:[eE][+-]?\\d+)?|\\.\\d+(?:[eE][+-]?\\d+)?)"
        "(?:\\s*([+-])\\s*|\\s+)"
        "(\\d+(?:\\.\\d*)?(?:[eE][+-]?\\d+)?|\\.\\d+(?:[eE][+-]?\\d+)?)\\s*$"));
    static const QRegularExpression sexagesimal(QStringLiteral(
        "^\\s*(\\d+)[\\s:]+(\\d+)[\\s:]+(\\d+(?:\\.\\d*)?)(?:\\s*([+-])\\s*|\\s+)(\\d+)[\\s:]+(\\d+)[\\s:]+(\\d+(?:\\.\\d*)?)\\s*$"));
    if (const auto m = decimal.match(text); m.hasMatch()) {
        const double ra = m.captured(1).toDouble();
        const double dec = (m.captured(2) == u"-" ? -1 : 1) * m.captured(3).toDouble();
        return std::pair{ra, dec};
    }
    if (const auto m = sexagesimal.match(text); m.hasMatch()) {
        const auto v = [&](int i) { return m.captured(i).toDouble(); };
        if (v(2) >= 60 || v(3) >= 60 || v(6) >= 60 || v(7) >= 60)
            return std::nullopt;
        const double ra = (v(1) + v(2) / 60 + v(3) / 3600) * 15;
        const double dec = (m.captured(4) == u"-" ? -1 : 1) * (v(5) + v(6) / 60 + v(7) / 3600);
        return std::pair{ra, dec};
    }
    return std::nullopt;
}

std::optional<AsuConstraint> constraint(const QString& text)
{
    AsuConstraint c;
    const QString t = text.trimmed();
    const auto bound = [&](qsizetype skip) { return number(t.mid(skip)); };
    if (t.startsWith(u"<=") || t.startsWith(u"=<")) {
        c.high = bound(2);
    } else if (t.startsWith(u">=") || t.startsWith(u"=>")) {
        c.low = bound(2);
    } else if (t.startsWith(u'<')) {
        c.high = bound(1), c.highIncluded = false;
    } else if (t.startsWith(u'>')) {
        c.low = bound(1), c.lowIncluded = false;
    } else if (const qsizetype dots = t.indexOf(QStringLiteral("..")); dots > 0) {
        c.low = number(t.left(dots)), c.high = number(t.mid(dots + 2));
        if (!c.low || !c.high || *c.low > *c.high)
            return std::nullopt;
    } else {
        c.low = c.high = bound(t.startsWith(u'=') ? 1 : 0);
    }
    if (!c.low && !c.high)
        return std::nullopt;
    return c;
}

QString shortest(double value) { return QString::number(value, 'g', 17); }

}  // namespace

bool AsuConstraint::admits(double value) const
{
    if (low && (lowIncluded ? value < *low : value <= *low))
        return false;
    if (high && (highIncluded ? value > *high : value >= *high))
        return false;
    return true;
}

QStringList asuColumnNames(AsuCatalogueId catalogue)
{
    if (catalogue == AsuCatalogueId::GaiaDr3)
        return {"Source", "RA_ICRS", "DE_ICRS", "pmRA", "pmDE", "Gmag", "BPmag", "RPmag"};
    return {"USNO-A2.0", "RAJ2000", "DEJ2000", "Rmag", "Bmag"};
}

Result<AsuRequest> parseAsuRequest(const QueryKeys& keys)
{
    AsuRequest q;
    const auto value = [&](const char* key) -> std::optional<QString> {
        const auto it = keys.find(key);
        if (it == keys.end())
            return std::nullopt;
        return QString::fromStdString(it->second);
    };

    const std::optional<QString> source = value("-source");
    if (!source)
        return R::failure(QStringLiteral("Clé -source manquante"));
    if (*source == u"I/252/out" || *source == u"I/252")
        q.catalogue = AsuCatalogueId::UsnoA2;
    else if (*source == u"I/355/gaiadr3")
        q.catalogue = AsuCatalogueId::GaiaDr3;
    else
        return R::failure(bad(QStringLiteral("-source"), *source));
    const QStringList names = asuColumnNames(q.catalogue);

    const std::optional<QString> c = value("-c");
    if (!c)
        return R::failure(QStringLiteral("Clé -c manquante"));
    const auto position = centre(*c);
    if (!position || position->first >= 360 || std::abs(position->second) > 90)
        return R::failure(bad(QStringLiteral("-c"), *c));
    q.raDeg = position->first, q.decDeg = position->second;
    if (const auto eq = value("-c.eq"); eq && *eq != u"J2000")
        return R::failure(bad(QStringLiteral("-c.eq"), *eq));

    // Cone or box, in arcminutes.
    struct Size { const char* key; bool box; double arcmin; };
    double unit = 1;
    if (const auto u = value("-c.u")) {
        if (*u == u"arcmin") unit = 1;
        else if (*u == u"deg") unit = 60;
        else if (*u == u"arcsec") unit = 1.0 / 60;
        else return R::failure(bad(QStringLiteral("-c.u"), *u));
    }
    const Size sizes[] = {{"-c.rm", false, 1}, {"-c.rd", false, 60}, {"-c.rs", false, 1.0 / 60},
                          {"-c.r", false, unit}, {"-c.bm", true, 1}, {"-c.bd", true, 60},
                          {"-c.bs", true, 1.0 / 60}};
    bool sized = false;
    for (const Size& s : sizes) {
        const auto text = value(s.key);
        if (!text)
            continue;
        if (sized)
            return R::failure(QStringLiteral("Plusieurs tailles de champ données (%1)").arg(QLatin1String(s.key)));
        sized = true;
        q.box = s.box;
        const QStringList parts = text->split(u'x');
        const auto a = parts.size() <= 2 ? number(parts[0]) : std::nullopt;
        const auto b = parts.size() == 2 ? number(parts[1]) : a;
        if (!a || !b || *a <= 0 || *b <= 0 || (!s.box && parts.size() != 1) || *a * s.arcmin > 10800
            || *b * s.arcmin > 10800)
            return R::failure(bad(QLatin1String(s.key), *text));
        if (s.box)
            q.widthArcmin = *a * s.arcmin, q.heightArcmin = *b * s.arcmin;
        else
            q.radiusArcmin = *a * s.arcmin;
    }
    if (!sized)
        return R::failure(QStringLiteral("Clé -c.rm (ou -c.bm) manquante"));

    q.columns = names;
    if (const auto out = value("-out"); out && *out != u"*" && *out != u"**") {
        static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
        q.columns = out->split(separators, Qt::SkipEmptyParts);
        for (const QString& col : q.columns)
            if (!names.contains(col))
                return R::failure(bad(QStringLiteral("-out"), *out));
        if (q.columns.isEmpty())
            return R::failure(bad(QStringLiteral("-out"), *out));
    }
    if (const auto max = value("-out.max")) {
        bool ok = false;
        q.maxRows = max->trimmed().toInt(&ok);
        if (!ok || q.maxRows < 1)
            return R::failure(bad(QStringLiteral("-out.max"), *max));
    }
    if (const auto sort = value("-sort")) {
        q.sortDescending = sort->startsWith(u'-');
        q.sortColumn = q.sortDescending ? sort->mid(1) : *sort;
        if (!names.contains(q.sortColumn))
            return R::failure(bad(QStringLiteral("-sort"), *sort));
    }
    for (const auto& [rawKey, rawValue] : keys) {
        const QString key = QString::fromStdString(rawKey);
        if (key.startsWith(u'-'))
            continue;
        const QString text = QString::fromStdString(rawValue);
        // Identifiers are not numbers: no constraint on them.
        if (!names.contains(key) || key == names.first())
            return R::failure(bad(key, text));
        const auto limit = constraint(text);
        if (!limit || q.constraints.count(key))
            return R::failure(bad(key, text));
        q.constraints[key] = *limit;
    }
    return R::success(std::move(q));
}

std::string asuQueryString(const AsuRequest& q)
{
    const auto enc = [](const QString& t) { return QUrl::toPercentEncoding(t).toStdString(); };
    std::string s = "-source=" + enc(q.catalogue == AsuCatalogueId::GaiaDr3 ? "I/355/gaiadr3" : "I/252/out");
    s += "&-c=" + enc(shortest(q.raDeg) + (std::signbit(q.decDeg) ? "-" : "+") + shortest(std::abs(q.decDeg)));
    s += "&-c.eq=J2000";
    if (q.box)
        s += "&-c.bm=" + enc(shortest(q.widthArcmin) + u'x' + shortest(q.heightArcmin));
    else
        s += "&-c.rm=" + enc(shortest(q.radiusArcmin));
    s += "&-out=" + enc(q.columns.join(u','));
    s += "&-out.max=" + std::to_string(q.maxRows);
    if (!q.sortColumn.isEmpty())
        s += "&-sort=" + enc((q.sortDescending ? "-" : "") + q.sortColumn);
    for (const auto& [column, c] : q.constraints) {
        QString v;
        if (c.low && c.high && c.lowIncluded && c.highIncluded)
            v = *c.low == *c.high ? u'=' + shortest(*c.low) : shortest(*c.low) + ".." + shortest(*c.high);
        else if (c.high && !c.low)
            v = (c.highIncluded ? "<=" : "<") + shortest(*c.high);
        else if (c.low && !c.high)
            v = (c.lowIncluded ? ">=" : ">") + shortest(*c.low);
        s += '&' + enc(column) + '=' + enc(v);
    }
    return s;
}

}  // namespace ce::service
