#include "app/flow/field_centre.h"

#include "app/flow/reduction_view.h"
#include "core/numbers.h"

namespace ce {

Result<FieldCentre> readFieldCentre(const ReductionView& view, const TextLookup& lang)
{
    const auto texts = [&view](const char* prefix) {
        std::array<QString, 3> t;
        for (int i = 0; i < 3; ++i)
            t[std::size_t(i)] = view.text(QString::fromLatin1(prefix) + QString::number(i));
        return t;
    };
    return fieldCentreFromTexts(texts("txt_ra_"), texts("txt_dec_"),
                                view.text(QStringLiteral("txt_dec_sign_show_0")),
                                systemDecimalPoint(), lang);
}

}  // namespace ce
