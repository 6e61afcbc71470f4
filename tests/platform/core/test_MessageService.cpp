#include "platform/core/MessageService.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

namespace {

struct FullStopCase {
    const char* name;
    QString message;
    QString shown;
};

class ErrorBoxText : public ::testing::TestWithParam<FullStopCase> { };

TEST_P(ErrorBoxText, AppendsFullStopOnlyAfterHigherCharacter)
{
    EXPECT_EQ(platform::errorBoxText(GetParam().message), GetParam().shown);
}

// The rule compares character codes: anything above '.' (0x2E) gets a full stop; the
// full stop itself and everything below it do not.
INSTANTIATE_TEST_SUITE_P(Cases, ErrorBoxText,
    ::testing::Values(
        FullStopCase {"LatinLetter", QStringLiteral("'abc' is not a valid floating point value"),
            QStringLiteral("'abc' is not a valid floating point value.")},
        FullStopCase {"EndsInFullStop", QStringLiteral("Done."), QStringLiteral("Done.")},
        FullStopCase {"Digit", QStringLiteral("error = 5"), QStringLiteral("error = 5.")},
        FullStopCase {"Slash", QStringLiteral("a/"), QStringLiteral("a/.")},
        FullStopCase {"Exclamation", QStringLiteral("Stop!"), QStringLiteral("Stop!")},
        FullStopCase {"ClosingQuoteAbove", QStringLiteral("'x'"), QStringLiteral("'x'")},
        FullStopCase {"Hyphen", QStringLiteral("a-"), QStringLiteral("a-")},
        FullStopCase {"Comma", QStringLiteral("a,"), QStringLiteral("a,")},
        FullStopCase {"TrailingBlank", QStringLiteral("a "), QStringLiteral("a ")},
        FullStopCase {"Cyrillic", QString::fromUtf8("Ошибка"), QString::fromUtf8("Ошибка.")},
        FullStopCase {"Ellipsis", QString::fromUtf8("Файл настроек пуст..."),
            QString::fromUtf8("Файл настроек пуст...")},
        FullStopCase {"Empty", QString(), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MessageService, ShowMessageIsCaptionedWithProgramTitleWithoutIcon)
{
    MessageRecorder recorder;
    platform::ShowMessage(QString::fromUtf8("Ошибок заполнения не найдено..."));
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("vorsela"));
    EXPECT_EQ(recorder.messages[0].text, QString::fromUtf8("Ошибок заполнения не найдено..."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::None);
}

TEST(MessageService, ErrorBoxAndEngineErrorBox)
{
    MessageRecorder recorder;
    platform::showErrorBox(QStringLiteral("Unable to write to default.zrf"));
    platform::showEngineError(QStringLiteral("The following error(s) have occured:"));
    ASSERT_EQ(recorder.messages.size(), 2);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("vorsela"));
    EXPECT_EQ(recorder.messages[0].text, QStringLiteral("Unable to write to default.zrf."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(recorder.messages[1].caption, QStringLiteral("Error"));
    EXPECT_EQ(recorder.messages[1].icon, platform::MessageIcon::Error);
}

TEST(MessageService, RecorderRestoresPreviousPresenter)
{
    MessageRecorder outer;
    {
        MessageRecorder inner;
        platform::ShowMessage(QStringLiteral("inner"));
        EXPECT_EQ(inner.texts(), QStringList {QStringLiteral("inner")});
    }
    platform::ShowMessage(QStringLiteral("outer"));
    EXPECT_EQ(outer.texts(), QStringList {QStringLiteral("outer")});
}

} // namespace
