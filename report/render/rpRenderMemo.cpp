#include "rpRenderMemo.h"

#include "platform/core/RecordingCanvas.h"
#include "report/model/rpViews.h"
#include "rpGraphicUtils.h"
#include "rpRenderView.h"

namespace {

QStringList expandMacros(const TrpCustomMemoView& memo, const TrpMemoDrawContext& context)
{
    QStringList lines = memo.Memo();
    if (!memo.AllowExpressions())
        return lines;
    for (QString& line : lines) {
        line.replace(QStringLiteral("[TOTALPAGES#]"), QString::number(context.PageCount),
            Qt::CaseInsensitive);
        line.replace(QStringLiteral("[COPYNAME#]"), context.CopyName, Qt::CaseInsensitive);
    }
    return lines;
}

} // namespace

QRect rpMemoTextRect(
    const TrpCustomMemoView& memo, double scaleX, double scaleY, double offsetX, double offsetY)
{
    const TrpDrawState state = rpViewCorners(memo, scaleX, scaleY, offsetX, offsetY);
    const TrpFrame& frame = memo.Frame();
    const double fw = frame.Width;
    const auto side = [&](TrpFrameType type, double value) {
        return (frame.Typ & rpBit(type)) ? int(rpRound(value)) : 0;
    };
    const int left = side(ftLeft, (fw * scaleX - 1) / 2);
    const int right = side(ftRight, fw * scaleX / 2);
    const int top = side(ftTop, (fw * scaleY - 1) / 2);
    const int bottom = side(ftBottom, fw * scaleY / 2);
    const int gapX = int(rpRound(memo.GapX() * scaleX));
    const int gapY = int(rpRound(memo.GapY() * scaleY));
    return QRect(QPoint(state.FX + left + gapX, state.FY + top + gapY),
        QPoint(state.FX1 - right - gapX, state.FY1 - bottom - gapY));
}

namespace {

void setUpEngine(TrpDrawText& engine, const TrpCustomMemoView& memo)
{
    engine.SetFont(memo.Font());
    engine.SetOptions(memo.WordWrap(), memo.Wysiwyg(), memo.Clipped());
    engine.SetGaps(memo.ParagraphGap(), memo.CharSpacing(), memo.LineSpacing());
}

} // namespace

int rpMemoLineCount(const TrpCustomMemoView& memo, const QStringList& lines)
{
    TrpDrawTextLock lock;
    TrpDrawText& engine = TrpDrawText::instance();
    setUpEngine(engine, memo);
    const QRect rect = rpMemoTextRect(memo, 1, 1, 0, 0);
    platform::RecordingCanvas canvas(rect);
    engine.SetDimensions(canvas, 1, 1, 1, rect, rect);
    engine.SetText(lines);
    return engine.LineCount();
}

QString rpMemoMissingCharacters(const TrpCustomMemoView& memo, const QStringList& lines)
{
    TrpDrawTextLock lock;
    TrpDrawText& engine = TrpDrawText::instance();
    setUpEngine(engine, memo);
    return engine.MissingCharacters(lines);
}

void rpDrawMemo(const TrpCustomMemoView& memo, platform::Canvas& canvas, double scaleX,
    double scaleY, double offsetX, double offsetY, const TrpMemoDrawContext& context)
{
    const QStringList lines = expandMacros(memo, context);
    TrpDrawTextLock lock;
    TrpDrawText& engine = TrpDrawText::instance();
    setUpEngine(engine, memo);
    engine.SetDimensions(canvas, scaleX, scaleY, canvas.isPrinter() ? context.PrintScale : 1,
        rpMemoTextRect(memo, scaleX, scaleY, offsetX, offsetY), rpMemoTextRect(memo, 1, 1, 0, 0));
    engine.SetText(lines);
    engine.SetParaBreaks(memo.FirstParaBreak(), memo.LastParaBreak());
    const TrpDrawState state = BeginDraw(memo, canvas, scaleX, scaleY, offsetX, offsetY);
    DrawBackground(memo, state);
    DrawFrame(memo, state);
    engine.DrawText(memo.HAlign(), memo.VAlign());
}
