#include "app/main_unit.h"

#include "app/About.h"
#include "app/AppIcon.h"
#include "app/CommandButton.h"
#include "app/HelpFile.h"
#include "app/calibration/CalibrationController.h"
#include "app/fmHelpText.h"
#include "app/fmMemo.h"
#include "app/group/GroupController.h"
#include "app/logic/RegisterSettings.h"
#include "app/logic/SettingsFile.h"
#include "app/register/RegisterController.h"
#include "platform/core/EventBoundary.h"
#include "platform/core/FileSystem.h"
#include "platform/core/FontSetup.h"
#include "platform/core/IniFile.h"
#include "platform/core/MessageService.h"
#include "platform/core/Shell.h"
#include "platform/widgets/Controls.h"
#include "report/engine/rpPreviewPages.h"
#include "report/engine/rpReport.h"
#include "report/model/rpPages.h"
#include "report/preview/rpPreviewViewer.h"
#include "report/print/rpPrintCommand.h"
#include "report/printui/rpPageSettingsForm.h"
#include "report/printui/rpPrintDialog.h"
#include "templates/Templates.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>

namespace {

const int kClientWidth = 771;
const int kClientHeight = 859;

} // namespace

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QString::fromUtf8(
        "Модуль запонения бланков свидетельств о профессии водителя (Компания \"Ворсела\")"));
    setWindowIcon(appIcon());
    setFont(platform::windowFont());
    setBackgroundRole(QPalette::Button);

    buildFrame();
    buildMenu();
    buildInputControls();
    buildCommandButtons();
    setTabSequence();
    connectHandlers();
    connectInputHandlers();

    rpReport1 = std::make_unique<TrpReport>();
    rpReport2 = std::make_unique<TrpReport>();
    fRegister = std::make_unique<RegisterController>(*this, this);
    fGroup = std::make_unique<GroupController>(*this, *rpReport1, *fRegister, this);
    fCalibration = std::make_unique<CalibrationController>(
        *rpReport1, *rpReport2, [this] { saveMargins(); });

    rpReport1->SetViewerFactory(rpPreviewWindows());
    // F1 in the previews and the print dialog opens the operator's guide at printing.
    rpReport1->SetHelpCommand(showPrintingHelp);
    rpReport1->SetPageSetupCommand(rpRunPageSettings);
    rpReport1->SetPrintCommand([this](TrpReport& report) {
        return rpPrintPreparedPages(report, rpRunPrintDialog,
            [this, &report](const TrpAcceptedJob& job) { fRegister->recordPrinted(report, job); });
    });
    loadCertificateTemplate(*rpReport1);
    // The test page is read from its template when it is first shown.
    rpReport2->SetViewerFactory(
        rpPreviewWindows([this](TrpPreviewForm& form) { fCalibration->addCommand(form); }));
    rpReport2->SetHelpCommand(showPrintingHelp);
    rpReport2->SetPageSetupCommand(rpRunPageSettings);
    // The margins a test page was printed with are what a measurement of it refers to.
    rpReport2->SetPrintCommand([this](TrpReport& report) {
        const bool printed = rpPrintPreparedPages(report, rpRunPrintDialog);
        if (const TrpReportPage* page = report.PreviewPages().GetPage(0); printed && page)
            fCalibration->recordTestPrint(*page);
        return printed;
    });

    resize(kClientWidth, kClientHeight + MainMenu1->sizeHint().height());
    platform::runGuarded([this] { FormCreate(); });
    // The window opens with the first field of the sequence focused and its text, as the
    // settings left it, selected.
    Edit_01->setFocus(Qt::OtherFocusReason);
    Edit_01->selectAll();
}

TfmMain::~TfmMain() = default;

void TfmMain::attachWindows(TfmAbout* about, TformMemo* memo)
{
    fAbout = about;
    fMemo = memo;
}

void TfmMain::buildFrame()
{
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setFrameShape(QFrame::StyledPanel);
    ScrollBox1->setFrameShadow(QFrame::Sunken);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setBackgroundRole(QPalette::Button);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);

    // The scroll box scrolls over its children's extent, so the content starts at the
    // origin and Panel13 keeps its own offset inside it.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("ScrollBox1Content"));
    Panel13 = new QFrame(content);
    Panel13->setObjectName(QStringLiteral("Panel13"));
    Panel13->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel13->setLineWidth(1);
    Panel13->setGeometry(1, 3, 745, 851);
    content->resize(Panel13->geometry().right() + 1, Panel13->geometry().bottom() + 1);
    ScrollBox1->setWidget(content);
    setCentralWidget(ScrollBox1);
}

void TfmMain::buildMenu()
{
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    const auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };

    menuFile = MainMenu1->addMenu(QString::fromUtf8("Файл"));
    menuFile->setObjectName(QStringLiteral("menuFile"));
    N1 = item(menuFile, "N1", "Сохранить настройки");
    N3 = item(menuFile, "N3", "Просмотр настроек");
    N2 = item(menuFile, "N2", "Сбросить настройки");
    subRegister = item(menuFile, "subRegister", "Журнал…");
    subGroup = item(menuFile, "subGroup", "Печать группы…");
    subExit = item(menuFile, "subExit", "Выход");

    menuHelp = MainMenu1->addMenu(QString::fromUtf8("Помощь"));
    menuHelp->setObjectName(QStringLiteral("menuHelp"));
    subAbout = item(menuHelp, "subAbout", "О программе");
    subHelp = item(menuHelp, "subHelp", "Помощь");
}

void TfmMain::buildCommandButtons()
{
    const auto button = [this](const char* name, const char* caption, int left, int width) {
        QPushButton* b = commandButton(Panel13, name, QString::fromUtf8(caption));
        b->setGeometry(left, 808, width, 33);
        return b;
    };
    btnCearAll = button("btnCearAll", "Очистить все поля", 11, 238);
    btnCearAll->setFont(platform::pixelFont(QStringLiteral("Tahoma"), 11, true));
    Button1 = button("Button1", "Настройка печати", 304, 116);
    proverka = button("proverka", "Проверка", 426, 97);
    btnPreview = button("btnPreview", "Печать", 529, 97);
    Button2 = button("Button2", "Выход", 632, 104);
}

void TfmMain::connectHandlers()
{
    using platform::guarded;
    connect(N1, &QAction::triggered, this, guarded([this] { N1Click(); }));
    connect(N3, &QAction::triggered, this, guarded([this] { N3Click(); }));
    connect(N2, &QAction::triggered, this, guarded([this] { N2Click(); }));
    connect(subRegister, &QAction::triggered, this, guarded([this] { fRegister->openRegister(); }));
    connect(subGroup, &QAction::triggered, this, guarded([this] { fGroup->openGroup(); }));
    connect(subExit, &QAction::triggered, this, guarded([this] { subExitClick(); }));
    connect(subAbout, &QAction::triggered, this, guarded([this] { subAboutClick(); }));
    connect(subHelp, &QAction::triggered, this, guarded([this] { subHelpClick(); }));
    connect(btnCearAll, &QPushButton::clicked, this, guarded([this] { btnCearAllClick(); }));
    connect(Button1, &QPushButton::clicked, this, guarded([this] { Button1Click(); }));
    connect(proverka, &QPushButton::clicked, this, guarded([this] { proverkaClick(); }));
    connect(btnPreview, &QPushButton::clicked, this, guarded([this] { btnPreviewClick(); }));
    connect(Button2, &QPushButton::clicked, this, guarded([this] { Button2Click(); }));
}

void TfmMain::centreOnDesktop()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TfmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (event->spontaneous())
        return;
    if (!fShownOnce) {
        fShownOnce = true;
        centreOnDesktop();
    }
    platform::runGuarded([this] { FormShow(); });
}

void TfmMain::closeEvent(QCloseEvent* event)
{
    platform::runGuarded([this] { FormClose(); });
    event->accept();
    // The main window represents the program: closing it ends the run, whatever other
    // window is open.
    QCoreApplication::quit();
}

void TfmMain::FormCreate()
{
    showPlainCategoryLabels();
    loadSettings();
}

void TfmMain::FormShow()
{
    const QDate today = QDate::currentDate();
    DateTime_678->setDate(today);
    DateTime_91011->setDate(today);
    DateTime_242526->setDate(today);
}

void TfmMain::FormClose() { }

void TfmMain::Button2Click() { close(); }

void TfmMain::subExitClick() { close(); }

void TfmMain::N3Click()
{
    if (fMemo) {
        fMemo->show();
        fMemo->raise();
        fMemo->activateWindow();
    }
}

void TfmMain::N2Click()
{
    // The register's location is not a setting of this desk's form: a desk on the school's
    // shared register stays on it.
    const QList<platform::ProfileEntry> location = registerLocationEntries();
    const int error = platform::deleteFileWithErrorCode(settingsFilePath());
    if (error != 0) {
        platform::ShowMessage(QString::fromUtf8("Не могу удалить файл настроек!!! ошибка = ")
            + QString::number(error));
        return;
    }
    if (location.isEmpty()) {
        platform::ShowMessage(QString::fromUtf8("Файл настроек удален..."));
        return;
    }
    platform::TIniFile(settingsFilePath()).WriteStrings(location);
    platform::ShowMessage(QString::fromUtf8("Файл настроек удален...\nРасположение журнала "
                                            "выданных свидетельств (%1) сохранено.")
                              .arg(registerLocation().describe()));
}

void TfmMain::subAboutClick()
{
    if (fAbout) {
        fAbout->show();
        fAbout->raise();
        fAbout->activateWindow();
    }
}

void TfmMain::subHelpClick()
{
    const QString file = helpFileToOpen();
    if (!file.isEmpty() && platform::startTextEditor(file))
        return;
    if (!fHelpText)
        fHelpText = new TfmHelpText(this);
    fHelpText->showText(file.isEmpty() ? shippedGuideText()
                                       : platform::readTextFileLines(file).join(QLatin1Char('\n')));
}

void TfmMain::Button1Click()
{
    if (!fTestPageLoaded) {
        loadTestPageTemplate(*rpReport2);
        fTestPageLoaded = true;
    }
    rpReport2->ShowReport(true);
}

void TfmMain::btnPreviewClick()
{
    preprint();
    fRegister->setPreparedForms({formRecord()});
    rpReport1->ShowReport(true);
}
