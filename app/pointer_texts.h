#pragma once
// What the pointer over the image reads and writes, as plain values: which
// marker a pointer position touches, the hover information line, the line
// that reports the sky position of a click, and the texts that identifying a
// catalogue star puts into the calibration boxes.
//
// Sky positions are degrees (right ascension 0..360, declination signed);
// pixel positions are image pixels, origin top-left, y downwards.

#include "core/reduction_state.h"

#include <QChar>
#include <QString>

#include <array>

namespace ce {

// Reach of the hover test and of the double-click test around the centre of
// a marker's circle, pixels: an 8 by 8 and a 16 by 16 square.
inline constexpr double kHoverReachPx = 4.0;
inline constexpr double kDoubleClickReachPx = 8.0;

// inHoverBox: is the pointer (x, y) strictly within 4 pixels of the centre
// (cx, cy) of the marker's circle (cx - 4 < x < cx + 4, likewise y), where
// the star is? cx = left + size / 2, cy = top + size / 2.
// Given: the marker (left, top in image pixels, size); x, y in image pixels.
// Note: the bounds are strict, so a pointer exactly 4 pixels away is out.
bool inHoverBox(const Marker& marker, double xPx, double yPx);

// inDoubleClickBox: cx - 8 < x < cx + 8 and cy - 8 < y < cy + 8, all strict.
// Given: the marker; x, y the whole-pixel position kept from the last move.
// Note: twice the reach of the hover box, over the whole circle and a margin.
bool inDoubleClickBox(const Marker& marker, int xPx, int yPx);

// missingScaleMessage: the status line for scale factors that cannot be
// divided by.
// Given: corrAsd, corrDec, pixels per degree, and the line's text from the
// language file, whose %1 receives the missing factors.
// Returns: empty when both are non-zero, else `text` with the caption of
// each missing factor ("Corr Asd", "Corr Dec", or "Corr Asd, Corr Dec").
QString missingScaleMessage(double corrAsd, double corrDec, const QString& text);

// hoverInfoText: the information line of a hovered catalogue star.
// Given: the identifier and the red and blue magnitude texts as read;
// raDeg, decDeg, J2000.0, degrees.
// Returns: id + "   MagR-B=" + magR + " " + magB + "   Ra:" + hours with
// unit "h" + "   Dec:" + degrees with unit "°" + "  (J2000.0)", the two
// positions in sexagesimal form (FormatSexagesimal), nothing trimmed.
QString hoverInfoText(const QString& identifier, const QString& magR, const QString& magB,
                      double raDeg, double decDeg);

// clickReportText: the status line of a click in coordinate mode.
// Given: raDeg, decDeg for the observation epoch, degrees.
// Returns: "Clic: " + hours with unit "h" + "  " + degrees with unit "°".
QString clickReportText(double raDeg, double decDeg);

// The same two lines when the solution is refined (its accuracy is a
// fraction of an arcsecond, far below the whole second of right ascension,
// 15 arcseconds): right ascension to 0.01 s, declination to 0.1''
// (FormatSexagesimalFine).
QString fineClickReportText(double raDeg, double decDeg);
QString fineHoverInfoText(const QString& identifier, const QString& magR, const QString& magB,
                          double raDeg, double decDeg);

// Texts for the calibration boxes Etalo_0..Etalo_7 and the calibration
// frame's declination sign label.
struct CalibrationFill {
    std::array<QString, 8> boxes;  // X, Y, RA h, m, s, Dec |d|, ', ''
    QString signCaption;           // "-" or "+"
};

// calibrationFill: the boxes filled from an identified catalogue star.
// Given: the marker centre (single precision, image pixels); raDeg, decDeg,
// J2000.0, degrees; the decimal separator to write, "." for the
// calibration boxes, which hold "." in any locale (their change handling
// turns a comma into a point, and "Suivant" reads them with ".").
// Returns:
//   boxes 0, 1: the centre in its shortest single-precision form with that
//               separator;
//   boxes 2..4: right ascension in hours (raDeg / 360 * 24) split into
//               whole hours, whole minutes and seconds (SplitSexagesimal);
//   boxes 5..7: |decDeg| split the same way;
//   seconds in their shortest form with "." (the calibration reads them by
//   the leading-number rule), whole numbers plain.
// Notes:
//  1. The declination is written unsigned and its sign goes to signCaption:
//     "-" for any negative declination, also between 0 and -1 degree where
//     the whole degrees are 0; "+" otherwise. The calibration takes the sign
//     from that label, so the star's sign is never lost.
CalibrationFill calibrationFill(float centreXPx, float centreYPx, double raDeg, double decDeg,
                                QChar decimalPoint);

}  // namespace ce
