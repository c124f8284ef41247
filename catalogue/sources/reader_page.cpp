#include "catalogue/sources/reader_page.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ce {
namespace {

QByteArray magnitudeText(bool has, double mag)
{
    if (!has || !std::isfinite(mag))
        return QByteArray(4, ' ');
    char text[16];
    std::snprintf(text, sizeof text, "%4.1f", std::clamp(mag, -9.9, 99.9));
    return QByteArray(text);
}

}  // namespace

QByteArray readerPage(const std::vector<ReaderStar>& stars)
{
    QByteArray page = "<html><body>\n<pre>\n<b>  nr ID              ra        dec       r_mag b_mag\n";
    const std::size_t count = std::min<std::size_t>(stars.size(), 9999);
    for (std::size_t i = 0; i < count; ++i) {
        const ReaderStar& s = stars[i];
        double ra = std::fmod(s.raDeg, 360.0);
        if (ra < 0)
            ra += 360.0;
        if (ra >= 359.999995)  // would print as 360.00000
            ra = 0.0;
        const double dec = std::clamp(s.decDeg, -90.0, 90.0);
        char head[64];
        std::snprintf(head, sizeof head, "%4d ", int(i + 1));
        char position[64];
        std::snprintf(position, sizeof position, " %9.5f %+09.5f ", ra, dec);
        QByteArray record = QByteArray(head) + s.id.left(14).leftJustified(14).toLatin1() + position
                            + magnitudeText(s.hasMagR, s.magR) + ' ' + magnitudeText(s.hasMagB, s.magB);
        record = record.leftJustified(65);
        if (!s.note.isEmpty())
            record += ' ' + s.note.toUtf8();
        page += (i == 0 ? "</b>" : "") + record + '\n';
    }
    return page + "\n</pre>\n</body></html>\n";
}

}  // namespace ce
