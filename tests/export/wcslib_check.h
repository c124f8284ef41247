#pragma once
// A written WCS header read by WCSLIB, the reference reader of FITS world
// coordinates (wcspih, wcsset, wcsp2s), and compared with the program's own
// pixel → sky over the whole image.

#include "core/tangent_plane.h"

#include <QByteArray>
#include <QString>

#include <wcslib/wcshdr.h>
#include <wcslib/wcs.h>
#include <wcslib/wcserr.h>

#include <algorithm>
#include <functional>
#include <optional>

namespace ce::testing {

// The sky position WCSLIB gives FITS pixel (p1, p2) of the header, or none
// when it cannot read the header or transform the pixel. `failure` says why.
class WcslibReader {
public:
    explicit WcslibReader(const QByteArray& header)
    {
        QByteArray text = header;
        int reject = 0;
        const int records = int(text.size() / 80);
        int status = wcspih(text.data(), records, WCSHDR_all, 0, &reject, &count_, &wcs_);
        if (status != 0 || count_ < 1) {
            failure = QStringLiteral("wcspih: status %1, %2 solutions").arg(status).arg(count_);
            return;
        }
        status = wcsset(wcs_);
        if (status != 0)
            failure = QStringLiteral("wcsset: %1").arg(QString::fromLatin1(wcs_->err ? wcs_->err->msg : ""));
    }
    ~WcslibReader()
    {
        if (wcs_) wcsvfree(&count_, &wcs_);
    }
    WcslibReader(const WcslibReader&) = delete;
    WcslibReader& operator=(const WcslibReader&) = delete;

    bool ok() const { return wcs_ && failure.isEmpty(); }
    const wcsprm& prm() const { return *wcs_; }

    std::optional<SkyPoint> sky(double p1, double p2)
    {
        double pixel[2] = {p1, p2}, image[2], phi, theta, world[2];
        int stat[1] = {0};
        if (wcsp2s(wcs_, 1, 2, pixel, image, &phi, &theta, world, stat) != 0)
            return std::nullopt;
        return SkyPoint{world[0], world[1]};
    }

    QString failure;

private:
    int count_ = 0;
    wcsprm* wcs_ = nullptr;
};

// The largest distance, arcseconds, between WCSLIB's and the program's sky
// position over a grid of `steps` + 1 by `steps` + 1 program pixels from
// (0, 0) to (width − 1, height − 1), corners included; `toFits` maps a
// program pixel to the FITS pixel of the header. Infinity when WCSLIB
// fails anywhere.
inline double worstDisagreementArcsec(WcslibReader& reader, const TanWcs& program, int width, int height,
                                      const std::function<std::pair<double, double>(double, double)>& toFits,
                                      int steps = 12)
{
    double worst = 0.0;
    for (int i = 0; i <= steps; ++i) {
        for (int j = 0; j <= steps; ++j) {
            const double x = (width - 1) * double(i) / steps, y = (height - 1) * double(j) / steps;
            const auto [p1, p2] = toFits(x, y);
            const std::optional<SkyPoint> theirs = reader.sky(p1, p2);
            if (!theirs) return INFINITY;
            worst = std::max(worst, angularSeparationArcsec(*theirs, pixelToSky(program, x, y)));
        }
    }
    return worst;
}

}  // namespace ce::testing
