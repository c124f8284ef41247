#pragma once
// The identified catalogue stars as a CSV file (RFC 4180): UTF-8 without a
// byte order mark, one header row, records ended by CR LF, a field quoted
// when it holds a comma, a double quote, CR or LF (a double quote inside
// doubled), numbers with "." as decimal separator whatever the locale.
//
// Columns, fixed (a data format, not text of the user interface):
//   id               catalogue identification
//   ra_deg, dec_deg  catalogue position, degrees, J2000.0 (ICRS), as read
//                    from the catalogue (not rounded to the catalogue plane),
//                    in the shortest form that reads back to the same double
//   mag_red, mag_blue  the catalogue's magnitude texts, blanks around removed
//   x_pred, y_pred   where the solution in force puts the star: image pixels,
//                    0-based, x right, y down, (0, 0) the centre of the
//                    top-left pixel; 3 decimals
//   x_meas, y_meas   the centroid measured by the refined fit, same pixels
//   resid_px         |measured − predicted|, pixels
//   resid_arcsec     catalogue position to the sky position of the centroid
//   fit              "used" or "rejected" (outlier)
// The last six cells are empty for a star the refined fit did not measure.
// A number that is not finite is written as an empty cell.

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace ce {

struct StarMeasure {
    double xPx = 0.0, yPx = 0.0;  // centroid, image pixels
    double residualPx = 0.0;
    double residualArcsec = 0.0;
    bool used = false;            // false: rejected by the fit
};

struct IdentifiedStar {
    QString id;
    double raDeg = 0.0, decDeg = 0.0;
    QString magRed, magBlue;
    double predictedX = 0.0, predictedY = 0.0;
    std::optional<StarMeasure> measure;
};

// The header row's cells, in order.
const std::vector<QString>& starListColumns();

// csvField: one cell as RFC 4180 writes it: quoted (inner quotes doubled)
// when it holds ",", "\"", CR or LF, unchanged otherwise.
QString csvField(const QString& cell);

// starListCsv: the whole file, header row first, CR LF after every record.
QByteArray starListCsv(const std::vector<IdentifiedStar>& stars);

}  // namespace ce
