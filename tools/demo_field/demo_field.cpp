#include "tools/demo_field/demo_field.h"

#include "tools/catalogue_service/usnoa_answer.h"
#include "tools/demo_field/synthetic_catalogue.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>

namespace ce::demo {

namespace {

// Marks exactly round(fraction * n) of the candidates (indices into
// `stars`) in each brightness group, drawn with `random`.
std::vector<std::size_t> pickShare(const std::vector<DemoStar>& stars, const std::vector<std::size_t>& candidates,
                                   double fraction, double brightMag, std::mt19937_64& random)
{
    std::vector<std::size_t> picked;
    if (fraction <= 0)
        return picked;
    for (const bool bright : {true, false}) {
        std::vector<std::size_t> group;
        for (const std::size_t i : candidates)
            if ((stars[i].placed.magR < brightMag) == bright)
                group.push_back(i);
        std::shuffle(group.begin(), group.end(), random);
        const auto share = static_cast<std::size_t>(std::lround(std::min(fraction, 1.0) * group.size()));
        picked.insert(picked.end(), group.begin(), group.begin() + share);
    }
    return picked;
}

}  // namespace

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
    if (p.uncataloguedFraction > 0 || p.undrawnFraction > 0) {
        std::mt19937_64 random(p.seed ^ 0xA0761D6478BD642FULL);
        std::vector<std::size_t> onImage;
        for (std::size_t i = 0; i < field.stars.size(); ++i)
            if (field.stars[i].inImage)
                onImage.push_back(i);
        std::vector<bool> uncatalogued(field.stars.size(), false);
        for (const std::size_t i : pickShare(field.stars, onImage, p.uncataloguedFraction, p.mismatchBrightMag, random))
            uncatalogued[i] = true;
        std::erase_if(onImage, [&](std::size_t i) { return uncatalogued[i]; });
        for (const std::size_t i : pickShare(field.stars, onImage, p.undrawnFraction, p.mismatchBrightMag, random))
            field.stars[i].drawn = false;
        // Rebuild the catalogue without the uncatalogued stars, and what is drawn.
        std::vector<service::CatalogueStar> catalogue;
        std::vector<DemoStar> stars;
        onPlane.clear();
        for (std::size_t i = 0; i < field.stars.size(); ++i) {
            const DemoStar& star = field.stars[i];
            if (uncatalogued[i]) {
                field.uncatalogued.push_back(star);
            } else {
                catalogue.push_back(field.catalogue[i]);
                stars.push_back(star);
            }
            if (star.drawn && projection.skyToPixel(field.catalogue[i].raDeg, field.catalogue[i].decDeg))
                onPlane.push_back(star.placed);
        }
        field.catalogue = std::move(catalogue);
        field.stars = std::move(stars);
    }
    if (!p.drawStars)
        onPlane.clear();

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

namespace {

QByteArray starLine(const char* prefix, const DemoStar& s)
{
    return QString::asprintf("%s%s %.3f %.3f %.1f %.1f\n", prefix, qPrintable(s.placed.id), s.placed.xPx,
                             s.placed.yPx, s.placed.magR, s.placed.magB)
        .toLatin1();
}

}  // namespace

QByteArray mismatchText(const DemoField& field)
{
    QByteArray text = "# kind id x_px y_px mag_r mag_b\n";
    for (const DemoStar& s : field.uncatalogued)
        text += starLine("uncatalogued ", s);
    for (const DemoStar& s : field.stars)
        if (s.inImage && !s.drawn)
            text += starLine("undrawn ", s);
    return text;
}

QByteArray truthText(const DemoField& field)
{
    QByteArray text = "# id x_px y_px mag_r mag_b (stars on the image)\n";
    for (const DemoStar& s : field.stars) {
        if (!s.inImage)
            continue;
        text += starLine("", s);
    }
    return text;
}

}  // namespace ce::demo
