#include "tools/demo_field/demo_project.h"

#include <QStringList>

#include <cmath>

namespace ce::demo {

WholeSexagesimal wholeSexagesimal(double value)
{
    const long long totalSeconds = std::llround(std::fabs(value) * 3600.0);
    WholeSexagesimal s;
    s.negative = value < 0 && totalSeconds != 0;
    s.whole = static_cast<int>(totalSeconds / 3600);
    s.minutes = static_cast<int>(totalSeconds / 60 % 60);
    s.seconds = static_cast<int>(totalSeconds % 60);
    return s;
}

QString scaleFactorText(double value)
{
    return QString::number(std::round(value * 100.0) / 100.0, 'g', 12);
}

QByteArray projectText(const DemoProject& p)
{
    WholeSexagesimal ra = wholeSexagesimal(p.centreRaDeg / 15.0);
    if (ra.whole == 24)  // 23h59m59.6s rounds to the same meridian as 0h
        ra.whole = 0;
    const WholeSexagesimal dec = wholeSexagesimal(p.centreDecDeg);
    const QStringList lines = {
        p.decisionThresholdPx,
        scaleFactorText(p.corrAsd),
        scaleFactorText(p.corrDec),
        QString::number(dec.whole),
        QString::number(dec.minutes),
        QString::number(dec.seconds),
        dec.negative ? QStringLiteral("-") : QStringLiteral("+"),
        p.radiusArcmin,
        p.epoch,
        p.magnitude,
        p.fullMapMagnitude,
        QString::number(ra.whole),
        QString::number(ra.minutes),
        QString::number(ra.seconds),
        p.tolerancePx,
        p.imagePath,
        p.decider ? QStringLiteral("1") : QStringLiteral("0"),
    };
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

}  // namespace ce::demo
