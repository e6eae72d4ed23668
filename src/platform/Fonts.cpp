#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QRawFont>

#include <array>

namespace noctiva::platform {

namespace {

constexpr char16_t kAries = 0x2648;
constexpr char16_t kPisces = 0x2653;

bool drawsZodiac(const QString& family) {
    const QRawFont raw = QRawFont::fromFont(QFont(family));
    if (!raw.isValid()) {
        return false;
    }
    for (char16_t c = kAries; c <= kPisces; ++c) {
        if (!raw.supportsCharacter(QChar(c))) {
            return false;
        }
    }
    return true;
}

QString findGlyphFamily() {
    static constexpr std::array kPreferred = {"DejaVu Sans", "Noto Sans Symbols",
                                              "Noto Sans Symbols2", "Symbola", "FreeSerif"};
    for (const char* name : kPreferred) {
        const QString family = QString::fromLatin1(name);
        if (QFontDatabase::hasFamily(family) && drawsZodiac(family)) {
            return family;
        }
    }
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families) {
        if (drawsZodiac(family)) {
            return family;
        }
    }
    // None draws them all: leave it to the font fallback.
    return UiFontFamily();
}

}  // namespace

QString UiFontFamily() {
    static constexpr std::array kCandidates = {"Tahoma", "DejaVu Sans", "Liberation Sans",
                                               "Noto Sans"};
    for (const char* name : kCandidates) {
        const QString family = QString::fromLatin1(name);
        if (QFontDatabase::hasFamily(family)) {
            return family;
        }
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont UiFont(double pointSize, bool bold) {
    QFont font(UiFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QString GlyphFamily() {
    static const QString family = findGlyphFamily();
    return family;
}

QString ZodiacGlyph(int code) {
    if (code < kFirstZodiacCode || code > kLastZodiacCode) {
        return {};
    }
    return QString(QChar(static_cast<char16_t>(kAries + (code - kFirstZodiacCode))));
}

int ZodiacCodeOf(QChar c) {
    const char16_t u = c.unicode();
    if (u < kAries || u > kPisces) {
        return 0;
    }
    return kFirstZodiacCode + (u - kAries);
}

}  // namespace noctiva::platform
