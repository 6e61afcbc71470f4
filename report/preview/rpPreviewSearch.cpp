#include "rpPreviewSearch.h"

#include "report/engine/rpPreviewPages.h"

#include "platform/core/RecordingCanvas.h"

#include <numeric>

void TrpPreviewSearch::Start(const QString& text, bool caseSensitive, int startPage)
{
    FText = text;
    FCase = caseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    FPage = startPage;
    FIndex = -1;
}

void TrpPreviewSearch::Clear()
{
    FText.clear();
    FPage = -1;
    FIndex = -1;
    FCachedPage = -1;
    FCached.clear();
}

const QList<TrpPreviewSearch::TextOut>& TrpPreviewSearch::pageTexts(int page)
{
    if (page == FCachedPage)
        return FCached;
    FCached.clear();
    const QSize size = FPages.GetPageSize(page);
    platform::RecordingCanvas canvas(QRect(QPoint(0, 0), size));
    FPages.DrawPage(page, canvas, 1, 1, 0, 0);
    for (const platform::CanvasCall& call : canvas.calls(platform::CanvasCall::Text)) {
        const int width = std::accumulate(call.advances.begin(), call.advances.end(), 0);
        FCached.append(
            TextOut {call.text, QRect(call.points.value(0), QSize(width, call.font.pixelHeight))});
    }
    FCachedPage = page;
    return FCached;
}

std::optional<TrpSearchHit> TrpPreviewSearch::Next()
{
    if (FText.isEmpty() || FPage < 0)
        return std::nullopt;
    for (; FPage < FPages.Count(); ++FPage, FIndex = -1) {
        const QList<TextOut>& texts = pageTexts(FPage);
        for (int i = FIndex + 1; i < texts.size(); ++i) {
            if (texts[i].text.contains(FText, FCase)) {
                FIndex = i;
                return TrpSearchHit {FPage, i, texts[i].rect};
            }
        }
    }
    // Stay at the end, so that searching on finds nothing again.
    FPage = FPages.Count();
    return std::nullopt;
}
