// The names the exports propose beside the image.

#include "export/export_names.h"

#include <gtest/gtest.h>

namespace ce {
namespace {

TEST(ExportNames, BesideTheImageNeverTheImageItself)
{
    struct Row {
        const char* image;
        const char* wcs;
        const char* copy;
    };
    const Row rows[] = {
        {"/d/m31.fits", "/d/m31.wcs", "/d/m31-wcs.fits"},
        {"/d/m31.fits.fz", "/d/m31.wcs", "/d/m31-wcs.fits.fz"},
        {"/d/M31.FIT.FZ", "/d/M31.wcs", "/d/M31-wcs.FIT.FZ"},
        {"/d/champ.v2.png", "/d/champ.v2.wcs", "/d/champ.v2-wcs.png"},
        {"/d.x/image", "/d.x/image.wcs", "/d.x/image-wcs"},
        {"/d/.hidden", "/d/.hidden.wcs", "/d/.hidden-wcs"},
        {"relative.fts", "relative.wcs", "relative-wcs.fts"},
    };
    for (const Row& r : rows) {
        const QString image = QString::fromUtf8(r.image);
        EXPECT_EQ(exportFileName(image, QStringLiteral(".wcs")), QString::fromUtf8(r.wcs)) << r.image;
        EXPECT_EQ(fitsCopyName(image), QString::fromUtf8(r.copy)) << r.image;
        EXPECT_NE(fitsCopyName(image), image) << r.image;
    }
    EXPECT_EQ(withSuffix(QStringLiteral("/d/etoiles"), QStringLiteral(".csv")), QStringLiteral("/d/etoiles.csv"));
    EXPECT_EQ(withSuffix(QStringLiteral("/d/etoiles.txt"), QStringLiteral(".csv")), QStringLiteral("/d/etoiles.txt"));
    EXPECT_EQ(withSuffix(QStringLiteral("/d.x/etoiles"), QStringLiteral(".csv")), QStringLiteral("/d.x/etoiles.csv"));
}

}  // namespace
}  // namespace ce
