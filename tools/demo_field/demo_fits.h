#pragma once
// The demonstration field as a camera's 16-bit FITS file: the picture with
// FITS row 1 at its bottom, and a header that says where the telescope
// pointed (OBJCTRA, OBJCTDEC), when (DATE-OBS, UTC) and with which optics
// (FOCALLEN in millimetres, XPIXSZ and YPIXSZ in micrometres).

#include "core/result.h"

#include <QImage>
#include <QString>

namespace ce::demo {

struct DemoFitsHeader {
    double centreRaDeg = 0;   // J2000.0
    double centreDecDeg = 0;
    QString dateObs;          // "2024-10-05T22:14:00"
    double focalMm = 0;
    double pixelMicron = 0;
};

// The focal length that gives `pixelsPerDegree` with pixels of
// `pixelMicron`, by the classical formula pixels per degree = 60·F / (3438·p)
// (p in millimetres).
double focalLengthMm(double pixelsPerDegree, double pixelMicron);

// Writes `picture` (Grayscale16) as BITPIX 16 with BZERO 32768.
Status writeDemoFits(const QString& path, const QImage& picture, const DemoFitsHeader& header);

}  // namespace ce::demo
