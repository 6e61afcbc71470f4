#pragma once

#include "report/model/rpTypes.h"

#include "platform/core/Canvas.h"

#include <QList>
#include <QRect>
#include <QStringList>

// One output line of a text object, with its paragraph flags.
struct TrpTextLine {
    enum Flag { First = 1, Last = 2 };
    QString Text;
    int Flags = 0;

    bool operator==(const TrpTextLine&) const = default;
};

// The text layout engine. Lines are broken and their widths decided on the reference font,
// the object's font at 600 dots per inch, and only then fitted onto the device: a field
// breaks in the same places and keeps the same width at every zoom and on every printer.
//
// One engine serves the whole program, and one lock guards it: a text object holds the
// lock from setting its font to the end of its output (TrpDrawTextLock), so two objects
// never interleave their use of it. Used in this order: SetFont, SetOptions, SetGaps,
// SetDimensions, SetText, SetParaBreaks, DrawText.
class TrpDrawText {
public:
    static constexpr int FDefPPI = 600;
    static constexpr int FScrPPI = 96;

    static TrpDrawText& instance();

    void Lock();
    void Unlock();

    // Texts are measured and drawn in Unicode whatever the font's character set: a field in
    // the Russian set still prints the Tatar and Bashkir letters its face has.
    void SetFont(const TrpFont& font);
    void SetOptions(bool wordWrap, bool wysiwyg, bool clipped);
    void SetGaps(double paragraphGap, double charSpacing, double lineSpacing);
    // The device text rectangle and the same rectangle at scale 1 and offset 0; right and
    // bottom exclusive. PrintScale counts only on a printer canvas.
    void SetDimensions(platform::Canvas& canvas, double scaleX, double scaleY, double printScale,
        const QRect& scaledRect, const QRect& originalRect);
    // Breaks the object's lines (each a paragraph) into output lines.
    void SetText(const QStringList& lines);
    // Removes the first flag of the first line and the last flag of the last line.
    void SetParaBreaks(bool firstParaBreak, bool lastParaBreak);
    void DrawText(TrpHAlign hAlign, TrpVAlign vAlign);
    // The output lines SetText made.
    int LineCount() const { return static_cast<int>(FText.size()); }
    // The characters of the lines that the font cannot draw, each once (FontMetrics::missing).
    QString MissingCharacters(const QStringList& lines) const;

private:
    TrpDrawText() = default;
    // Height of the reference font and of the device font, in their own pixels.
    int ReferenceHeight() const;
    int DeviceHeight() const;
    platform::FontSpec fontSpec(int pixelHeight) const;
    void DrawTextLine(int x, int y, int width, const QString& text, TrpHAlign hAlign);

    TrpFont FFont;
    int FFontSize = 0;
    bool FWordWrap = true;
    bool FWysiwyg = true;
    bool FClipped = true;
    double FParagraphGap = 0;
    double FCharSpacing = 0;
    double FLineSpacing = 0;
    platform::Canvas* FCanvas = nullptr;
    double FScaleX = 1;
    double FScaleY = 1;
    double FPrintScale = 1;
    QRect FScaledRect;
    QRect FOriginalRect;
    QList<TrpTextLine> FText;
};

// Holds the layout engine's lock for one text object's drawing.
class TrpDrawTextLock {
public:
    TrpDrawTextLock() { TrpDrawText::instance().Lock(); }
    ~TrpDrawTextLock() { TrpDrawText::instance().Unlock(); }
    TrpDrawTextLock(const TrpDrawTextLock&) = delete;
    TrpDrawTextLock& operator=(const TrpDrawTextLock&) = delete;
};
