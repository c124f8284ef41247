#include "tools/demo_field/demo_fits.h"

#include "core/sexagesimal.h"
#include "image/fits_writer.h"

#include <cmath>

namespace ce::demo {

namespace {

// "01 34 50.00" / "+22 11 01.0": the form cameras write.
QString sexagesimalCard(double value, bool sign, int secondDecimals)
{
    const double magnitude = std::abs(value);
    const int whole = int(magnitude);
    const int minutes = int((magnitude - whole) * 60.0);
    const double seconds = ((magnitude - whole) * 60.0 - minutes) * 60.0;
    const QString text = QStringLiteral("%1 %2 %3")
                             .arg(whole, 2, 10, QLatin1Char('0'))
                             .arg(minutes, 2, 10, QLatin1Char('0'))
                             .arg(seconds, 3 + secondDecimals, 'f', secondDecimals, QLatin1Char('0'));
    return sign ? (value < 0 ? QStringLiteral("-") : QStringLiteral("+")) + text : text;
}

}  // namespace

double focalLengthMm(double pixelsPerDegree, double pixelMicron)
{
    return pixelsPerDegree * 3438.0 * (pixelMicron / 1000.0) / 60.0;
}

Status writeDemoFits(const QString& path, const QImage& picture, const DemoFitsHeader& header)
{
    const QImage grey = picture.convertToFormat(QImage::Format_Grayscale16);
    FitsImageContent content;
    content.bitpix = 16;
    content.width = grey.width();
    content.height = grey.height();
    content.stored.reserve(std::size_t(content.width) * std::size_t(content.height));
    for (int row = grey.height() - 1; row >= 0; --row) {  // FITS row 1 is the bottom
        const auto* line = reinterpret_cast<const quint16*>(grey.constScanLine(row));
        for (int x = 0; x < content.width; ++x)
            content.stored.push_back(double(line[x]) - 32768.0);
    }
    content.cards = {
        {QStringLiteral("BZERO"), QStringLiteral("32768"), QStringLiteral("unsigned 16-bit counts")},
        {QStringLiteral("OBJCTRA"), sexagesimalCard(header.centreRaDeg / 15.0, false, 2),
         QStringLiteral("pointing, J2000, h m s")},
        {QStringLiteral("OBJCTDEC"), sexagesimalCard(header.centreDecDeg, true, 1),
         QStringLiteral("pointing, J2000, d m s")},
        {QStringLiteral("DATE-OBS"), header.dateObs, QStringLiteral("start of exposure, UTC")},
        {QStringLiteral("FOCALLEN"), QString::number(header.focalMm, 'f', 1), QStringLiteral("mm")},
        {QStringLiteral("XPIXSZ"), QString::number(header.pixelMicron, 'f', 2), QStringLiteral("microns")},
        {QStringLiteral("YPIXSZ"), QString::number(header.pixelMicron, 'f', 2), QStringLiteral("microns")},
        {QStringLiteral("INSTRUME"), QStringLiteral("Cinq Etoiles demo camera"), QString()},
    };
    return writeFitsImage(path, content);
}

}  // namespace ce::demo
