#pragma once

#include <QMainWindow>

#include <memory>

class QAction;
class QDateEdit;
class QFrame;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;

class TfmAbout;
class TrpReport;
class TformMemo;

// The program's one input window: the form that mirrors the certificate blank.
class TfmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // The two windows created after this one at start-up; the menu shows them.
    void attachWindows(TfmAbout* about, TformMemo* memo);

    // Frame
    QScrollArea* ScrollBox1 = nullptr;
    QFrame* Panel13 = nullptr;

    // Main menu
    QMenuBar* MainMenu1 = nullptr;
    QMenu* menuFile = nullptr;
    QAction* N1 = nullptr;
    QAction* N3 = nullptr;
    QAction* N2 = nullptr;
    QAction* subExit = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* subAbout = nullptr;
    QAction* subHelp = nullptr;

    // Command buttons
    QPushButton* btnCearAll = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* proverka = nullptr;
    QPushButton* btnPreview = nullptr;
    QPushButton* Button2 = nullptr;

    // Report templates: the certificate and the printer test page
    std::unique_ptr<TrpReport> rpReport1;
    std::unique_ptr<TrpReport> rpReport2;

    // Date pickers
    QDateEdit* DateTime_678 = nullptr;
    QDateEdit* DateTime_91011 = nullptr;
    QDateEdit* DateTime_242526 = nullptr;

    // Handlers
    void FormCreate();
    void FormShow();
    void FormClose();
    void Button2Click();
    void subExitClick();
    void N1Click();
    void N3Click();
    void N2Click();
    void subAboutClick();
    void subHelpClick();
    void btnCearAllClick();
    void Button1Click();
    void proverkaClick();
    void btnPreviewClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildMenu();
    void buildCommandButtons();
    void buildInputControls();
    void connectHandlers();
    void centreOnDesktop();

    TfmAbout* fAbout = nullptr;
    TformMemo* fMemo = nullptr;
    bool fShownOnce = false;
};
