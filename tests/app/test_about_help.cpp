#include "app/About.h"
#include "app/HelpFile.h"
#include "app/Startup.h"
#include "app/fmHelpText.h"
#include "app/main_unit.h"
#include "platform/core/TextEncoding.h"
#include "support/EmptyFolder.h"
#include "support/MessageRecorder.h"

#include <QAction>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLockFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl& url) { opened.append(url); }
};

class AboutWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        windows = createProgramWindows();
        windows->fmMain->subAbout->trigger();
    }
    TfmAbout& about() { return *windows->fmAbout; }

    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(AboutWindow, Layout)
{
    EXPECT_EQ(about().windowTitle(), QStringLiteral("About"));
    EXPECT_EQ(about().size(), QSize(360, 220));
    EXPECT_EQ(about().minimumSize(), about().maximumSize());
    EXPECT_FALSE(about().windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(about().windowFlags() & Qt::WindowMaximizeButtonHint);
    struct Row {
        QWidget* widget;
        QRect bounds;
        const char* text;
        bool bold;
    };
    const Row rows[] = {
        {about().Panel1, QRect(8, 8, 345, 169), nullptr, false},
        {about().ProgramIcon, QRect(8, 8, 74, 66), nullptr, false},
        {about().ProductName, QRect(88, 8, 176, 39),
            "Модуль заполнения бланков свидетельств о профессии водителя", true},
        {about().Version, QRect(88, 61, 55, 13), "Версия 1.1", false},
        {about().Copyright, QRect(8, 85, 118, 13), "Компания \"Ворсела\"", false},
        {about().Label1, QRect(8, 117, 85, 13), "Разработчик: ", true},
        {about().Comments, QRect(94, 117, 248, 26), nullptr, false},
        {about().Label2, QRect(94, 146, 91, 13), nullptr, true},
        {about().OKButton, QRect(275, 183, 75, 25), "OK", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.widget->objectName().toStdString());
        EXPECT_EQ(row.widget->geometry(), row.bounds);
        EXPECT_EQ(row.widget->font().bold(), row.bold);
        if (row.text) {
            const auto* l = qobject_cast<QLabel*>(row.widget);
            const auto* b = qobject_cast<QPushButton*>(row.widget);
            EXPECT_EQ(l ? l->text() : b->text(), u(row.text));
        }
    }
    EXPECT_TRUE(about().ProgramIcon->hasScaledContents());
    EXPECT_TRUE(about().OKButton->isDefault());
}

TEST_F(AboutWindow, LinkTurnsBlueUnderlinedOnHoverAndBlackWhenLeft)
{
    QTest::mouseMove(about().Label2, QPoint(10, 5));
    QTest::mouseMove(about().Label2, QPoint(12, 6));
    EXPECT_TRUE(about().Label2->font().underline());
    EXPECT_TRUE(about().Label2->font().bold());
    EXPECT_EQ(about().Label2->palette().color(QPalette::WindowText), QColor(0, 0, 255));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(about().Label2, &leave);
    EXPECT_FALSE(about().Label2->font().underline());
    EXPECT_TRUE(about().Label2->font().bold());
    EXPECT_EQ(about().Label2->palette().color(QPalette::WindowText), QColor(0, 0, 0));
}

TEST_F(AboutWindow, LinkOpensTheMakersAddress)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    QTest::mouseClick(about().Label2, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    EXPECT_EQ(catcher.opened, QList<QUrl> {QUrl(QString::fromLatin1(kMakerAddress))});
}

TEST_F(AboutWindow, OkEnterAndCloseBoxHideIt)
{
    QTest::mouseClick(about().OKButton, Qt::LeftButton);
    EXPECT_FALSE(about().isVisible());

    windows->fmMain->subAbout->trigger();
    QTest::keyClick(&about(), Qt::Key_Return);
    EXPECT_FALSE(about().isVisible());

    windows->fmMain->subAbout->trigger();
    about().close();
    EXPECT_FALSE(about().isVisible());
    EXPECT_TRUE(windows->fmMain->isVisible());
}

TEST_F(AboutWindow, MainWindowStaysUsable)
{
    EXPECT_TRUE(about().isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(windows->fmMain->isEnabled());
}

// The help command in a folder of its own, with a PATH that holds only a stand-in editor
// (when asked for) that records where and on what it was started.
class HelpCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The installed guide's place follows the test program's folder, which the test
        // programs running beside this one share: one help test at a time looks at it.
        ASSERT_TRUE(guideLock.lock());
        oldPath = qgetenv("PATH");
        oldDir = QDir::currentPath();
        qputenv("PATH", QDir::toNativeSeparators(bin.path()).toLocal8Bit());
        QDir::setCurrent(work.path());
    }
    void TearDown() override
    {
        qputenv("PATH", oldPath);
        qunsetenv("VORSELA_EDITOR_LOG");
        QDir::setCurrent(oldDir);
    }

    // The desktop's editor is gnome-text-editor here and Notepad on Windows.
    void installEditor()
    {
#ifdef Q_OS_WIN
        const QString name = QStringLiteral("notepad.exe");
#else
        const QString name = QStringLiteral("gnome-text-editor");
#endif
        ASSERT_TRUE(QFile::copy(QStringLiteral(VORSELA_EDITOR_STUB), bin.filePath(name)));
        qputenv("VORSELA_EDITOR_LOG", QDir::toNativeSeparators(log()).toLocal8Bit());
    }

    // The folder and the file the editor was started on.
    QStringList started()
    {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(log()) && timer.elapsed() < 10000)
            QTest::qWait(20);
        QFile file(log());
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    }

    QString log() const { return bin.filePath(QStringLiteral("started.txt")); }

    MessageRecorder recorder;
    QLockFile guideLock {
        QCoreApplication::applicationDirPath() + QStringLiteral("/installed-guide.lock")};
    QTemporaryDir bin;
    QTemporaryDir work;
    QByteArray oldPath;
    QString oldDir;
};

TEST_F(HelpCommand, OpensTheHelpFileOfTheCurrentFolderInTheTextEditor)
{
    installEditor();
    QFile own(work.filePath(u("Помощь.txt")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("school's own help");
    own.close();
    auto windows = createProgramWindows();
    recorder.messages.clear(); // only what the help command says counts here
    windows->fmMain->subHelp->trigger();
    const QStringList lines = started();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(QDir(lines[0]).canonicalPath(), QDir(work.path()).canonicalPath());
    EXPECT_EQ(lines[1], u("Помощь.txt"));
    EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.texts().join(u'|').toStdString();
}

// The installed program's guide opens where the package put it.
TEST_F(HelpCommand, WithoutAHelpFileTheEditorOpensTheInstalledGuideInPlace)
{
    installEditor();
    const QString guide = installedGuidePath();
    ASSERT_FALSE(QFile::exists(guide)) << guide.toStdString();
    ASSERT_TRUE(QDir().mkpath(QFileInfo(guide).absolutePath()));
    // A later test must not find it, however this one ends.
    const auto removeGuide = qScopeGuard([&guide] { QFile::remove(guide); });
    {
        QFile file(guide);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(shippedGuideText().toUtf8());
    }
    auto windows = createProgramWindows();
    recorder.messages.clear(); // only what the help command says counts here
    windows->fmMain->subHelp->trigger();
    const QStringList lines = started();
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], guide);
    EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.texts().join(u'|').toStdString();
}

// Neither a help file nor an installed guide: the program shows its own guide and writes
// nothing anywhere, least of all under a fixed name in the shared temporary folder.
TEST_F(HelpCommand, WithoutAnyGuideFileTheProgramShowsItsOwnAndWritesNothing)
{
    installEditor();
    ASSERT_FALSE(QFile::exists(installedGuidePath()));
    QTemporaryDir temp;
    const QByteArray oldTemp = qgetenv("TMPDIR");
    qputenv("TMPDIR", temp.path().toUtf8());
    auto windows = createProgramWindows();
    recorder.messages.clear(); // only what the help command says counts here
    windows->fmMain->subHelp->trigger();
    qputenv("TMPDIR", oldTemp);
    auto* window = windows->fmMain->findChild<TfmHelpText*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Memo->toPlainText(), shippedGuideText().trimmed());
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_EQ(QDir(work.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_FALSE(QFile::exists(log())) << "the editor was started on no file";
    EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.texts().join(u'|').toStdString();
}

TEST_F(HelpCommand, WithoutAnEditorTheTextIsShownInTheProgramsOwnWindow)
{
    auto windows = createProgramWindows();
    recorder.messages.clear(); // only what the help command says counts here
    windows->fmMain->subHelp->trigger();
    auto* window = windows->fmMain->findChild<TfmHelpText*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), u("Помощь"));
    EXPECT_TRUE(window->Memo->isReadOnly());
    EXPECT_EQ(window->Memo->toPlainText(), shippedGuideText().trimmed());
    EXPECT_TRUE(recorder.messages.isEmpty()) << recorder.texts().join(u'|').toStdString();
}

} // namespace

#include "test_about_help.moc"
