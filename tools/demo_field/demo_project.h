#pragma once
// The 17-line project file that opens a demonstration field in the program:
// the main window's fields in the order of the project format, CR LF line
// ends.

#include <QByteArray>
#include <QString>

namespace ce::demo {

struct DemoProject {
    double centreRaDeg = 0;      // field centre, degrees, J2000.0
    double centreDecDeg = 0;
    double corrAsd = 0;          // scale factors of the linear catalogue plane
    double corrDec = 0;
    QString radiusArcmin = QStringLiteral("20");
    QString magnitude = QStringLiteral("13");
    QString fullMapMagnitude = QStringLiteral("16");
    QString epoch = QStringLiteral("2000.0");
    QString tolerancePx = QStringLiteral("7");
    QString decisionThresholdPx = QStringLiteral("10");
    QString imagePath;           // as the "Img:" field holds it
    bool decider = false;
};

// The whole-second sexagesimal parts of a value, the seconds rounded and
// carried into the minutes and the whole part (59.6 s becomes the next
// minute), so that the texts always read back to the nearest second.
struct WholeSexagesimal {
    bool negative = false;
    int whole = 0;
    int minutes = 0;
    int seconds = 0;
};
WholeSexagesimal wholeSexagesimal(double value);

// A scale factor as the program's fields hold it: "." separator, at most two
// decimals, no trailing zeros ("2083.47", "2250").
QString scaleFactorText(double value);

// The file's bytes: txt_calcul, txt_corrasd, txt_corrdec, txt_dec (0..2),
// sign, txt_distance, txt_epoch, txt_mag, txt_mag2, txt_ra (0..2),
// txt_tolerance, txt_url, CheckDecideur; each line ended by CR LF.
QByteArray projectText(const DemoProject& project);

}  // namespace ce::demo
