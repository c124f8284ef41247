#pragma once
// A generated field laid before the controller as a user has it after
// "1-Download": the catalogue answer where the download leaves it, the
// image behind the scripted window, the centre and the scale factors typed,
// the Décideur ticked; and how far the drawn star markers then lie from the
// stars' true places on the image.

#include "core/reduction_state.h"
#include "core/sexagesimal.h"
#include "solve/centroid.h"
#include "tests/flow/flow_support.h"
#include "tools/demo_field/demo_field.h"
#include "tools/demo_field/demo_project.h"

#include <QHash>
#include <QImage>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace ce::testing {

// The field of the whole-reduction tests: 700 x 500 px about 1h34m50s
// +22°11'01" at 2250 px per degree, turned 25°, Gaussian stars.
inline demo::DemoFieldParameters reductionField()
{
    demo::DemoFieldParameters p;
    p.seed = 11, p.starCount = 10000, p.render.pointSpread = demo::PointSpread::Gaussian;
    p.geometry.centreRaDeg = (1 * 3600 + 34 * 60 + 50) / 3600.0 * 15;
    p.geometry.centreDecDeg = (22 * 3600 + 11 * 60 + 1) / 3600.0;
    p.geometry.pixelsPerDegree = 2250, p.geometry.rotationDeg = 25;
    p.geometry.widthPx = 700, p.geometry.heightPx = 500;
    return p;
}

// Five bright stars to click, inside the image and the downloaded 13th
// magnitude, each isolated: nothing bright enough within 10 px to pull the
// refined click, no other 13th-magnitude star within 20 px that the
// matching's tolerance of 7 px could pair with it. The first three span the
// largest triangle, so the plate solution they give is extrapolated as
// little as possible over the image. Empty when no such triangle exists.
inline std::vector<demo::DemoStar> referenceStars(const demo::DemoField& field)
{
    const double W = field.image.width(), H = field.image.height();
    std::vector<demo::DemoStar> eligible;
    for (const demo::DemoStar& s : field.stars) {
        const double x = s.placed.xPx, y = s.placed.yPx;
        if (!s.inImage || s.placed.magR > 13.0 || x < 12 || y < 12 || x > W - 13 || y > H - 13)
            continue;
        bool isolated = true;
        for (const demo::DemoStar& o : field.stars) {
            const double d = std::hypot(o.placed.xPx - x, o.placed.yPx - y);
            if (&o != &s && ((d < 10 && o.placed.magR < s.placed.magR + 3) || (d < 20 && o.placed.magR <= 13.0)))
                isolated = false;
        }
        if (isolated) eligible.push_back(s);
    }
    const auto area = [&](std::size_t a, std::size_t b, std::size_t c) {
        const auto &p = eligible[a].placed, &q = eligible[b].placed, &r = eligible[c].placed;
        return std::abs((q.xPx - p.xPx) * (r.yPx - p.yPx) - (r.xPx - p.xPx) * (q.yPx - p.yPx)) / 2;
    };
    std::array<std::size_t, 3> best{};
    double bestArea = 0;
    for (std::size_t a = 0; a < eligible.size(); ++a)
        for (std::size_t b = a + 1; b < eligible.size(); ++b)
            for (std::size_t c = b + 1; c < eligible.size(); ++c)
                if (area(a, b, c) > bestArea) bestArea = area(a, b, c), best = {a, b, c};
    std::vector<demo::DemoStar> chosen;
    if (bestArea == 0) return chosen;
    for (std::size_t k : best) chosen.push_back(eligible[k]);
    for (std::size_t k = 0; k < eligible.size() && chosen.size() < 5; ++k)
        if (k != best[0] && k != best[1] && k != best[2]) chosen.push_back(eligible[k]);
    return chosen;
}

// The service's answer around the centre of `centre`, out to `radiusArcmin`
// and down to `magFaint`, made from the catalogue of `source`.
inline void writeFieldCatalogue(const Folders& folders, const demo::DemoField& source,
                                const demo::FieldGeometry& centre, double radiusArcmin, double magFaint)
{
    service::UsnoaQuery query;
    query.raDeg = centre.centreRaDeg, query.decDeg = centre.centreDecDeg;
    query.radiusArcmin = radiusArcmin;
    query.magBright = 0, query.magFaint = magFaint;
    query.maxCount = 5000;
    folders.writeCatalogue(demo::answerText(source, query));
}

// A generated picture as the detection reads it: red + green + blue.
class PictureIntensity final : public IntensitySource {
public:
    explicit PictureIntensity(const QImage& image) : image_(image) {}
    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    double intensity(int x, int y) const override
    {
        const QRgb c = image_.pixel(x, y);
        return qRed(c) + qGreen(c) + qBlue(c);
    }

private:
    const QImage& image_;
};

// The picture as the window hands its pixels to the controller.
inline void showFieldImage(FakeView& view, const QImage& image)
{
    view.width = image.width(), view.height = image.height();
    view.pixelSource = [&image](int x, int y) -> std::int32_t {
        const QRgb c = image.pixel(x, y);
        return qBlue(c) * 65536 + qGreen(c) * 256 + qRed(c);
    };
}

// The field's centre and its scale factors (times `scale`) typed as a user
// types them, the image's name, the Décideur ticked.
inline void typeField(FakeView& view, const demo::FieldGeometry& g, const QString& imageName, double scale = 1.0)
{
    const SexagesimalParts ra = SplitSexagesimal(g.centreRaDeg / 15.0);
    const SexagesimalParts dec = SplitSexagesimal(std::fabs(g.centreDecDeg));
    view.setTexts(QStringLiteral("txt_ra_"), {QString::number(ra.whole), QString::number(ra.minutes),
                                              QString::number(ra.seconds, 'f', 3)});
    view.setTexts(QStringLiteral("txt_dec_"), {QString::number(dec.whole), QString::number(dec.minutes),
                                               QString::number(dec.seconds, 'f', 2)});
    view.setText(QStringLiteral("txt_dec_sign_show_0"), g.centreDecDeg < 0 ? QStringLiteral("-") : QStringLiteral("+"));
    const demo::LinearScaleFactors corr = demo::linearScaleFactors(g.centreDecDeg, g.pixelsPerDegree);
    view.setText(QStringLiteral("txt_corrasd"), demo::scaleFactorText(corr.corrAsd * scale));
    view.setText(QStringLiteral("txt_corrdec"), demo::scaleFactorText(corr.corrDec * scale));
    view.setText(QStringLiteral("txt_url"), imageName);
    view.setCheckState(QStringLiteral("CheckDecideur"), 1);
}

using StarTruth = QHash<QString, const demo::DemoStar*>;

// Each generated star by its catalogue identification.
inline StarTruth starTruth(const demo::DemoField& field)
{
    StarTruth truth;
    for (const demo::DemoStar& s : field.stars) truth.insert(s.placed.id, &s);
    return truth;
}

// Distances from the drawn star markers 1..starCount to the true places of
// their stars, for the stars on the image.
inline std::vector<double> markerErrors(const ReductionState& st, const StarTruth& truth)
{
    std::vector<double> errors;
    for (int i = 1; i <= st.starCount; ++i) {
        const auto slot = std::size_t(i);
        const demo::DemoStar* s = truth.value(st.starId[slot]);
        const Marker& m = st.markers.star[slot];
        if (!s || !s->inImage || !m.visible) continue;
        errors.push_back(std::hypot(m.left + m.size / 2.0 - s->placed.xPx, m.top + m.size / 2.0 - s->placed.yPx));
    }
    return errors;
}

// The markers of a true solution: five at least, the median within 5 px.
inline bool drawnOnTheStars(std::vector<double> errors)
{
    if (errors.size() < 5) return false;
    std::nth_element(errors.begin(), errors.begin() + errors.size() / 2, errors.end());
    return errors[errors.size() / 2] < 5.0;
}

inline double rms(const std::vector<double>& errors)
{
    double sum = 0;
    for (double e : errors) sum += e * e;
    return errors.empty() ? INFINITY : std::sqrt(sum / errors.size());
}

}  // namespace ce::testing
