#pragma once

#include "rpComponent.h"

#include <QStringList>

// A visible object with frame and fill.
class TrpView : public TrpReportComponent {
public:
    using TrpReportComponent::TrpReportComponent;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    TrpFrame& Frame() { return FFrame; }
    const TrpFrame& Frame() const { return FFrame; }
    TrpBrushFill& Fill() { return FFill; }
    const TrpBrushFill& Fill() const { return FFill; }
    quint32 Color() const { return FFill.BackColor; }
    void SetColor(quint32 color) { FFill.BackColor = color; }
    int Visibility() const { return FVisibility; }
    void SetVisibility(int value) { FVisibility = value; }
    TrpAlign Align() const { return FAlign; }
    void SetAlign(TrpAlign value) { FAlign = value; }
    TrpShiftMode ShiftMode() const { return FShiftMode; }
    bool Printable() const { return FPrintable; }
    void SetPrintable(bool value) { FPrintable = value; }

protected:
    TrpFrame FFrame;
    TrpBrushFill FFill;
    int FVisibility = rpBit(vsPreview) | rpBit(vsExport) | rpBit(vsPrint);
    TrpAlign FAlign = baNone;
    TrpShiftMode FShiftMode = smAlways;
    bool FPrintable = true;
};

// A view that could grow with its content; the program's objects never grow.
class TrpStretcheable : public TrpView {
public:
    using TrpView::TrpView;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    TrpStretchMode StretchMode() const { return FStretchMode; }

protected:
    TrpStretchMode FStretchMode = smDontStretch;
};

// The text object.
class TrpCustomMemoView : public TrpStretcheable {
public:
    using TrpStretcheable::TrpStretcheable;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    const QStringList& Memo() const { return FMemo; }
    // Replaces all lines: a line ends at CR, LF or U+2028; after a line end one CR, then one
    // LF, then one U+2028 are skipped; a break at the very end adds no empty line.
    void SetText(const QString& value);
    // Every line followed by CR LF.
    QString Text() const;

    TrpHAlign HAlign() const { return FHAlign; }
    void SetHAlign(TrpHAlign value) { FHAlign = value; }
    TrpVAlign VAlign() const { return FVAlign; }
    bool WordWrap() const { return FWordWrap; }
    bool WordBreak() const { return FWordBreak; }
    double GapX() const { return FGapX; }
    double GapY() const { return FGapY; }
    double LineSpacing() const { return FLineSpacing; }
    double CharSpacing() const { return FCharSpacing; }
    double ParagraphGap() const { return FParagraphGap; }
    bool Clipped() const { return FClipped; }
    bool Wysiwyg() const { return FWysiwyg; }
    bool AllowExpressions() const { return FAllowExpressions; }
    const QString& ExpressionDelimiters() const { return FExpressionDelimiters; }
    bool AutoWidth() const { return FAutoWidth; }
    int Rotation() const { return FRotation; }
    bool RTLReading() const { return FRTLReading; }
    bool Underlines() const { return FUnderlines; }
    bool AllowHTMLTags() const { return FAllowHTMLTags; }
    bool UseDefaultCharset() const { return FUseDefaultCharset; }
    bool HideZeros() const { return FHideZeros; }
    bool SuppressRepeated() const { return FSuppressRepeated; }
    bool FirstParaBreak() const { return FFirstParaBreak; }
    bool LastParaBreak() const { return FLastParaBreak; }
    const QString& DataSet() const { return FDataSet; }
    const QString& DataField() const { return FDataField; }
    TrpFormatKind DisplayFormatKind() const { return FDisplayFormatKind; }
    const QString& DisplayFormatStr() const { return FDisplayFormatStr; }

    // The print cycle: the text is remembered, its expressions are replaced by their values,
    // and the remembered text comes back afterwards. An expression
    // that cannot be evaluated adds "<Name>: <message>" to the report's errors and raises
    // EExpressionError with that line.
    void BeforePrint() override;
    void GetData(TrpPrintContext& context) override;
    void AfterPrint() override;

protected:
    QStringList FMemo;
    QStringList FSavedMemo;
    TrpHAlign FHAlign = haLeft;
    TrpVAlign FVAlign = vaTop;
    bool FWordWrap = true;
    bool FWordBreak = false;
    double FGapX = 2;
    double FGapY = 1;
    double FLineSpacing = 2;
    double FCharSpacing = 0;
    double FParagraphGap = 0;
    bool FClipped = true;
    bool FWysiwyg = true;
    bool FAllowExpressions = true;
    QString FExpressionDelimiters = QStringLiteral("[,]");
    bool FAutoWidth = false;
    int FRotation = 0;
    bool FRTLReading = false;
    bool FUnderlines = false;
    bool FAllowHTMLTags = false;
    bool FUseDefaultCharset = false;
    bool FHideZeros = false;
    bool FSuppressRepeated = false;
    bool FFirstParaBreak = false;
    bool FLastParaBreak = false;
    QString FDataSet;
    QString FDataField;
    TrpFormatKind FDisplayFormatKind = fkText;
    QString FDisplayFormatStr;
    QString FHighlightCondition;
    quint32 FHighlightColor = clTransparent;
    QString FStyle;
    QString FFlowTo;
};

class TrpMemoView : public TrpCustomMemoView {
public:
    using TrpCustomMemoView::TrpCustomMemoView;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList&) { }
};

// A line along one edge of its box, or its diagonal, with optional arrow heads. Its Width
// or Height may be 0.
class TrpCustomLineView : public TrpStretcheable {
public:
    using TrpStretcheable::TrpStretcheable;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    bool Diagonal() const { return FDiagonal; }
    void SetDiagonal(bool value) { FDiagonal = value; }
    bool ArrowStart() const { return FArrowStart; }
    void SetArrowStart(bool value) { FArrowStart = value; }
    bool ArrowEnd() const { return FArrowEnd; }
    int ArrowLength() const { return FArrowLength; }
    int ArrowWidth() const { return FArrowWidth; }
    bool ArrowSolid() const { return FArrowSolid; }

protected:
    bool FDiagonal = false;
    bool FArrowStart = false;
    bool FArrowEnd = false;
    int FArrowLength = 20;
    int FArrowWidth = 5;
    bool FArrowSolid = false;
};

class TrpLineView : public TrpCustomLineView {
public:
    using TrpCustomLineView::TrpCustomLineView;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList&) { }
};

class TrpShapeView : public TrpView {
public:
    using TrpView::TrpView;
    static const TrpClassInfo& staticClassInfo();
    const TrpClassInfo& classInfo() const override;
    static void publishOwn(TrpPropertyList& list);

    TrpShapeKind Shape() const { return FShape; }
    int Curve() const { return FCurve; }

protected:
    TrpShapeKind FShape = skRectangle;
    int FCurve = 0;
};
