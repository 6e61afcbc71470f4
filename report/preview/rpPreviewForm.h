#pragma once

#include <QDialog>

#include <utility>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QStatusBar;
class QToolBar;
class QToolButton;
class QWidget;
class TrpPreview;
class TrpReport;

// The preview window: toolbar, the preview control and the status bar. It lives for one
// showing of a report.
class TrpPreviewForm : public QDialog {
    Q_OBJECT

public:
    explicit TrpPreviewForm(QWidget* parent = nullptr);
    ~TrpPreviewForm() override;

    // Binds the preview to the report and applies its preview options.
    void Init(TrpReport& report);

    // Enabled states of the commands: none while the report is prepared, and the page
    // commands only when there are pages.
    void UpdateControls();
    // The Close button: cancels a running preparation, otherwise closes the window.
    void CancelBClick();
    // Typed or chosen text of the zoom box; an empty number changes nothing.
    void ZoomBoxApply(const QString& text);
    // The zoom as the box shows it: a whole percentage.
    QString ZoomText() const;
    // The number typed in the page box.
    void PageBoxApply();
    // Hides the bars and fills the screen without a border; the second call restores the
    // bars and the window state from before.
    void SwitchToFullScreen();
    bool FullScreen() const { return FFullScreen; }
    // F1: the engine's help file beside the program; a missing file is reported by name.
    void OpenHelp();
    // A command of the report's owner: a text button before Close and an item at the end
    // of the context menu, enabled like the page commands. The caller connects it.
    QAction* AddCommand(const QString& caption);

    TrpPreview* Preview = nullptr;
    QToolBar* ToolBar = nullptr;
    QAction* PrintB = nullptr;
    QAction* OpenB = nullptr;
    QAction* SaveB = nullptr;
    QAction* PdfB = nullptr;
    QAction* EmailB = nullptr;
    QAction* FindB = nullptr;
    QAction* ZoomSeparator = nullptr;
    QAction* ZoomPlusB = nullptr;
    QAction* ZoomBox = nullptr;
    QAction* ZoomMinusB = nullptr;
    QAction* FullScreenBtn = nullptr;
    QAction* ToolsSeparator = nullptr;
    QAction* OutlineB = nullptr;
    QAction* ThumbB = nullptr;
    QAction* PageSettingsB = nullptr;
    QAction* DesignerB = nullptr;
    QAction* NavigatorSeparator = nullptr;
    QAction* FirstB = nullptr;
    QAction* PriorB = nullptr;
    QAction* PageBox = nullptr;
    QAction* NextB = nullptr;
    QAction* LastB = nullptr;
    QAction* CloseSpacer = nullptr;
    QAction* CloseBox = nullptr;
    QComboBox* ZoomCB = nullptr;
    QLineEdit* PageE = nullptr;
    QLabel* OfNL = nullptr;
    QWidget* PagePanel = nullptr;
    QToolButton* CancelB = nullptr;
    QStatusBar* StatusBar = nullptr;
    QLabel* StatusPanels[3] = {};
    QMenu* SaveMenu = nullptr;
    QMenu* DesignerMenu = nullptr;
    QMenu* ContextMenu = nullptr;
    QAction* OutlineSeparator = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

public Q_SLOTS:
    void reject() override;

private:
    void buildToolBar();
    void connectToolBar();
    void buildStatusBar();
    void applyButtons(int buttons);
    void buildSaveMenu(int buttons);
    void buildContextMenu();
    void onPageChanged();
    void onZoomChanged();

    bool FFullScreen = false;
    Qt::WindowStates FSavedState;
    // Toolbar actions and their context-menu items, which follow their enabled state.
    QList<std::pair<QAction*, QAction*>> FMenuItems;
    QList<QAction*> FOwnerCommands;
};
