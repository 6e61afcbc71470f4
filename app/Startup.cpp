#include "app/Startup.h"

#include "app/About.h"
#include "app/QtTranslations.h"
#include "app/fmMemo.h"
#include "app/main_unit.h"
#include "platform/core/FontSetup.h"
#include "platform/core/HeapSetup.h"
#include "platform/widgets/FirstPaintMarker.h"
#include "platform/widgets/MessageBoxes.h"
#include "report/model/rpRes.h"

#include <QApplication>
#include <QLocale>

ProgramWindows::ProgramWindows() = default;
ProgramWindows::~ProgramWindows() = default;

std::unique_ptr<ProgramWindows> createProgramWindows()
{
    auto windows = std::make_unique<ProgramWindows>();
    windows->fmMain = std::make_unique<TfmMain>();
    platform::quitAfterFirstPaintWhenAsked(windows->fmMain.get());
    windows->fmMain->show();
    windows->fmAbout = std::make_unique<TfmAbout>();
    windows->formMemo = std::make_unique<TformMemo>();
    windows->fmMain->attachWindows(windows->fmAbout.get(), windows->formMemo.get());
    // A print the spooler refuses is told in the operator's words; the engine's own dialogs
    // keep theirs.
    TrpResources::SetText(
        QStringLiteral("prtJobRefused"), QString::fromUtf8("Принтер не принял документ: %s"));
    TrpResources::SetText(QStringLiteral("prtQueueGone"),
        QString::fromUtf8("принтера «%s» или его очереди в системе больше нет"));
    return windows;
}

int runProgram(int argc, char** argv)
{
    platform::setUpProgramHeap();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vorsela"));
    // Only the main window ends the program; it quits explicitly when it closes.
    QApplication::setQuitOnLastWindowClosed(false);
    // The main menu stays inside the main window on every desktop; asking the desktop for a
    // global menu bar would also open a session-bus connection before the first paint.
    QApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    installQtTranslations(QLocale::system());
    platform::setUpProgramFonts();
    platform::useMessageBoxes();

    const std::unique_ptr<ProgramWindows> windows = createProgramWindows();
    return QApplication::exec();
}
