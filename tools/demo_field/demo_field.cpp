#include "tools/demo_field/demo_field.h"

#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/demo_field/synthetic_catalogue.h"

#include <cmath>
#include <numbers>

namespace ce::demo {

DemoField generateDemoField(const DemoFieldParameters& p)
{
    SyntheticCatalogueParameters catalogueParameters;
    catalogueParameters.seed = p.seed;
    catalogueParameters.centreRaDeg = p.geometry.centreRaDeg;
    catalogueParameters.centreDecDeg = p.geometry.centreDecDeg;
    catalogueParameters.radiusArcmin = p.catalogueRadiusArcmin;
    catalogueParameters.starCount = p.starCount;
    catalogueParameters.magMin = p.magMin;
    catalogueParameters.magMax = p.magMax;

    DemoField field;
    field.catalogue = makeSyntheticCatalogue(catalogueParameters);

    const FieldProjection projection(p.geometry);
    std::vector<PlacedStar> onPlane;
    for (const service::CatalogueStar& s : field.catalogue) {
        DemoStar star;
        star.placed = {s.id, 0, 0, s.magR, s.magB};
        if (const auto pixel = projection.skyToPixel(s.raDeg, s.decDeg)) {
            star.placed.xPx = pixel->x();
            star.placed.yPx = pixel->y();
            star.inImage = star.placed.xPx >= 0 && star.placed.xPx <= p.geometry.widthPx - 1 &&
                           star.placed.yPx >= 0 && star.placed.yPx <= p.geometry.heightPx - 1;
            onPlane.push_back(star.placed);
        }
        field.stars.push_back(star);
    }
    RenderParameters render = p.render;
    // A different stream from the catalogue's, fixed by the same seed.
    render.seed = p.seed * 6364136223846793005ULL + 1442695040888963407ULL;
    field.image = renderStarField(p.geometry.widthPx, p.geometry.heightPx, onPlane, render);
    return field;
}

LinearScaleFactors linearScaleFactors(double centreDecDeg, double pixelsPerDegree)
{
    return {pixelsPerDegree * std::cos(centreDecDeg * std::numbers::pi / 180.0), pixelsPerDegree};
}

QByteArray answerText(const DemoField& field, const service::UsnoaQuery& query)
{
    return service::answerPage(query, service::selectStars(field.catalogue, query));
}

QByteArray truthText(const DemoField& field)
{
    QByteArray text = "# id x_px y_px mag_r mag_b (stars on the image)\n";
    for (const DemoStar& s : field.stars) {
        if (!s.inImage)
            continue;
        text += QString::asprintf("%s %.3f %.3f %.1f %.1f\n", qPrintable(s.placed.id), s.placed.xPx, s.placed.yPx,
                                  s.placed.magR, s.placed.magB)
                    .toLatin1();
    }
    return text;
}

}  // namespace ce::demo
