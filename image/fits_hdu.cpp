#include "image/fits_hdu.h"

namespace ce {

bool moveToFirstImage(fitsfile* file, int& status)
{
    int hduCount = 0;
    fits_get_num_hdus(file, &hduCount, &status);
    for (int hdu = 1; hdu <= hduCount && status == 0; ++hdu) {
        int type = 0;
        fits_movabs_hdu(file, hdu, &type, &status);
        if (status != 0)
            return false;
        if (type != IMAGE_HDU)
            continue;
        int axes = 0;
        fits_get_img_dim(file, &axes, &status);
        if (status == 0 && axes >= 2)
            return true;
    }
    return false;
}

}  // namespace ce
