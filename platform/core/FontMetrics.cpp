#include "FontMetrics.h"

#include <QFontInfo>
#include <QHash>
#include <QSet>

#include <memory>

namespace platform {

size_t qHash(const FontSpec& wanted, size_t seed)
{
    const int style = (wanted.bold ? 1 : 0) | (wanted.italic ? 2 : 0) | (wanted.underline ? 4 : 0)
        | (wanted.strikeOut ? 8 : 0);
    return ::qHashMulti(seed, wanted.family, wanted.pixelHeight, style);
}

namespace {

QFont makeFont(const FontSpec& wanted)
{
    QFont font(wanted.family);
    font.setPixelSize(qMax(1, wanted.pixelHeight));
    font.setBold(wanted.bold);
    font.setItalic(wanted.italic);
    font.setUnderline(wanted.underline);
    font.setStrikeOut(wanted.strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

} // namespace

const FontMetrics& FontMetrics::of(const FontSpec& wanted)
{
    static QHash<FontSpec, std::shared_ptr<const FontMetrics>> faces;
    auto found = faces.constFind(wanted);
    if (found != faces.constEnd())
        return **found;
    auto face = std::shared_ptr<const FontMetrics>(new FontMetrics(wanted));
    faces.insert(wanted, face);
    return *face;
}

FontMetrics::FontMetrics(const FontSpec& wanted)
    : FFont(makeFont(wanted)), FRaw(QRawFont::fromFont(FFont))
{
}

QString FontMetrics::resolvedFamily() const { return QFontInfo(FFont).family(); }

double FontMetrics::advance(QChar c) const
{
    auto found = FAdvances.constFind(c.unicode());
    if (found != FAdvances.constEnd())
        return *found;
    const QList<quint32> glyph = glyphs(QStringView(&c, 1));
    const QList<QPointF> advances = FRaw.advancesForGlyphIndexes(
        glyph, QRawFont::SeparateAdvances | QRawFont::UseDesignMetrics);
    const double width = advances.value(0).x();
    FAdvances.insert(c.unicode(), width);
    return width;
}

QList<quint32> FontMetrics::glyphs(QStringView text) const
{
    QList<quint32> list;
    list.reserve(text.size());
    for (QChar c : text) {
        quint32 glyph = 0;
        int count = 1;
        if (!FRaw.glyphIndexesForChars(&c, 1, &glyph, &count))
            glyph = 0;
        list.append(glyph);
    }
    return list;
}

QString FontMetrics::missing(QStringView text) const
{
    QString result;
    QSet<char32_t> seen;
    for (char32_t c : text.toUcs4()) {
        const bool control = QChar::category(c) == QChar::Other_Control;
        if ((control || !FRaw.supportsCharacter(c)) && !seen.contains(c)) {
            seen.insert(c);
            result.append(QStringView(QChar::fromUcs4(c)));
        }
    }
    return result;
}

} // namespace platform
