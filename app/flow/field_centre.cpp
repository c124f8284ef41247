#include "app/flow/field_centre.h"

#include "app/flow/reduction_view.h"
#include "core/numbers.h"
#include "core/sexagesimal.h"

namespace ce {

Result<FieldCentre> readFieldCentre(const ReductionView& view)
{
    using R = Result<FieldCentre>;
    const QChar point = systemDecimalPoint();
    FieldCentre centre;
    centre.sign = signFactorFromCaption(view.text(QStringLiteral("txt_dec_sign_show_0")));
    const Result<double> raDeg = raFromTexts(view.text(QStringLiteral("txt_ra_0")),
                                             view.text(QStringLiteral("txt_ra_1")),
                                             view.text(QStringLiteral("txt_ra_2")), point);
    if (!raDeg)
        return R::failure(raDeg.error());
    const Result<double> decDeg = decFromTexts(view.text(QStringLiteral("txt_dec_0")),
                                               view.text(QStringLiteral("txt_dec_1")),
                                               view.text(QStringLiteral("txt_dec_2")), centre.sign,
                                               point);
    if (!decDeg)
        return R::failure(decDeg.error());
    centre.raDeg = *raDeg;
    centre.decDeg = *decDeg;
    return R::success(centre);
}

}  // namespace ce
