#pragma once

#include <QChar>
#include <QFont>
#include <QString>

namespace noctiva::platform {

// Family for the interface text: "Tahoma" when installed, otherwise the first
// installed of "DejaVu Sans", "Liberation Sans", "Noto Sans", otherwise the
// system's general sans font.
QString UiFontFamily();
QFont UiFont(double pointSize, bool bold = false);

// A family that draws the twelve zodiac signs U+2648..U+2653.
QString GlyphFamily();

// The program names the signs Aries..Pisces by the symbol codes 94..105;
// ZodiacGlyph gives the Unicode sign for such a code ("" for any other code)
// and ZodiacCodeOf the code of a sign character (0 for any other character).
inline constexpr int kFirstZodiacCode = 94;
inline constexpr int kLastZodiacCode = 105;
QString ZodiacGlyph(int code);
int ZodiacCodeOf(QChar c);

}  // namespace noctiva::platform
