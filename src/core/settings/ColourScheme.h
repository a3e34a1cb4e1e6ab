#pragma once

#include <QtGlobal>

namespace quaredit {

// A colour as 0xRRGGBB (the window side takes it as a QRgb).
using Rgb = quint32;

// The "Colour Scheme" option: which colour set the editor uses. Stored as
// a number; the desktop's choice is the default, also when nothing is stored.
enum class ColourSchemeChoice : qint32 { FollowDesktop = 0, Light = 1, Dark = 2 };
inline constexpr qint32 HighestColourScheme = 2;
// The choices as the options dialog lists them, by stored number.
inline constexpr const char* ColourSchemeCaptions[] = {"Follow the desktop", "Light", "Dark"};

// Relative luminance and contrast ratio as the WCAG define them: 1 for two
// equal colours, 21 for black on white. Readable text needs 4.5.
double relativeLuminance(Rgb colour);
double contrastRatio(Rgb a, Rgb b);
inline constexpr double ReadableContrast = 4.5;

// A background darker than middle grey is a dark theme's.
bool isDarkBackground(Rgb background);

// Whether the editor shows its dark set: the stored choice, or for
// "Follow the desktop" the brightness of the palette's base (text) colour.
bool useDarkColours(qint32 storedScheme, Rgb paletteBase);

// The blue of headings drawn on `background`: the classic pure blue where it
// reads, a light blue on a dark window where pure blue would vanish.
Rgb headingBlueOn(Rgb background);

} // namespace quaredit
