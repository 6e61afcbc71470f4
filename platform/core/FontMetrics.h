#pragma once

#include <QFont>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QStringView>

namespace platform {

// A font as drawing asks for it: a family, a character height in pixels (the em height,
// without internal leading) and a style. The character set is not part of it: the face is
// the same for every set, and every text is drawn in Unicode.
struct FontSpec {
    QString family;
    int pixelHeight = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    bool operator==(const FontSpec&) const = default;
};

size_t qHash(const FontSpec& wanted, size_t seed = 0);

// The face of a font at one pixel height, with its character advances.
//
// Advances are the face's design advances scaled to the pixel height, without hinting and
// without kerning, so that a width depends on the font file only, never on the machine's
// rasteriser settings (FreeType hands them over in steps of 1/64 pixel). The fractional advance is
// what layout measures at the reference height; a device draws whole pixels, so the layout rounds
// each character's advance at the device height to the nearest whole pixel, ties to even. Times New
// Roman and Arial resolve through fontconfig to the metric-compatible Liberation faces; Tahoma and
// MS Sans Serif come from Wine's folder (registerFallbackFonts).
class FontMetrics {
public:
    // Faces are loaded once per FontSpec and kept for the life of the program. Call on the
    // thread that owns the application object.
    static const FontMetrics& of(const FontSpec& wanted);

    const QRawFont& rawFont() const { return FRaw; }
    // The font the face was loaded for (unhinted, unkerned).
    const QFont& font() const { return FFont; }
    // The family that actually answered (e.g. "Liberation Serif" for "Times New Roman").
    QString resolvedFamily() const;

    double advance(QChar c) const;
    // Distance from the top of the character cell to the baseline.
    double ascent() const { return FRaw.ascent(); }
    // One glyph per UTF-16 unit, so that glyphs pair up with per-character advances; a unit
    // the face lacks (or half a surrogate pair) gets the face's missing-glyph.
    QList<quint32> glyphs(QStringView text) const;
    // The characters of the text the face has no glyph for, each once, in their order: they
    // would draw as its missing-glyph box. A control character counts as missing, whatever
    // the face maps it to, since no face draws it as what it means.
    QString missing(QStringView text) const;

private:
    explicit FontMetrics(const FontSpec& wanted);

    // Pixel height, no hinting, no kerning.
    QFont FFont;
    QRawFont FRaw;
    mutable QHash<char16_t, double> FAdvances;
};

} // namespace platform
