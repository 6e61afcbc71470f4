#pragma once

#include "report/engine/rpReport.h"
#include "report/model/rpTypes.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QWidget>

#include <memory>

class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QSplitter;
class QTabBar;
class QTreeWidget;
class TrpPreviewPages;
class TrpPreviewSearch;
class TrpProgressForm;
class TrpPreviewWorkspace;

// The preview control: the prepared pages of one report in the page area, with the
// outline and thumbnail panels beside it. It hears the report's preparation progress and
// keeps the operator from printing, saving or closing while the report is prepared.
class TrpPreview : public QWidget, public TrpProgressObserver {
    Q_OBJECT

public:
    explicit TrpPreview(QWidget* parent = nullptr);
    ~TrpPreview() override;

    // Binds the control to the report's prepared pages and applies its preview options.
    void Init(TrpReport& report);
    TrpReport* Report() const { return FReport; }
    TrpPreviewPages* PreviewPages() const { return FPreviewPages; }

    int PageNo() const { return FPageNo; }
    int PageCount() const;
    // Clamps to 1 … page count, shows the page at the top of the view.
    void SetPageNo(int pageNo);
    void First() { SetPageNo(1); }
    void Prior() { SetPageNo(FPageNo - 1); }
    void Next() { SetPageNo(FPageNo + 1); }
    void Last() { SetPageNo(PageCount()); }

    double Zoom() const { return FZoom; }
    // A zoom below 25 % becomes 25 %; the mode becomes zmDefault.
    void SetZoom(double zoom);
    TrpZoomMode ZoomMode() const { return FZoomMode; }
    void SetZoomMode(TrpZoomMode mode);
    // Rebuilds the page layout at the zoom (the mode's zoom for page width and whole page).
    void UpdatePages();

    bool Running() const { return FRunning; }
    bool Locked() const { return FLocked; }
    // Suspends layout, painting and mouse; Unlock also hides the message panel, rebuilds
    // the layout and repaints.
    void Lock();
    void Unlock();
    // While preparation runs, asks the report to stop after the current page.
    void Cancel();

    // Prints through the report's print command, handing it the current page; the control
    // is locked and disabled while the job runs. Nothing happens while the report is
    // prepared or when there is no page.
    void Print();
    // The page-settings dialog of the current page; nothing happens while the report is
    // prepared. "Apply to all pages" writes the template's report pages and prepares the
    // report again; otherwise the edited page replaces the displayed prepared page.
    void PageSetupDlg();

    // The search dialog, then the search from its choices.
    void Find();
    // Searches from page 1 or from the current page; marks and shows the first hit, or
    // says "Text not found". True when something was found.
    bool FindText(const QString& text, bool fromBeginning, bool caseSensitive);
    // Goes on from the last hit (F3).
    bool FindNext();
    bool AllowF3() const { return FAllowF3; }
    // The last text searched for; it stays for the life of the program.
    static QString LastSearchText() { return lastSearch(); }

    // Ask for a file, then write or read the prepared pages as a prepared-report file.
    // A file that cannot be written or read is reported and the pages shown stay. Without a
    // page nothing is saved. Loading shows how far it has gone, in per cent, on the message
    // panel, whose Cancel button (like Escape) gives the load up with the pages shown kept.
    void SaveToFile();
    void LoadFromFile();
    void SaveToFile(const QString& fileName);
    void LoadFromFile(const QString& fileName);

    TrpPreviewWorkspace* Workspace() const { return FWorkspace; }
    TrpPreviewWorkspace* Thumbnail() const { return FThumbnail; }
    QTreeWidget* OutlineTree() const { return FOutline; }
    QMenu* OutlinePopup() const { return FOutlinePopup; }
    QFrame* MessagePanel() const { return FMessagePanel; }
    QLabel* MessageLabel() const { return FMessageLabel; }
    QPushButton* MessageCancelButton() const { return FMessageCancel; }
    // The progress window while a job prints; none otherwise.
    TrpProgressForm* ProgressForm() const;
    bool OutlineVisible() const;
    void SetOutlineVisible(bool visible);
    bool ThumbnailVisible() const;
    void SetThumbnailVisible(bool visible);

    void InternalOnProgressStart(TrpProgressType type) override;
    void InternalOnProgress(TrpProgressType type, int progress) override;
    void InternalOnProgressStop(TrpProgressType type) override;
    void InternalOnEngineFailed() override;

Q_SIGNALS:
    // The current page or the page count changed.
    void PageChanged();
    // The zoom changed (the zoom box shows it).
    void ZoomChanged();
    // Preparation started or ended, or the pages were replaced: the window updates its
    // buttons.
    void StateChanged();
    // The second status-bar panel's text.
    void ProgressText(const QString& text);
    // Preparation could not start; the window closes.
    void EngineFailed();
    // Other pages were loaded; the caption follows their report's name.
    void PagesLoaded(const QString& reportName);
    // The operator double-clicked the page area.
    void DoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    static QString& lastSearch();
    void showMessagePanel(const QString& text);
    void updateOutline();
    void showFound();

    TrpReport* FReport = nullptr;
    TrpPreviewPages* FPreviewPages = nullptr;
    int FPageNo = 1;
    double FZoom = 1.0;
    TrpZoomMode FZoomMode = zmDefault;
    bool FRunning = false;
    bool FLocked = false;
    // While a file loads, and whether its load is to be given up.
    bool FLoading = false;
    bool FLoadCancelled = false;
    bool FRefreshing = false;
    bool FAllowF3 = false;
    // Preparation progress: when the first two reports came, and how often to refresh.
    QElapsedTimer FProgressClock;
    int FProgressReports = 0;
    int FRefreshEvery = 5;

    QMenu* FOutlinePopup = nullptr;
    QTabBar* FTabs = nullptr;
    QTreeWidget* FOutline = nullptr;
    TrpPreviewWorkspace* FThumbnail = nullptr;
    QSplitter* FSplitter = nullptr;
    TrpPreviewWorkspace* FWorkspace = nullptr;
    QFrame* FMessagePanel = nullptr;
    QLabel* FMessageLabel = nullptr;
    QPushButton* FMessageCancel = nullptr;
    std::unique_ptr<TrpPreviewSearch> FSearch;
    // A window of the preview's window, so the preview's window deletes it with itself.
    QPointer<TrpProgressForm> FProgressForm;
};
