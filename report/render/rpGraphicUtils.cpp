#include "rpGraphicUtils.h"

#include "rpLineBreak.h"
#include "rpRenderView.h"
#include "rpSpread.h"

#include <mutex>

namespace {

std::mutex& engineMutex()
{
    static std::mutex mutex;
    return mutex;
}

constexpr double kRefPerPixel = double(TrpDrawText::FDefPPI) / TrpDrawText::FScrPPI;

} // namespace

TrpDrawText& TrpDrawText::instance()
{
    static TrpDrawText engine;
    return engine;
}

void TrpDrawText::Lock() { engineMutex().lock(); }

void TrpDrawText::Unlock() { engineMutex().unlock(); }

void TrpDrawText::SetFont(const TrpFont& font)
{
    FFont = font;
    FFontSize = font.Size();
}

void TrpDrawText::SetOptions(bool wordWrap, bool wysiwyg, bool clipped)
{
    FWordWrap = wordWrap;
    FWysiwyg = wysiwyg;
    FClipped = clipped;
}

void TrpDrawText::SetGaps(double paragraphGap, double charSpacing, double lineSpacing)
{
    FParagraphGap = paragraphGap;
    FCharSpacing = charSpacing;
    FLineSpacing = lineSpacing;
}

void TrpDrawText::SetDimensions(platform::Canvas& canvas, double scaleX, double scaleY,
    double printScale, const QRect& scaledRect, const QRect& originalRect)
{
    FCanvas = &canvas;
    FScaleX = scaleX;
    FScaleY = scaleY;
    FPrintScale = printScale;
    FScaledRect = scaledRect;
    FOriginalRect = originalRect;
}

int TrpDrawText::ReferenceHeight() const { return int(rpRound(FFontSize * double(FDefPPI) / 72)); }

int TrpDrawText::DeviceHeight() const
{
    if (FCanvas->isPrinter())
        return int(rpRound(FCanvas->logPixelsY() * FFontSize * FPrintScale / 72));
    return int(rpRound(FFontSize * FScaleY * FScrPPI / 72));
}

platform::FontSpec TrpDrawText::fontSpec(int pixelHeight) const
{
    platform::FontSpec face;
    face.family = FFont.Name;
    face.pixelHeight = pixelHeight;
    face.bold = FFont.Style & rpBit(fsBold);
    face.italic = FFont.Style & rpBit(fsItalic);
    face.underline = FFont.Style & rpBit(fsUnderline);
    face.strikeOut = FFont.Style & rpBit(fsStrikeOut);
    return face;
}

void TrpDrawText::SetText(const QStringList& lines)
{
    FText.clear();
    const double width = FOriginalRect.width();
    const double limit = double(rpRound(width * kRefPerPixel));
    const double firstLimit = double(rpRound((width - FParagraphGap) * kRefPerPixel));
    const double spacing = double(rpRound(FCharSpacing * kRefPerPixel));
    const platform::FontMetrics& reference = platform::FontMetrics::of(fontSpec(ReferenceHeight()));
    for (const QString& source : lines) {
        const QString line = source.isEmpty() ? QStringLiteral(" ") : source;
        QList<double> advances;
        advances.reserve(line.size());
        for (QChar c : line)
            advances.append(reference.advance(c));
        const QList<QString> pieces
            = rpBreakParagraph(line, advances, spacing, firstLimit, limit, FWordWrap);
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            int flags = 0;
            if (i == 0)
                flags |= TrpTextLine::First;
            if (i == pieces.size() - 1)
                flags |= TrpTextLine::Last;
            FText.append({pieces[i], flags});
        }
    }
}

QString TrpDrawText::MissingCharacters(const QStringList& lines) const
{
    return platform::FontMetrics::of(fontSpec(ReferenceHeight())).missing(lines.join(u' '));
}

void TrpDrawText::SetParaBreaks(bool firstParaBreak, bool lastParaBreak)
{
    if (FText.isEmpty())
        return;
    if (firstParaBreak)
        FText.first().Flags &= ~TrpTextLine::First;
    if (lastParaBreak)
        FText.last().Flags &= ~TrpTextLine::Last;
}

void TrpDrawText::DrawText(TrpHAlign hAlign, TrpVAlign vAlign)
{
    const int n = int(FText.size());
    if (n == 0)
        return;
    const int lineGap = int(rpRound(FLineSpacing * FScaleY));
    const int referenceHeight = ReferenceHeight();
    const int deviceHeight = DeviceHeight();
    long long block;
    if (FCanvas->isPrinter()) {
        const double d = double(FDefPPI) / FCanvas->logPixelsY() / FPrintScale;
        block = rpRound((FLineSpacing * FScaleY * d * n + double(referenceHeight) * n) / d);
    } else {
        block = rpRound((FLineSpacing * kRefPerPixel * n + double(referenceHeight) * n)
            / kRefPerPixel * FScaleY);
    }
    // A single line has no advance to stretch: the block keeps its natural height.
    QList<int> advances(n - 1, lineGap + deviceHeight);
    if (FWysiwyg)
        rpSpread(advances, int(block - static_cast<long long>(n) * (lineGap + deviceHeight)));

    const int x0 = FScaledRect.left();
    int y = FScaledRect.top();
    const int width = FScaledRect.width();
    if (vAlign == vaBottom)
        y += int(FScaledRect.height() - block);
    else if (vAlign == vaCenter)
        y += int(rpRound((FScaledRect.height() - block) / 2.0));
    const int indent = int(rpRound(FParagraphGap * FScaleX));
    for (int j = 0; j < n; ++j) {
        const TrpTextLine& line = FText[j];
        const int shift
            = (line.Flags & TrpTextLine::First) && (hAlign == haLeft || hAlign == haBlock) ? indent
                                                                                           : 0;
        DrawTextLine(x0 + shift, y, width - shift, line.Text, hAlign);
        if (j < n - 1)
            y += advances[j];
    }
}

void TrpDrawText::DrawTextLine(int x, int y, int width, const QString& text, TrpHAlign hAlign)
{
    const platform::FontMetrics& reference = platform::FontMetrics::of(fontSpec(ReferenceHeight()));
    const platform::FontSpec deviceSpec = fontSpec(DeviceHeight());
    const platform::FontMetrics& device = platform::FontMetrics::of(deviceSpec);
    const double referenceSpacing = double(rpRound(FCharSpacing * kRefPerPixel));
    const int deviceSpacing = int(rpRound(FCharSpacing * FScaleX));

    double f = -referenceSpacing;
    int m = -deviceSpacing;
    QList<int> advances;
    advances.reserve(text.size());
    for (QChar c : text) {
        f += reference.advance(c) + referenceSpacing;
        const int advance = int(rpRound(device.advance(c))) + deviceSpacing;
        advances.append(advance);
        m += advance;
    }
    long long target = m;
    if (FWysiwyg) {
        target = FCanvas->isPrinter() ? rpRound(f * FPrintScale * FCanvas->logPixelsX() / FDefPPI)
                                      : rpRound(f / kRefPerPixel * FScaleX);
    }
    if (hAlign == haCenter)
        x += int(rpRound((width - target) / 2.0));
    else if (hAlign == haRight)
        x += int(width - target) - ((FFont.Style & (rpBit(fsBold) | rpBit(fsItalic))) ? 1 : 0);
    rpSpread(advances, int(target - m));
    FCanvas->textOut(QPoint(x, y), deviceSpec, rpColor(FFont.Color), text, advances,
        FClipped ? std::optional<QRect>(FScaledRect) : std::nullopt);
}
