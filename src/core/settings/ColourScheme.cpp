#include "core/settings/ColourScheme.h"

#include <algorithm>
#include <cmath>

namespace quaredit {

namespace {

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double relativeLuminance(Rgb colour) {
    return 0.2126 * linear((colour >> 16) & 0xFF) + 0.7152 * linear((colour >> 8) & 0xFF) +
           0.0722 * linear(colour & 0xFF);
}

double contrastRatio(Rgb a, Rgb b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool isDarkBackground(Rgb background) {
    // Middle grey (#777) sits where black and white text read equally well.
    return relativeLuminance(background) < 0.18;
}

bool useDarkColours(qint32 storedScheme, Rgb paletteBase) {
    switch (ColourSchemeChoice(storedScheme)) {
    case ColourSchemeChoice::Light:
        return false;
    case ColourSchemeChoice::Dark:
        return true;
    case ColourSchemeChoice::FollowDesktop:
        break;
    }
    return isDarkBackground(paletteBase);
}

Rgb headingBlueOn(Rgb background) {
    const Rgb classic = Rgb(0x0000FF);
    if (contrastRatio(classic, background) >= ReadableContrast)
        return classic;
    const Rgb light = Rgb(0x8AB4F8);
    return contrastRatio(light, background) >= contrastRatio(classic, background) ? light : classic;
}

} // namespace quaredit
