#include "rpPreview.h"

#include "report/engine/rpEngine.h"
#include "report/engine/rpPreviewPages.h"
#include "report/model/rpPages.h"
#include "report/model/rpProperty.h"
#include "report/model/rpRes.h"
#include "rpPreviewSearch.h"
#include "rpPreviewWorkspace.h"
#include "rpProgressForm.h"
#include "rpSearchDialog.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/Exception.h"
#include "platform/core/MessageService.h"
#include "platform/widgets/FileDialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>
#include <QSplitter>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

// While the report is prepared only this many pages are laid out.
constexpr int kPagesWhilePreparing = 50;
constexpr double kMinZoom = 0.25;
// Far more than any page needs, and small enough that the laid-out pages keep within the
// page area's pixel coordinates.
constexpr double kMaxZoom = 10;
constexpr double kWheelZoomStep = 0.1;
constexpr double kMinWheelZoom = 0.3;
constexpr int kFoundMargin = 20;

QString preparedReportFilter()
{
    return rpGet(QStringLiteral("prvPreparedReport")) + rpGet(QStringLiteral("prvPreparedFilter"));
}

// The file name with its extension replaced (or added).
QString withExtension(const QString& fileName, const QString& extension)
{
    const qsizetype slash = std::max(fileName.lastIndexOf(u'/'), fileName.lastIndexOf(u'\\'));
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return (dot > slash ? fileName.left(dot) : fileName) + extension;
}

} // namespace

TrpPreview::TrpPreview(QWidget* parent) : QWidget(parent)
{
    FOutlinePopup = new QMenu(this);
    QAction* collapse = FOutlinePopup->addAction(rpGet(QStringLiteral("prvCollapseAll")));
    QAction* expand = FOutlinePopup->addAction(rpGet(QStringLiteral("prvExpandAll")));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    FTabs = new QTabBar(this);
    FTabs->setFixedHeight(22);
    FTabs->hide();
    layout->addWidget(FTabs);

    FSplitter = new QSplitter(Qt::Horizontal, this);
    FSplitter->setHandleWidth(4);
    FSplitter->setChildrenCollapsible(false);
    FOutline = new QTreeWidget(FSplitter);
    FOutline->setHeaderHidden(true);
    FOutline->setContextMenuPolicy(Qt::CustomContextMenu);
    FThumbnail = new TrpPreviewWorkspace(true, FSplitter);
    FThumbnail->hide();
    FWorkspace = new TrpPreviewWorkspace(false, FSplitter);
    FSplitter->setStretchFactor(2, 1);
    layout->addWidget(FSplitter);

    FMessagePanel = new QFrame(this);
    FMessagePanel->setFrameShape(QFrame::Panel);
    FMessagePanel->setFrameShadow(QFrame::Raised);
    FMessagePanel->setAutoFillBackground(true);
    FMessagePanel->resize(260, 75);
    FMessageLabel = new QLabel(FMessagePanel);
    FMessageLabel->setAlignment(Qt::AlignCenter);
    FMessageLabel->setGeometry(0, 12, 260, 24);
    FMessageCancel = new QPushButton(rpGet(QStringLiteral("prvCancel")), FMessagePanel);
    FMessageCancel->setGeometry(92, 44, 75, 25);
    FMessageCancel->setAutoDefault(false);
    FMessageCancel->hide();
    connect(FMessageCancel, &QPushButton::clicked, this, [this] { Cancel(); });
    FMessagePanel->hide();

    connect(collapse, &QAction::triggered, FOutline, &QTreeWidget::collapseAll);
    connect(expand, &QAction::triggered, FOutline, &QTreeWidget::expandAll);
    connect(FOutline, &QWidget::customContextMenuRequested, this,
        [this](const QPoint& pos) { FOutlinePopup->popup(FOutline->mapToGlobal(pos)); });
    connect(FWorkspace, &TrpPreviewWorkspace::Resized, this,
        platform::guarded([this] { UpdatePages(); }));
    const auto showPage = [this](int pageNo) {
        // The page is current without moving the view.
        FPageNo = std::clamp(pageNo, 1, std::max(1, PageCount()));
        FWorkspace->SetPageNo(FPageNo);
        FThumbnail->SetPageNo(FPageNo);
        Q_EMIT PageChanged();
    };
    connect(FWorkspace, &TrpPreviewWorkspace::TopPageChanged, this, showPage);
    connect(FWorkspace, &TrpPreviewWorkspace::PageClicked, this, showPage);
    connect(FThumbnail, &TrpPreviewWorkspace::PageClicked, this,
        [this](int pageNo) { SetPageNo(pageNo); });
    connect(FWorkspace, &TrpPreviewWorkspace::ZoomStep, this, [this](int steps) {
        const double zoom = FZoom + steps * kWheelZoomStep;
        if (zoom >= kMinWheelZoom - 1e-9)
            SetZoom(zoom);
    });
    connect(FWorkspace, &TrpPreviewWorkspace::DoubleClicked, this, &TrpPreview::DoubleClicked);
}

TrpPreview::~TrpPreview()
{
    if (FReport && FReport->ProgressObserver() == this)
        FReport->SetProgressObserver(nullptr);
}

void TrpPreview::Init(TrpReport& report)
{
    FReport = &report;
    FPreviewPages = &report.PreviewPages();
    FWorkspace->SetPreviewPages(FPreviewPages);
    FThumbnail->SetPreviewPages(FPreviewPages);
    FSearch = std::make_unique<TrpPreviewSearch>(*FPreviewPages);
    FWorkspace->ClearFound();
    FWorkspace->PagesReplaced();
    // The report is built in, so its tab has no file name; the strip stays hidden with one.
    FTabs->addTab(QString());

    const TrpPreviewOptions& options = report.PreviewOptions();
    FSplitter->setSizes({options.OutlineWidth, options.OutlineWidth, 1000});
    SetOutlineVisible(options.OutlineVisible);
    if (options.ThumbnailVisible)
        SetThumbnailVisible(true);
    FZoomMode = options.ZoomMode;
    FZoom = std::clamp(options.Zoom, kMinZoom, kMaxZoom);
    UpdatePages();
    updateOutline();
    SetPageNo(1);
}

int TrpPreview::PageCount() const { return FPreviewPages ? FPreviewPages->Count() : 0; }

void TrpPreview::SetPageNo(int pageNo)
{
    pageNo = std::max(1, std::min(pageNo, PageCount()));
    FPageNo = pageNo;
    FWorkspace->SetPageNo(pageNo);
    FThumbnail->SetPageNo(pageNo);
    FWorkspace->ScrollToPage(pageNo);
    Q_EMIT PageChanged();
}

void TrpPreview::SetZoom(double zoom)
{
    FZoom = std::isfinite(zoom) ? std::clamp(zoom, kMinZoom, kMaxZoom) : kMinZoom;
    FZoomMode = zmDefault;
    UpdatePages();
}

void TrpPreview::SetZoomMode(TrpZoomMode mode)
{
    FZoomMode = mode;
    UpdatePages();
}

void TrpPreview::UpdatePages()
{
    if (FLocked || !FPreviewPages)
        return;
    if (FPreviewPages->Count() == 0) {
        // None prepared yet, or a failed preparation took them all: the page areas must
        // not keep pages that are gone.
        FWorkspace->UpdatePages(0);
        FThumbnail->UpdatePages(0);
        return;
    }
    const QSize page = FPreviewPages->GetPageSize(FPageNo - 1);
    if (page.width() > 0 && page.height() > 0) {
        const double pageWidthZoom = double(FWorkspace->UsableWidth()) / page.width();
        if (FZoomMode == zmPageWidth) {
            FZoom = pageWidthZoom;
        } else if (FZoomMode == zmWholePage) {
            const QSize client = FWorkspace->viewport()->size();
            const bool tall = double(page.height()) / std::max(1, client.height())
                >= double(page.width()) / std::max(1, client.width());
            FZoom = tall ? double(FWorkspace->height() - 26) / page.height() : pageWidthZoom;
        }
    }
    FWorkspace->SetZoom(FZoom);
    const int limit = FRunning ? kPagesWhilePreparing : -1;
    FWorkspace->UpdatePages(limit);
    FThumbnail->UpdatePages(limit);
    if (FZoomMode == zmWholePage)
        FWorkspace->ScrollToPage(FPageNo);
    Q_EMIT ZoomChanged();
}

void TrpPreview::Lock()
{
    FLocked = true;
    FWorkspace->SetLocked(true);
    FThumbnail->SetLocked(true);
}

void TrpPreview::Unlock()
{
    FLocked = false;
    FWorkspace->SetLocked(false);
    FThumbnail->SetLocked(false);
    FMessagePanel->hide();
    UpdatePages();
    FWorkspace->viewport()->update();
    FThumbnail->viewport()->update();
}

TrpProgressForm* TrpPreview::ProgressForm() const { return FProgressForm.data(); }

void TrpPreview::Cancel()
{
    if (FLoading)
        FLoadCancelled = true;
    else if (FRunning && FReport)
        FReport->SetTerminated(true);
}

void TrpPreview::Print()
{
    // Its keys reach it with the button off too: nothing is sent out without a page.
    if (FRunning || PageCount() == 0)
        return;
    FPreviewPages->SetCurPreviewPage(FPageNo);
    // However the job ends, the pages take the keys again, so that Ctrl+P works at once.
    const auto restore = qScopeGuard([this] {
        Unlock();
        setEnabled(true);
        // The progress window had the keys; the preview's window takes them back.
        window()->activateWindow();
        FWorkspace->setFocus();
    });
    FReport->PrintPreparedReport();
}

// The page settings edit a copy of the displayed page, so that repainting behind the dialog
// cannot take the page out of the cache under it; the copy then replaces the stored page,
// or the template's pages have taken its settings and the report is prepared again.
void TrpPreview::PageSetupDlg()
{
    if (FRunning || !FReport || FReport->Engine().Running())
        return;
    const TrpReportPage* shown = FPreviewPages->GetPage(FPageNo - 1);
    if (!shown)
        return;
    const std::unique_ptr<TrpComponent> copy = rpClone(*shown);
    auto& page = static_cast<TrpReportPage&>(*copy);
    switch (FReport->RunPageSetup(page)) {
    case TrpPageSetupResult::Cancelled:
        return;
    case TrpPageSetupResult::ReportPagesChanged:
        FReport->PrepareReport(true);
        return;
    case TrpPageSetupResult::PageChanged:
        break;
    }
    Lock();
    FPreviewPages->ModifyPage(FPageNo - 1, page);
    FWorkspace->PagesReplaced();
    FThumbnail->PagesReplaced();
    Unlock();
}

QString& TrpPreview::lastSearch()
{
    static QString text;
    return text;
}

void TrpPreview::Find()
{
    if (FRunning)
        return;
    TrpSearchDialog dialog(lastSearch(), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    lastSearch() = dialog.TextE->text();
    FindText(dialog.TextE->text(), dialog.TopCB->isChecked(), dialog.CaseCB->isChecked());
}

bool TrpPreview::FindText(const QString& text, bool fromBeginning, bool caseSensitive)
{
    if (FRunning)
        return false;
    FAllowF3 = true;
    FSearch->Start(text, caseSensitive, fromBeginning ? 0 : FPageNo - 1);
    return FindNext();
}

bool TrpPreview::FindNext()
{
    if (FRunning || !FAllowF3)
        return false;
    const std::optional<TrpSearchHit> hit = FSearch->Next();
    if (!hit) {
        platform::ShowMessage(rpGet(QStringLiteral("prvTextNotFound")));
        return false;
    }
    FWorkspace->SetFound(hit->page, hit->rect);
    SetPageNo(hit->page + 1);
    FWorkspace->ScrollIntoView(FWorkspace->FoundArea(), kFoundMargin);
    return true;
}

void TrpPreview::showMessagePanel(const QString& text)
{
    FMessageLabel->setText(text);
    FMessagePanel->move(
        (width() - FMessagePanel->width()) / 2, (height() - FMessagePanel->height()) / 2);
    FMessagePanel->raise();
    FMessagePanel->show();
    FMessagePanel->repaint();
}

void TrpPreview::SaveToFile()
{
    if (FRunning || PageCount() == 0)
        return;
    const QString fileName
        = platform::getSaveFileName(preparedReportFilter(), QStringLiteral("prp"));
    if (!fileName.isEmpty())
        SaveToFile(fileName);
}

void TrpPreview::LoadFromFile()
{
    if (FRunning)
        return;
    const QString fileName = platform::getOpenFileName(preparedReportFilter());
    if (!fileName.isEmpty())
        LoadFromFile(fileName);
}

void TrpPreview::SaveToFile(const QString& fileName)
{
    if (FRunning || PageCount() == 0)
        return;
    Lock();
    showMessagePanel(rpGet(QStringLiteral("prvSaving")));
    try {
        FPreviewPages->SaveToFile(withExtension(fileName, QStringLiteral(".prp")));
    } catch (const platform::Exception& e) {
        Unlock();
        platform::showEngineError(e.message());
        return;
    }
    Unlock();
}

void TrpPreview::LoadFromFile(const QString& fileName)
{
    if (FRunning)
        return;
    // A large file takes seconds: the panel tells how far the load has gone, and its Cancel
    // button (or Escape, or closing the window) stops it. The window stays live meanwhile,
    // running like a preparation, so no other command starts.
    Lock();
    const QString loading = rpGet(QStringLiteral("prvLoading"));
    showMessagePanel(loading);
    FMessageCancel->show();
    FRunning = true;
    FLoading = true;
    FLoadCancelled = false;
    Q_EMIT StateChanged();
    const auto progress = [this, &loading](int percent) {
        FMessageLabel->setText(QStringLiteral("%1 %2%").arg(loading).arg(percent));
        QCoreApplication::processEvents();
        return !FLoadCancelled;
    };
    const auto finish = [this] {
        FMessageCancel->hide();
        FLoading = false;
        FRunning = false;
        Unlock();
        Q_EMIT StateChanged();
    };
    bool loaded = false;
    try {
        loaded = FPreviewPages->LoadFromFile(fileName, progress);
    } catch (const platform::Exception& e) {
        // The store refuses a damaged file as a whole, so the pages shown stay.
        finish();
        platform::showEngineError(e.message());
        return;
    }
    finish();
    if (!loaded)
        return;
    FSearch->Clear();
    FWorkspace->ClearFound();
    FWorkspace->PagesReplaced();
    FThumbnail->PagesReplaced();
    SetPageNo(1);
    updateOutline();
    Q_EMIT PagesLoaded(FPreviewPages->ReportName());
    Q_EMIT StateChanged();
}

bool TrpPreview::OutlineVisible() const { return !FOutline->isHidden(); }

void TrpPreview::SetOutlineVisible(bool visible)
{
    FOutline->setVisible(visible);
    if (visible)
        FThumbnail->hide();
}

bool TrpPreview::ThumbnailVisible() const { return !FThumbnail->isHidden(); }

void TrpPreview::SetThumbnailVisible(bool visible)
{
    FThumbnail->setVisible(visible);
    if (visible) {
        FOutline->hide();
        FThumbnail->UpdatePages(FRunning ? kPagesWhilePreparing : -1);
    }
}

void TrpPreview::updateOutline()
{
    // The prepared pages of the program's reports carry no outline entries.
    FOutline->clear();
    if (FReport && FReport->PreviewOptions().OutlineExpand)
        FOutline->expandAll();
}

void TrpPreview::InternalOnProgressStart(TrpProgressType type)
{
    if (type == ptPrinting) {
        Lock();
        setEnabled(false);
        FProgressForm = new TrpProgressForm(this, [this] {
            if (FReport)
                FReport->SetTerminated(true);
        });
        FProgressForm->show();
        return;
    }
    if (type != ptRunning)
        return;
    FRunning = true;
    FProgressReports = 0;
    FRefreshEvery = 5;
    FSearch->Clear();
    FWorkspace->ClearFound();
    FWorkspace->PagesReplaced();
    FThumbnail->PagesReplaced();
    FWorkspace->UpdatePages(0);
    FThumbnail->UpdatePages(0);
    FPageNo = 1;
    FWorkspace->SetPageNo(1);
    FThumbnail->SetPageNo(1);
    Q_EMIT StateChanged();
    Q_EMIT PageChanged();
}

void TrpPreview::InternalOnProgress(TrpProgressType type, int progress)
{
    if (type == ptPrinting && FProgressForm)
        FProgressForm->SetMessage(rpGet(QStringLiteral("prnPrintingPage"))
                                      .replace(QStringLiteral("%d"), QString::number(progress)));
    if (type != ptRunning)
        return;
    ++FProgressReports;
    if (FProgressReports == 1) {
        FProgressClock.start();
        UpdatePages();
        SetPageNo(1);
    } else {
        if (FProgressReports == 2) {
            // Fast preparation refreshes seldom, so that refreshing does not slow it.
            const qint64 ms = FProgressClock.elapsed();
            FRefreshEvery = ms < 5 ? 50 : ms < 10 ? 20 : 5;
        }
        if (progress % FRefreshEvery == 0) {
            FRefreshing = true;
            if (progress <= kPagesWhilePreparing)
                UpdatePages();
            Q_EMIT PageChanged();
            FRefreshing = false;
        }
    }
    Q_EMIT ProgressText(QString::number(progress));
}

void TrpPreview::InternalOnProgressStop(TrpProgressType type)
{
    if (type == ptPrinting)
        delete FProgressForm.data();
    if (type != ptRunning)
        return;
    FRunning = false;
    Q_EMIT ProgressText(QString());
    UpdatePages();
    updateOutline();
    SetPageNo(FPageNo);
    Q_EMIT StateChanged();
}

void TrpPreview::InternalOnEngineFailed()
{
    FRunning = false;
    Q_EMIT EngineFailed();
}

void TrpPreview::keyPressEvent(QKeyEvent* event)
{
    const int buttons = FReport ? FReport->PreviewOptions().Buttons : 0;
    const auto has = [buttons](TrpPreviewButton button) { return (buttons >> button) & 1; };
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    std::function<void()> action;
    switch (event->key()) {
    case Qt::Key_PageUp:
        if (ctrl)
            action = [this] { Prior(); };
        break;
    case Qt::Key_PageDown:
        if (ctrl)
            action = [this] { Next(); };
        break;
    case Qt::Key_Home:
        action = [this] { First(); };
        break;
    case Qt::Key_End:
        action = [this] { Last(); };
        break;
    case Qt::Key_F3:
        if (has(pbFind) && FAllowF3)
            action = [this] { FindNext(); };
        break;
    case Qt::Key_P:
        if (ctrl && has(pbPrint))
            action = [this] { Print(); };
        break;
    case Qt::Key_S:
        if (ctrl && has(pbSave))
            action = [this] { SaveToFile(); };
        break;
    case Qt::Key_F:
        if (ctrl && has(pbFind))
            action = [this] { Find(); };
        break;
    case Qt::Key_O:
        if (ctrl && has(pbLoad))
            action = [this] { LoadFromFile(); };
        break;
    default:
        break;
    }
    if (!action) {
        event->ignore();
        return;
    }
    event->accept();
    platform::runGuarded(action);
}
