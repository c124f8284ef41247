#include "tools/demo_field/field_presets.h"

namespace ce::demo {

namespace {

constexpr double kArcsecPerDegree = 3600.0;

double hoursToDegrees(double h, double m, double s)
{
    return (h + m / 60.0 + s / 3600.0) * 15.0;
}

}  // namespace

DemoFieldPreset demonstrationPreset()
{
    DemoFieldPreset preset;
    DemoFieldParameters& p = preset.field;
    p.seed = 2026;
    p.geometry = {hoursToDegrees(1, 34, 50), 22 + 11 / 60.0 + 1 / 3600.0, 2250, 8, false, 1100, 800};
    p.catalogueRadiusArcmin = 30;
    p.starCount = 2500;
    p.magMin = 8;
    p.magMax = 17;
    preset.queryRadiusArcmin = 20;
    preset.queryMagFaint = 13;
    return preset;
}

DemoFieldPreset platePreset(std::uint64_t seed)
{
    DemoFieldPreset preset;
    DemoFieldParameters& p = preset.field;
    p.seed = seed;
    p.geometry = {hoursToDegrees(10, 30, 0), 35.0, kArcsecPerDegree / 1.08, 0.7, false, 3000, 3000};
    p.catalogueRadiusArcmin = 40;  // reaches the plate's corners (38.2')
    p.starCount = 8000;
    p.magMin = 7;
    p.magMax = 18;
    RenderParameters& r = p.render;
    r.pointSpread = PointSpread::Moffat;
    r.fwhmPx = 3.5;
    r.moffatBeta = 3.0;
    r.skyLevel = 40;
    r.readNoise = 2;
    r.gain = 4;
    r.referenceMag = 15;
    r.referencePeak = 18;  // the headroom of 215 is reached at magnitude 12.3
    r.topGrowthPxPerMag = 8;
    r.maxTopDiameterPx = 40;
    r.skyGradientXPerPx = 0.003;
    r.skyGradientYPerPx = -0.0025;
    r.grainSigma = 3;
    r.grainCorrelationPx = 1;
    preset.queryRadiusArcmin = 30;
    preset.queryMagFaint = 14;
    return preset;
}

DemoFieldPreset wideColourPreset(std::uint64_t seed)
{
    DemoFieldPreset preset;
    DemoFieldParameters& p = preset.field;
    p.seed = seed;
    p.geometry = {hoursToDegrees(6, 20, 0), -2.5, kArcsecPerDegree / 20.0, 90, false, 800, 600};
    p.catalogueRadiusArcmin = 170;  // reaches the corners (167')
    p.starCount = 4000;
    p.magMin = 4.5;
    p.magMax = 13.5;
    RenderParameters& r = p.render;
    r.pointSpread = PointSpread::Moffat;
    r.fwhmPx = 2.2;
    r.moffatBeta = 2.5;
    r.skyLevel = 30;
    r.readNoise = 3;
    r.gain = 2;
    r.referenceMag = 10;
    r.referencePeak = 36;  // the headroom of 225 is reached at magnitude 8
    r.topGrowthPxPerMag = 2;
    r.maxTopDiameterPx = 12;
    r.skyGradientXPerPx = 0.01;
    r.rgb = true;
    r.tintStrength = 0.4;
    preset.queryRadiusArcmin = 120;
    preset.queryMagFaint = 10;
    return preset;
}

void addRealFlaws(DemoFieldParameters& p)
{
    p.render.haloPeak = 30;
    p.render.haloMinTopDiameterPx = 16;
    p.render.hotPixelCount = 40;
    p.render.scratchCount = 1;
    p.uncataloguedFraction = 0.05;
    p.undrawnFraction = 0.05;
    p.mismatchBrightMag = 13;
}

}  // namespace ce::demo
