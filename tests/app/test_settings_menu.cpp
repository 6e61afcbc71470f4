#include "app/Startup.h"
#include "app/fmMemo.h"
#include "app/main_unit.h"
#include "platform/core/CodePage1251.h"
#include "support/EmptyFolder.h"
#include "support/MessageRecorder.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString u(const char* text) { return QString::fromUtf8(text); }

// Runs the program's windows with the current directory in a fresh temporary folder.
class SettingsMenu : public ::testing::Test {
protected:
    void SetUp() override { windows = createProgramWindows(); }

    void writeSettings(const QByteArray& bytes)
    {
        QFile file(folder.filePath(QStringLiteral("default.zrf")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TfmMain& main() { return *windows->fmMain; }
    TformMemo& viewer() { return *windows->formMemo; }

    const EmptyCurrentFolder folder;
    MessageRecorder recorder;
    std::unique_ptr<ProgramWindows> windows;
};

TEST_F(SettingsMenu, ViewerWindowLayout)
{
    main().N3->trigger();
    EXPECT_EQ(viewer().windowTitle(), QStringLiteral("formMemo"));
    EXPECT_EQ(viewer().size(), QSize(358, 271));
    EXPECT_TRUE(viewer().Memo1->isReadOnly());
    EXPECT_EQ(viewer().Memo1->geometry(), QRect(8, 8, 345, 185));
    EXPECT_EQ(viewer().Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(viewer().Memo1->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    EXPECT_EQ(viewer().Button1->text(), u("Выход"));
    EXPECT_EQ(viewer().Button1->geometry(), QRect(8, 211, 345, 54));
}

TEST_F(SettingsMenu, ViewerWithoutFileSaysItIsEmpty)
{
    main().N3->trigger();
    EXPECT_TRUE(viewer().isVisible());
    EXPECT_EQ(viewer().Memo1->toPlainText(), u("Файл настроек пуст..."));
    EXPECT_TRUE(recorder.messages.isEmpty());
}

struct ViewedFile {
    const char* name;
    QByteArray bytes;
    const char* shown;
};

class ViewerShowsRawText : public SettingsMenu,
                           public ::testing::WithParamInterface<ViewedFile> { };

TEST_P(ViewerShowsRawText, InTheFilesEncoding)
{
    writeSettings(GetParam().bytes);
    main().N3->trigger();
    EXPECT_EQ(viewer().Memo1->toPlainText(), u(GetParam().shown));
}

const char* const kSettingsText = "[Часы]\n_1=42,00\n_11=42";

INSTANTIATE_TEST_SUITE_P(Files, ViewerShowsRawText,
    ::testing::Values(
        ViewedFile {"Windows1251",
            platform::encodeWindows1251(u("[Часы]\r\n_1=42,00\r\n_11=42\r\n")), kSettingsText},
        ViewedFile {"Utf16LE",
            QByteArray("\xFF\xFE", 2)
                + QByteArray(
                    reinterpret_cast<const char*>(u("[Часы]\r\n_1=42,00\r\n_11=42").utf16()),
                    2 * u("[Часы]\r\n_1=42,00\r\n_11=42").size()),
            kSettingsText},
        ViewedFile {"Utf8WithMark",
            QByteArray("\xEF\xBB\xBF") + u("[Часы]\n_1=42,00\n_11=42").toUtf8(), kSettingsText},
        // As a Linux editor writes it, read as the load reads it.
        ViewedFile {"Utf8WithoutMark", u("[Часы]\n_1=42,00\n_11=42").toUtf8(), kSettingsText},
        ViewedFile {"EmptyFile", QByteArray(), ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsMenu, ViewerReloadsOnlyWhenItBecomesVisible)
{
    writeSettings("[A]\r\nx=1\r\n");
    main().N3->trigger();
    writeSettings("[A]\r\nx=2\r\n");
    main().N3->trigger();
    EXPECT_EQ(viewer().Memo1->toPlainText(), QStringLiteral("[A]\nx=1"));

    QTest::mouseClick(viewer().Button1, Qt::LeftButton);
    EXPECT_FALSE(viewer().isVisible());
    main().N3->trigger();
    EXPECT_EQ(viewer().Memo1->toPlainText(), QStringLiteral("[A]\nx=2"));
}

TEST_F(SettingsMenu, UnreadableFileIsReportedInTheErrorBox)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("default.zrf")));
    main().N3->trigger();
    ASSERT_EQ(recorder.messages.size(), 1);
    const QString path = QDir::current().filePath(QStringLiteral("default.zrf"));
    EXPECT_TRUE(
        recorder.messages[0].text.startsWith(QStringLiteral("Cannot open file \"%1\". ").arg(path)))
        << recorder.messages[0].text.toStdString();
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
}

TEST_F(SettingsMenu, ResetDeletesTheFile)
{
    writeSettings("[A]\r\n");
    main().N2->trigger();
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("default.zrf"))));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].text, u("Файл настроек удален..."));
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("vorsela"));
}

TEST_F(SettingsMenu, ResetReportsTheSystemErrorCode)
{
    main().N2->trigger();
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("default.zrf")));
    main().N2->trigger();
    EXPECT_EQ(recorder.texts(),
        (QStringList {u("Не могу удалить файл настроек!!! ошибка = 2"),
            u("Не могу удалить файл настроек!!! ошибка = 5")}));
}

TEST_F(SettingsMenu, PathFollowsTheCurrentDirectory)
{
    QTemporaryDir other;
    QFile file(other.filePath(QStringLiteral("default.zrf")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[B]\r\n");
    file.close();
    ASSERT_TRUE(QDir::setCurrent(other.path()));
    main().N3->trigger();
    EXPECT_EQ(viewer().Memo1->toPlainText(), QStringLiteral("[B]"));
}

} // namespace
