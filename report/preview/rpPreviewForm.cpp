#include "rpPreviewForm.h"

#include "report/engine/rpPreviewPages.h"
#include "report/model/rpRes.h"
#include "rpPreview.h"
#include "rpPreviewWorkspace.h"

#include "platform/core/EventBoundary.h"
#include "platform/core/NumberFormat.h"
#include "report/ui/rpHelpFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

QString res(const char* key) { return rpGet(QString::fromLatin1(key)); }

// Fills the "%d" places of a text in order.
QString formatNumbers(QString text, std::initializer_list<int> numbers)
{
    for (int number : numbers) {
        const qsizetype at = text.indexOf(QStringLiteral("%d"));
        if (at < 0)
            break;
        text.replace(at, 2, QString::number(number));
    }
    return text;
}

} // namespace

TrpPreviewForm::TrpPreviewForm(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(res("prvCaption"));
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    Preview = new TrpPreview(this);
    buildToolBar();
    buildStatusBar();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(Preview, 1);
    layout->addWidget(StatusBar);
    connectToolBar();

    connect(Preview, &TrpPreview::PageChanged, this, &TrpPreviewForm::onPageChanged);
    connect(Preview, &TrpPreview::ZoomChanged, this, &TrpPreviewForm::onZoomChanged);
    connect(Preview, &TrpPreview::StateChanged, this, &TrpPreviewForm::UpdateControls);
    connect(Preview, &TrpPreview::ProgressText, StatusPanels[1], &QLabel::setText);
    connect(Preview, &TrpPreview::EngineFailed, this, &QDialog::reject);
    connect(Preview, &TrpPreview::PagesLoaded, this,
        [this](const QString& name) { setWindowTitle(name.isEmpty() ? res("prvCaption") : name); });
    connect(Preview, &TrpPreview::DoubleClicked, this, [this] {
        if (FFullScreen)
            SwitchToFullScreen();
    });
}

TrpPreviewForm::~TrpPreviewForm()
{
    // The zoom box reports its text when it loses the focus, also while the window goes.
    disconnect(ZoomCB, nullptr, this, nullptr);
    ZoomCB->removeEventFilter(this);
}

bool TrpPreviewForm::eventFilter(QObject* watched, QEvent* event)
{
    // The combo box is its line edit's focus proxy: typed keys arrive at the box, which hands
    // them to the line edit directly, so Enter is taken where it arrives.
    if (watched == ZoomCB && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            platform::runGuarded([this] { ZoomBoxApply(ZoomCB->lineEdit()->text()); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TrpPreviewForm::Init(TrpReport& report)
{
    Preview->Init(report);
    const TrpPreviewOptions& options = report.PreviewOptions();
    if (options.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
    Preview->SetZoom(options.Zoom);
    Preview->SetZoomMode(options.ZoomMode);
    DesignerB->setEnabled(options.AllowEdit);
    applyButtons(options.Buttons);
    ToolBar->setToolButtonStyle(
        options.ShowCaptions ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonIconOnly);
    buildSaveMenu(options.Buttons);
    if (!report.ReportOptions().Name.isEmpty())
        setWindowTitle(report.ReportOptions().Name);
    buildContextMenu();
    UpdateControls();
    onPageChanged();
    onZoomChanged();
}

void TrpPreviewForm::UpdateControls()
{
    const bool idle = !Preview->Running();
    const bool pages = idle && Preview->PageCount() > 0;
    for (QAction* action : {PrintB, OpenB, SaveB, PdfB, EmailB, FindB, PageSettingsB})
        action->setEnabled(pages);
    for (QAction* action : std::as_const(FOwnerCommands))
        action->setEnabled(pages);
    DesignerB->setEnabled(idle && Preview->Report()->PreviewOptions().AllowEdit);
    // The outline commands serve drill-down groups, which no report here has.
    for (QAction* action : Preview->OutlinePopup()->actions())
        action->setVisible(false);
    OutlineSeparator->setVisible(false);
    for (const auto& [button, item] : std::as_const(FMenuItems))
        item->setEnabled(button->isEnabled());
    CancelB->setText(idle ? res("prvClose") : res("prvCancel"));
}

QAction* TrpPreviewForm::AddCommand(const QString& caption)
{
    auto* command = new QAction(caption, this);
    command->setToolTip(caption);
    ToolBar->insertAction(CloseSpacer, command);
    if (auto* button = qobject_cast<QToolButton*>(ToolBar->widgetForAction(command)))
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    QAction* item = ContextMenu->addAction(caption);
    connect(item, &QAction::triggered, command, &QAction::trigger);
    FMenuItems.append(std::make_pair(command, item));
    FOwnerCommands.append(command);
    UpdateControls();
    return command;
}

void TrpPreviewForm::CancelBClick()
{
    if (Preview->Running())
        Preview->Cancel();
    else
        close();
}

void TrpPreviewForm::ZoomBoxApply(const QString& text)
{
    if (text == res("prvPageWidth")) {
        Preview->SetZoomMode(zmPageWidth);
    } else if (text == res("prvWholePage")) {
        Preview->SetZoomMode(zmWholePage);
    } else {
        QString number = text;
        number.remove(QLatin1Char('%')).remove(QLatin1Char(' '));
        if (number.isEmpty())
            return;
        // Both separators are taken, whatever the desktop's is.
        const QChar separator = platform::numberFormat().decimalSeparator;
        number.replace(QLatin1Char(','), separator).replace(QLatin1Char('.'), separator);
        Preview->SetZoom(platform::StrToFloat(number) / 100);
    }
    onZoomChanged();
    Preview->Workspace()->setFocus();
}

void TrpPreviewForm::PageBoxApply() { Preview->SetPageNo(platform::StrToInt(PageE->text())); }

void TrpPreviewForm::SwitchToFullScreen()
{
    // Only the window state changes: new window flags would hide the modal window, which
    // ends its modal loop and with it the preview.
    if (!FFullScreen) {
        ToolBar->hide();
        StatusBar->hide();
        FSavedState = windowState();
        setWindowState(Qt::WindowFullScreen);
    } else {
        setWindowState(FSavedState);
        ToolBar->show();
        StatusBar->show();
    }
    FFullScreen = !FFullScreen;
}

void TrpPreviewForm::OpenHelp()
{
    if (const TrpReport* report = Preview->Report())
        rpOpenHelp(*report);
}

void TrpPreviewForm::onPageChanged()
{
    const int count = Preview->PageCount();
    StatusPanels[0]->setText(formatNumbers(res("prvPageOf"), {Preview->PageNo(), count}));
    PageE->setText(QString::number(Preview->PageNo()));
    OfNL->setText(formatNumbers(res("prvOf"), {count}));
    const int wanted = PageE->width() + OfNL->fontMetrics().horizontalAdvance(OfNL->text()) + 12;
    PagePanel->setFixedWidth(std::max(73, wanted));
}

QString TrpPreviewForm::ZoomText() const
{
    return QString::number(static_cast<int>(std::nearbyint(Preview->Zoom() * 100))) + u'%';
}

void TrpPreviewForm::onZoomChanged()
{
    ZoomCB->setEditText(ZoomText());
    // The narrow box shows the start of the text, not its end.
    ZoomCB->lineEdit()->setCursorPosition(0);
}

void TrpPreviewForm::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        platform::runGuarded([this] { CancelBClick(); });
        break;
    case Qt::Key_F11:
        platform::runGuarded([this] { SwitchToFullScreen(); });
        break;
    case Qt::Key_F1:
        OpenHelp();
        break;
    default:
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TrpPreviewForm::closeEvent(QCloseEvent* event)
{
    if (Preview->Running()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TrpPreviewForm::reject()
{
    if (Preview->Running()) {
        Preview->Cancel();
        return;
    }
    QDialog::reject();
}

void TrpPreviewForm::contextMenuEvent(QContextMenuEvent* event)
{
    ContextMenu->popup(event->globalPos());
}

void TrpPreviewForm::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    // A modal preview stands for the whole program: minimizing it minimizes every window.
    if (event->type() == QEvent::WindowStateChange && isModal() && isMinimized()) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window != this && window->isVisible() && !window->isMinimized())
                window->showMinimized();
        }
    }
}
