#include "image/stretch.h"

#include <algorithm>
#include <cmath>

namespace ce {

StretchBounds quantileBounds(const LinearPlane& plane, double lowFraction, double highFraction,
                             std::size_t maxSamples)
{
    const std::size_t count = plane.values.size();
    const std::size_t stride = std::max<std::size_t>(1, count / std::max<std::size_t>(1, maxSamples));
    std::vector<float> sample;
    sample.reserve(std::min(count, maxSamples + 1));
    for (std::size_t i = 0; i < count; i += stride) {
        if (std::isfinite(plane.values[i]))
            sample.push_back(plane.values[i]);
    }
    if (sample.empty())
        return {0.0, 1.0};
    const auto nth = [&sample](double fraction) {
        const double clamped = std::clamp(fraction, 0.0, 1.0);
        const auto k = std::size_t(std::llround(clamped * double(sample.size() - 1)));
        std::nth_element(sample.begin(), sample.begin() + std::ptrdiff_t(k), sample.end());
        return double(sample[k]);
    };
    const double low = nth(lowFraction);
    double high = nth(highFraction);
    if (!(high > low))
        high = low + 1.0;
    return {low, high};
}

StretchBounds presetBounds(const LinearPlane& plane, StretchPreset preset)
{
    switch (preset) {
    case StretchPreset::Auto: return quantileBounds(plane, 0.0025, 0.9975);
    case StretchPreset::Soft: return quantileBounds(plane, 0.0005, 0.9995);
    case StretchPreset::Hard: return quantileBounds(plane, 0.05, 0.995);
    case StretchPreset::MinMax: return quantileBounds(plane, 0.0, 1.0);
    }
    return quantileBounds(plane, 0.0025, 0.9975);
}

std::uint8_t stretchValue(float value, const StretchBounds& bounds)
{
    if (std::isnan(value))
        return 0;
    const double level = 255.0 * (double(value) - bounds.low) / (bounds.high - bounds.low);
    return std::uint8_t(std::clamp(std::nearbyint(level), 0.0, 255.0));
}

std::vector<std::uint8_t> stretchPlane(const LinearPlane& plane, const StretchBounds& bounds)
{
    std::vector<std::uint8_t> grey(plane.values.size());
    std::transform(plane.values.begin(), plane.values.end(), grey.begin(),
                   [&bounds](float v) { return stretchValue(v, bounds); });
    return grey;
}

}  // namespace ce
