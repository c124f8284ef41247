#include "export/wcs_header.h"

#include "export/fits_cards.h"

#include <cmath>

namespace ce {

namespace {

// The numbers of the WCS, checked finite one by one as they are written.
class RealCards {
public:
    void add(const char* keyword, double value, const char* comment)
    {
        const std::optional<QByteArray> card = realCard(keyword, value, QString::fromLatin1(comment));
        if (card)
            cards.push_back(*card);
        else
            ok = false;
    }
    QList<QByteArray> cards;
    bool ok = true;
};

QString pixelConvention(RowOrder rows)
{
    return rows == RowOrder::BottomFirst
               ? QStringLiteral("Pixels: FITS file order, row 1 at the bottom of the image; pixel "
                                "(1,1) is the centre of the bottom-left pixel.")
               : QStringLiteral("Pixels: file order, row 1 at the top of the image; pixel (1,1) "
                                "is the centre of the top-left pixel.");
}

QString formatted(double value, int decimals) { return QString::number(value, 'f', decimals); }

}  // namespace

FitsTan toFitsPixels(const TanWcs& wcs, int imageHeight, RowOrder rows)
{
    FitsTan f;
    f.crval1Deg = wcs.crvalRaDeg;
    f.crval2Deg = wcs.crvalDecDeg;
    f.crpix1 = wcs.crpixX + 1.0;
    f.cd11 = wcs.cd11;
    f.cd21 = wcs.cd21;
    if (rows == RowOrder::BottomFirst) {
        // y = height − p2, so ∂y/∂p2 = −1.
        f.crpix2 = imageHeight - wcs.crpixY;
        f.cd12 = -wcs.cd12;
        f.cd22 = -wcs.cd22;
    } else {
        f.crpix2 = wcs.crpixY + 1.0;
        f.cd12 = wcs.cd12;
        f.cd22 = wcs.cd22;
    }
    return f;
}

Result<QList<QByteArray>> wcsCards(const WcsExport& s, const TextLookup& lang)
{
    if (s.imageWidth <= 0 || s.imageHeight <= 0)
        return Result<QList<QByteArray>>::failure(
            lang.text(QStringLiteral("export.fail.no_size")));
    const FitsTan f = toFitsPixels(s.wcs, s.imageHeight, s.rows);
    const double det = f.cd11 * f.cd22 - f.cd12 * f.cd21;
    if (!std::isfinite(det) || det == 0.0)
        return Result<QList<QByteArray>>::failure(
            lang.text(QStringLiteral("export.fail.singular")));

    QList<QByteArray> cards;
    cards << integerCard("WCSAXES", 2, QStringLiteral("Number of coordinate axes"))
          << stringCard("CTYPE1", QStringLiteral("RA---TAN"), QStringLiteral("TAN (gnomonic) projection"))
          << stringCard("CTYPE2", QStringLiteral("DEC--TAN"), QStringLiteral("TAN (gnomonic) projection"))
          << stringCard("CUNIT1", QStringLiteral("deg"), QStringLiteral("Unit of CRVAL1 and CD1_j"))
          << stringCard("CUNIT2", QStringLiteral("deg"), QStringLiteral("Unit of CRVAL2 and CD2_j"));
    RealCards reals;
    reals.add("CRVAL1", f.crval1Deg, "RA  of the reference point (deg)");
    reals.add("CRVAL2", f.crval2Deg, "Dec of the reference point (deg)");
    reals.add("CRPIX1", f.crpix1, "Column of the reference point (1-based)");
    reals.add("CRPIX2", f.crpix2, "Row of the reference point (1-based)");
    reals.add("CD1_1", f.cd11, "Transformation matrix (deg/pixel)");
    reals.add("CD1_2", f.cd12, "Transformation matrix (deg/pixel)");
    reals.add("CD2_1", f.cd21, "Transformation matrix (deg/pixel)");
    reals.add("CD2_2", f.cd22, "Transformation matrix (deg/pixel)");
    reals.add("LONPOLE", 180.0, "Native longitude of the celestial pole (deg)");
    if (!reals.ok)
        return Result<QList<QByteArray>>::failure(
            lang.text(QStringLiteral("export.fail.not_finite")));
    cards << reals.cards;
    cards << stringCard("RADESYS", QStringLiteral("ICRS"), QStringLiteral("Reference frame"))
          << *realCard("EQUINOX", 2000.0, QStringLiteral("Equinox of the coordinates"))
          << integerCard("IMAGEW", s.imageWidth, QStringLiteral("Image width (pixels)"))
          << integerCard("IMAGEH", s.imageHeight, QStringLiteral("Image height (pixels)"));
    if (!s.dateObs.trimmed().isEmpty())
        cards << stringCard("DATE-OBS", s.dateObs.trimmed(), QStringLiteral("Date of the observation"));

    cards << commentaryCards("COMMENT", pixelConvention(s.rows));
    if (s.refined) {
        cards << commentaryCards(
            "COMMENT", QStringLiteral("Refined solution: least-squares fit on %1 catalogue stars "
                                      "measured on the image, rms %2 pixel = %3 arcsec.")
                           .arg(s.starsUsed)
                           .arg(formatted(s.rmsPx, 3), formatted(s.rmsArcsec, 3)));
    } else {
        cards << commentaryCards(
            "COMMENT", QStringLiteral("Unrefined solution: the linear three-star solution of %1 "
                                      "marked stars, written as its tangent-plane equivalent at "
                                      "the field centre; exact there, off by the second order in "
                                      "the distance from it.")
                           .arg(s.starsUsed));
    }
    if (!s.starNames.isEmpty())
        cards << commentaryCards("COMMENT", QStringLiteral("Stars used: ") + s.starNames.join(u' '));
    const double scale = std::sqrt(std::fabs(det)) * 3600.0;
    cards << commentaryCards("COMMENT", QStringLiteral("Scale: %1 arcsec per pixel.").arg(formatted(scale, 4)));
    cards << commentaryCards("HISTORY", QStringLiteral("Plate solution written by Cinq Etoiles."));
    return Result<QList<QByteArray>>::success(cards);
}

Result<QByteArray> wcsHeaderFile(const WcsExport& solution, const TextLookup& lang)
{
    const Result<QList<QByteArray>> wcs = wcsCards(solution, lang);
    if (!wcs)
        return Result<QByteArray>::failure(wcs.error());
    return Result<QByteArray>::success(wcsHeaderFile(*wcs));
}

QByteArray wcsHeaderFile(const QList<QByteArray>& wcsCards)
{
    QList<QByteArray> cards;
    cards << logicalCard("SIMPLE", true, QStringLiteral("Standard FITS file"))
          << integerCard("BITPIX", 8, QStringLiteral("No data: header only"))
          << integerCard("NAXIS", 0, QStringLiteral("No data: header only"))
          << logicalCard("EXTEND", true, QStringLiteral("Extensions may follow"))
          << wcsCards;
    return headerBlocks(cards);
}

}  // namespace ce
