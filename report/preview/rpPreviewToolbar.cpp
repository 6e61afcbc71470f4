// The preview window's toolbar, status bar and menus.

#include "report/model/rpRes.h"
#include "rpPreview.h"
#include "rpPreviewForm.h"
#include "rpPreviewWorkspace.h"

#include "platform/core/EventBoundary.h"
#include "report/ui/rpPreviewIcons.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

constexpr int kButtonSize = 23;

QString res(const char* key) { return rpGet(QString::fromLatin1(key)); }

bool has(int buttons, TrpPreviewButton button) { return (buttons >> button) & 1; }

} // namespace

void TrpPreviewForm::buildToolBar()
{
    ToolBar = new QToolBar(this);
    ToolBar->setMovable(false);
    ToolBar->setFloatable(false);
    ToolBar->setIconSize(QSize(16, 16));
    ToolBar->setContentsMargins(2, 2, 2, 2);

    const auto button = [this](const char* caption, const char* hint, TrpPreviewIcon icon) {
        QAction* action = ToolBar->addAction(rpPreviewIcon(icon), res(caption));
        action->setToolTip(res(hint));
        return action;
    };
    PrintB = button("prvPrint", "prvPrint", piPrint);
    OpenB = button("prvOpen", "prvOpen", piOpen);
    SaveB = button("prvSave", "prvSave", piSave);
    SaveMenu = new QMenu(this);
    SaveB->setMenu(SaveMenu);
    if (auto* saveButton = qobject_cast<QToolButton*>(ToolBar->widgetForAction(SaveB)))
        saveButton->setPopupMode(QToolButton::MenuButtonPopup);
    PdfB = ToolBar->addAction(rpPreviewIcon(piPdf), QString());
    PdfB->setToolTip(res("prvExportPdf"));
    EmailB = ToolBar->addAction(rpPreviewIcon(piEmail), QString());
    EmailB->setToolTip(res("prvSendEmail"));
    FindB = button("prvFind", "prvFind", piFind);

    ZoomSeparator = ToolBar->addSeparator();
    ZoomPlusB = button("prvZoomIn", "prvZoomIn", piZoomIn);
    auto* zoomPanel = new QWidget(ToolBar);
    zoomPanel->setFixedWidth(56);
    auto* zoomLayout = new QHBoxLayout(zoomPanel);
    zoomLayout->setContentsMargins(3, 0, 4, 0);
    ZoomCB = new QComboBox(zoomPanel);
    ZoomCB->setEditable(true);
    ZoomCB->setInsertPolicy(QComboBox::NoInsert);
    ZoomCB->setCompleter(nullptr);
    ZoomCB->setFixedWidth(49);
    ZoomCB->view()->setMinimumWidth(100);
    ZoomCB->setToolTip(res("prvZoom"));
    ZoomCB->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
        QStringLiteral("100%"), QStringLiteral("150%"), QStringLiteral("200%"), res("prvPageWidth"),
        res("prvWholePage")});
    zoomLayout->addWidget(ZoomCB);
    ZoomBox = ToolBar->addWidget(zoomPanel);
    ZoomMinusB = button("prvZoomOut", "prvZoomOut", piZoomOut);
    FullScreenBtn = ToolBar->addAction(rpPreviewIcon(piFullScreen), QString());
    FullScreenBtn->setToolTip(res("prvFullScreen"));

    ToolsSeparator = ToolBar->addSeparator();
    OutlineB = button("prvOutline", "prvOutlineHint", piOutline);
    OutlineB->setCheckable(true);
    ThumbB = button("prvThumbnails", "prvThumbnails", piThumbnails);
    ThumbB->setCheckable(true);
    PageSettingsB = button("prvPageSettings", "prvPageSettings", piPageSettings);
    DesignerB = button("prvEdit", "prvEditHint", piEdit);
    DesignerMenu = new QMenu(this);
    DesignerMenu->addAction(res("prvShowTemplate"));
    if (QWidget* designerButton = ToolBar->widgetForAction(DesignerB)) {
        designerButton->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(designerButton, &QWidget::customContextMenuRequested, this,
            [this, designerButton](
                const QPoint& pos) { DesignerMenu->popup(designerButton->mapToGlobal(pos)); });
    }

    NavigatorSeparator = ToolBar->addSeparator();
    FirstB = button("prvFirst", "prvFirstHint", piFirst);
    PriorB = button("prvPrior", "prvPriorHint", piPrior);
    PagePanel = new QWidget(ToolBar);
    PagePanel->setFixedWidth(73);
    PagePanel->setToolTip(res("prvPageNumber"));
    auto* pageLayout = new QHBoxLayout(PagePanel);
    pageLayout->setContentsMargins(2, 0, 2, 0);
    pageLayout->setSpacing(4);
    PageE = new QLineEdit(PagePanel);
    PageE->setFrame(false);
    PageE->setFixedWidth(37);
    PageE->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), PageE));
    OfNL = new QLabel(PagePanel);
    pageLayout->addWidget(PageE);
    pageLayout->addWidget(OfNL);
    pageLayout->addStretch();
    PageBox = ToolBar->addWidget(PagePanel);
    NextB = button("prvNext", "prvNextHint", piNext);
    LastB = button("prvLast", "prvLastHint", piLast);

    auto* spacer = new QWidget(ToolBar);
    spacer->setFixedWidth(35);
    CloseSpacer = ToolBar->addWidget(spacer);
    CancelB = new QToolButton(ToolBar);
    CancelB->setAutoRaise(true);
    CancelB->setToolButtonStyle(Qt::ToolButtonTextOnly);
    CancelB->setText(res("prvClose"));
    CancelB->setFixedSize(68, kButtonSize);
    CloseBox = ToolBar->addWidget(CancelB);

    for (QAction* action : ToolBar->actions()) {
        auto* tool = qobject_cast<QToolButton*>(ToolBar->widgetForAction(action));
        if (tool && tool != CancelB) {
            tool->setAutoRaise(true);
            tool->setMinimumSize(kButtonSize, kButtonSize);
            tool->setMaximumHeight(kButtonSize);
        }
    }
}

void TrpPreviewForm::connectToolBar()
{
    using platform::guarded;
    TrpPreview* preview = Preview;
    connect(PrintB, &QAction::triggered, this, guarded([preview] { preview->Print(); }));
    connect(OpenB, &QAction::triggered, this, guarded([preview] { preview->LoadFromFile(); }));
    connect(SaveB, &QAction::triggered, this, guarded([preview] { preview->SaveToFile(); }));
    connect(FindB, &QAction::triggered, this, guarded([preview] { preview->Find(); }));
    connect(ZoomPlusB, &QAction::triggered, this,
        guarded([preview] { preview->SetZoom(preview->Zoom() + 0.25); }));
    connect(ZoomMinusB, &QAction::triggered, this,
        guarded([preview] { preview->SetZoom(preview->Zoom() - 0.25); }));
    connect(FullScreenBtn, &QAction::triggered, this, guarded([this] { SwitchToFullScreen(); }));
    connect(OutlineB, &QAction::toggled, this, [this](bool on) {
        Preview->SetOutlineVisible(on);
        if (on)
            ThumbB->setChecked(false);
    });
    connect(ThumbB, &QAction::toggled, this, [this](bool on) {
        Preview->SetThumbnailVisible(on);
        if (on)
            OutlineB->setChecked(false);
    });
    connect(
        PageSettingsB, &QAction::triggered, this, guarded([preview] { preview->PageSetupDlg(); }));
    // There is no page editor: Edit and "Show template" leave everything as it is.
    connect(FirstB, &QAction::triggered, this, guarded([preview] { preview->First(); }));
    connect(PriorB, &QAction::triggered, this, guarded([preview] { preview->Prior(); }));
    connect(NextB, &QAction::triggered, this, guarded([preview] { preview->Next(); }));
    connect(LastB, &QAction::triggered, this, guarded([preview] { preview->Last(); }));
    connect(CancelB, &QToolButton::clicked, this, guarded([this] { CancelBClick(); }));
    // Enter is taken before the box itself, which would put back its current item.
    ZoomCB->installEventFilter(this);
    // The box also reports the item matching its text when it loses the focus, which after
    // a typed zoom is the rounded percentage it shows: the value shown is kept as it is.
    connect(ZoomCB, &QComboBox::activated, this, [this](int index) {
        const QString chosen = ZoomCB->itemText(index);
        if (chosen != ZoomText())
            platform::runGuarded([this, chosen] { ZoomBoxApply(chosen); });
    });
    connect(PageE, &QLineEdit::returnPressed, this, guarded([this] { PageBoxApply(); }));
}

void TrpPreviewForm::buildStatusBar()
{
    StatusBar = new QStatusBar(this);
    StatusBar->setSizeGripEnabled(false);
    const QScreen* screen = this->screen();
    StatusBar->setFixedHeight(screen && screen->logicalDotsPerInch() > 96 ? 24 : 19);
    for (QLabel*& panel : StatusPanels)
        panel = new QLabel(StatusBar);
    StatusPanels[0]->setFixedWidth(200);
    StatusBar->addWidget(StatusPanels[0]);
    StatusBar->addWidget(StatusPanels[1], 1);
    StatusBar->addWidget(StatusPanels[2], 1);
}

void TrpPreviewForm::applyButtons(int buttons)
{
    PrintB->setVisible(has(buttons, pbPrint));
    OpenB->setVisible(has(buttons, pbLoad));
    SaveB->setVisible(has(buttons, pbSave) || has(buttons, pbExport));
    // No export filter is registered, so the quick export buttons never show.
    PdfB->setVisible(false);
    EmailB->setVisible(false);
    FindB->setVisible(has(buttons, pbFind));
    const bool zoom = has(buttons, pbZoom);
    for (QAction* action : {ZoomSeparator, ZoomPlusB, ZoomBox, ZoomMinusB})
        action->setVisible(zoom);
    FullScreenBtn->setVisible(zoom && !has(buttons, pbNoFullScreen));
    OutlineB->setVisible(has(buttons, pbOutline));
    ThumbB->setVisible(has(buttons, pbOutline));
    PageSettingsB->setVisible(has(buttons, pbPageSetup));
    DesignerB->setVisible(has(buttons, pbEdit));
    ToolsSeparator->setVisible(PageSettingsB->isVisible() || DesignerB->isVisible());
    const bool navigator = has(buttons, pbNavigator);
    for (QAction* action : {NavigatorSeparator, FirstB, PriorB, PageBox, NextB, LastB})
        action->setVisible(navigator);
    CloseBox->setVisible(!has(buttons, pbNoClose));
}

void TrpPreviewForm::buildSaveMenu(int buttons)
{
    if (has(buttons, pbSave)) {
        QAction* save = SaveMenu->addAction(res("prvPreparedReport") + QStringLiteral("..."));
        TrpPreview* preview = Preview;
        connect(save, &QAction::triggered, this,
            platform::guarded([preview] { preview->SaveToFile(); }));
    }
    if (has(buttons, pbExport))
        SaveMenu->addSeparator();
}

void TrpPreviewForm::buildContextMenu()
{
    ContextMenu = new QMenu(this);
    // The outline's commands come first; they stay hidden, as no report here has groups
    // to collapse.
    for (QAction* action : Preview->OutlinePopup()->actions())
        ContextMenu->addAction(action);
    OutlineSeparator = ContextMenu->addSeparator();
    int separators = 0;
    for (QAction* action : ToolBar->actions()) {
        if (action->isSeparator()) {
            if (++separators == 2)
                break;
            ContextMenu->addSeparator();
            continue;
        }
        // Buttons only: the zoom and page boxes are no commands.
        if (!action->isVisible() || action->isCheckable() || action->toolTip().isEmpty()
            || !qobject_cast<QToolButton*>(ToolBar->widgetForAction(action)))
            continue;
        QAction* item = ContextMenu->addAction(action->icon(), action->toolTip());
        connect(item, &QAction::triggered, action, &QAction::trigger);
        if (QMenu* menu = action->menu()) {
            auto* sub = new QMenu(ContextMenu);
            for (QAction* subAction : menu->actions()) {
                if (subAction->isSeparator()) {
                    sub->addSeparator();
                    continue;
                }
                QAction* copy = sub->addAction(subAction->icon(), subAction->text());
                connect(copy, &QAction::triggered, subAction, &QAction::trigger);
            }
            item->setMenu(sub);
        }
        FMenuItems.append(std::make_pair(action, item));
    }
}
