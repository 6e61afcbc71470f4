#pragma once

#include <QList>
#include <QRect>
#include <QString>

#include <optional>

class TrpPreviewPages;

// One place where the search text was found: the page, the text output's position in the
// page's drawing, and the text's rectangle in report pixels from the paper's corner.
struct TrpSearchHit {
    int page = -1;
    int index = -1;
    QRect rect;
};

// Text search through the prepared pages: each page is drawn onto a recording canvas and
// its text outputs are compared with the search text, so what is found is exactly what the
// page shows. The drawing of the page being searched is kept between calls.
class TrpPreviewSearch {
public:
    explicit TrpPreviewSearch(TrpPreviewPages& pages) : FPages(pages) { }

    // Starts a search at a page (0-based); Next then finds its first hit.
    void Start(const QString& text, bool caseSensitive, int startPage);
    // The first hit after the previous one; none when no page has another.
    std::optional<TrpSearchHit> Next();
    // Forgets the search and the kept drawing (the pages changed).
    void Clear();

private:
    struct TextOut {
        QString text;
        QRect rect;
    };
    const QList<TextOut>& pageTexts(int page);

    TrpPreviewPages& FPages;
    QString FText;
    Qt::CaseSensitivity FCase = Qt::CaseInsensitive;
    int FPage = -1;
    int FIndex = -1;
    int FCachedPage = -1;
    QList<TextOut> FCached;
};
