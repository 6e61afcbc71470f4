#include "rpViews.h"

#include "rpPrintContext.h"
#include "rpPublish.h"

RP_CLASS_INFO(TrpView, TrpReportComponent)
RP_CLASS_INFO(TrpStretcheable, TrpView)
RP_CLASS_INFO(TrpCustomMemoView, TrpStretcheable)
RP_CLASS_INFO(TrpMemoView, TrpCustomMemoView)
RP_CLASS_INFO(TrpCustomLineView, TrpStretcheable)
RP_CLASS_INFO(TrpLineView, TrpCustomLineView)
RP_CLASS_INFO(TrpShapeView, TrpView)

void TrpView::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpView;
    rpPublishFrame<C>(
        list, [](C & c) -> auto& { return c.FFrame; });
    rpPublishFill<C>(
        list, [](C & c) -> auto& { return c.FFill; });
    list.append(rpField<C>("Visibility", T::Set, [](C & c) -> auto& { return c.FVisibility; },
        {"vsPreview", "vsExport", "vsPrint"}));
    list.append(rpField<C>("Align", T::Enum, [](C & c) -> auto& { return c.FAlign; },
        {"baNone", "baLeft", "baRight", "baCenter", "baWidth", "baBottom", "baClient"}));
    list.append(rpField<C>("ShiftMode", T::Enum, [](C & c) -> auto& { return c.FShiftMode; },
        {"smDontShift", "smAlways", "smWhenOverlapped"}));
    list.append(rpField<C>(
        "Printable", T::Bool, [](C & c) -> auto& { return c.FPrintable; }));
}

void TrpStretcheable::publishOwn(TrpPropertyList& list)
{
    using C = TrpStretcheable;
    list.append(
        rpField<C>("StretchMode", TrpPropType::Enum, [](C & c) -> auto& { return c.FStretchMode; },
            {"smDontStretch", "smActualHeight", "smMaxHeight"}));
}

void TrpCustomMemoView::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpCustomMemoView;
    const auto flag = [&list](const char* name, bool C::*field) {
        list.append(rpField<C>(
            name, T::Bool, [field](C & c) -> auto& { return c.*field; }));
    };
    const auto length = [&list](const char* name, double C::*field) {
        list.append(rpField<C>(
            name, T::Float, [field](C & c) -> auto& { return c.*field; }));
    };
    const auto text = [&list](const char* name, QString C::*field) {
        list.append(rpField<C>(
            name, T::String, [field](C & c) -> auto& { return c.*field; }));
    };
    list.append(rpField<C>(
        "Memo", T::Lines, [](C & c) -> auto& { return c.FMemo; }));
    list.append(rpField<C>("HAlign", T::Enum, [](C & c) -> auto& { return c.FHAlign; },
        {"haLeft", "haRight", "haCenter", "haBlock"}));
    list.append(rpField<C>("VAlign", T::Enum, [](C & c) -> auto& { return c.FVAlign; },
        {"vaTop", "vaBottom", "vaCenter"}));
    flag("WordWrap", &C::FWordWrap);
    flag("WordBreak", &C::FWordBreak);
    length("GapX", &C::FGapX);
    length("GapY", &C::FGapY);
    length("LineSpacing", &C::FLineSpacing);
    length("CharSpacing", &C::FCharSpacing);
    length("ParagraphGap", &C::FParagraphGap);
    flag("Clipped", &C::FClipped);
    flag("Wysiwyg", &C::FWysiwyg);
    flag("AllowExpressions", &C::FAllowExpressions);
    text("ExpressionDelimiters", &C::FExpressionDelimiters);
    flag("AutoWidth", &C::FAutoWidth);
    list.append(rpField<C>(
        "Rotation", T::Int, [](C & c) -> auto& { return c.FRotation; }));
    flag("RTLReading", &C::FRTLReading);
    flag("Underlines", &C::FUnderlines);
    flag("AllowHTMLTags", &C::FAllowHTMLTags);
    flag("UseDefaultCharset", &C::FUseDefaultCharset);
    flag("HideZeros", &C::FHideZeros);
    flag("SuppressRepeated", &C::FSuppressRepeated);
    flag("FirstParaBreak", &C::FFirstParaBreak);
    flag("LastParaBreak", &C::FLastParaBreak);
    text("DataSet", &C::FDataSet);
    text("DataField", &C::FDataField);
    list.append(rpField<C>("DisplayFormat.Kind", T::Enum,
        [](C & c) -> auto& { return c.FDisplayFormatKind; },
        {"fkText", "fkNumeric", "fkDateTime", "fkBoolean"}));
    text("DisplayFormat.FormatStr", &C::FDisplayFormatStr);
    text("Highlight.Condition", &C::FHighlightCondition);
    list.append(rpField<C>(
        "Highlight.Color", T::Color, [](C & c) -> auto& { return c.FHighlightColor; }));
    text("Style", &C::FStyle);
    text("FlowTo", &C::FFlowTo);
}

void TrpCustomMemoView::SetText(const QString& value)
{
    constexpr QChar cr = u'\r';
    constexpr QChar lf = u'\n';
    constexpr QChar separator = QChar(0x2028);
    FMemo.clear();
    qsizetype i = 0;
    const qsizetype n = value.size();
    while (i < n) {
        const qsizetype start = i;
        while (i < n && value[i] != cr && value[i] != lf && value[i] != separator)
            ++i;
        FMemo.append(value.mid(start, i - start));
        if (i < n && value[i] == cr)
            ++i;
        if (i < n && value[i] == lf)
            ++i;
        if (i < n && value[i] == separator)
            ++i;
    }
}

QString TrpCustomMemoView::Text() const
{
    QString text;
    for (const QString& line : FMemo)
        text += line + QStringLiteral("\r\n");
    return text;
}

void TrpCustomMemoView::BeforePrint()
{
    TrpStretcheable::BeforePrint();
    if (FDataField.isEmpty())
        FSavedMemo = FMemo;
}

void TrpCustomMemoView::GetData(TrpPrintContext& context)
{
    TrpStretcheable::GetData(context);
    if (!FAllowExpressions || !FDataField.isEmpty())
        return;
    const QString text = Text();
    const TrpDelimiters delimiters = rpSplitDelimiters(FExpressionDelimiters);
    if (delimiters.open.isEmpty() || !text.contains(delimiters.open))
        return;
    try {
        SetText(context.ExpandExpressions(
            text, FExpressionDelimiters, FDisplayFormatKind, FDisplayFormatStr));
    } catch (const EExpressionError& e) {
        const QString line = FName + QStringLiteral(": ") + e.message();
        context.AddError(line);
        throw EExpressionError(line);
    }
}

void TrpCustomMemoView::AfterPrint()
{
    if (FDataField.isEmpty())
        FMemo = FSavedMemo;
    FSavedMemo.clear();
    TrpStretcheable::AfterPrint();
}

void TrpCustomLineView::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpCustomLineView;
    list.append(rpField<C>(
        "Diagonal", T::Bool, [](C & c) -> auto& { return c.FDiagonal; }));
    list.append(rpField<C>(
        "ArrowStart", T::Bool, [](C & c) -> auto& { return c.FArrowStart; }));
    list.append(rpField<C>(
        "ArrowEnd", T::Bool, [](C & c) -> auto& { return c.FArrowEnd; }));
    list.append(rpField<C>(
        "ArrowLength", T::Int, [](C & c) -> auto& { return c.FArrowLength; }));
    list.append(rpField<C>(
        "ArrowWidth", T::Int, [](C & c) -> auto& { return c.FArrowWidth; }));
    list.append(rpField<C>(
        "ArrowSolid", T::Bool, [](C & c) -> auto& { return c.FArrowSolid; }));
}

void TrpShapeView::publishOwn(TrpPropertyList& list)
{
    using T = TrpPropType;
    using C = TrpShapeView;
    list.append(rpField<C>("Shape", T::Enum, [](C & c) -> auto& { return c.FShape; },
        {"skRectangle", "skRoundRectangle", "skEllipse", "skTriangle", "skDiamond", "skDiagonal1",
            "skDiagonal2"}));
    list.append(rpField<C>(
        "Curve", T::Int, [](C & c) -> auto& { return c.FCurve; }));
}
