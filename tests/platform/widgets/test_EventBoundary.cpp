#include "platform/core/EventBoundary.h"
#include "platform/core/Exception.h"
#include "support/MessageRecorder.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(EventBoundary, ExceptionFromHandlerReachesErrorBoxAndSkipsTheRest)
{
    MessageRecorder recorder;
    bool reachedAfterThrow = false;
    const bool ok = platform::runGuarded([&] {
        throw platform::EConvertError(QStringLiteral("'abc' is not a valid floating point value"));
        reachedAfterThrow = true;
    });
    EXPECT_FALSE(ok);
    EXPECT_FALSE(reachedAfterThrow);
    ASSERT_EQ(recorder.messages.size(), 1);
    EXPECT_EQ(recorder.messages[0].caption, QStringLiteral("vorsela"));
    EXPECT_EQ(
        recorder.messages[0].text, QStringLiteral("'abc' is not a valid floating point value."));
    EXPECT_EQ(recorder.messages[0].icon, platform::MessageIcon::Error);
}

TEST(EventBoundary, StandardExceptionsAreShownToo)
{
    MessageRecorder recorder;
    EXPECT_FALSE(platform::runGuarded([] { throw std::runtime_error("disk full"); }));
    EXPECT_EQ(recorder.texts(), QStringList {QStringLiteral("disk full.")});
}

TEST(EventBoundary, HandlerWithoutErrorShowsNothing)
{
    MessageRecorder recorder;
    int runs = 0;
    EXPECT_TRUE(platform::runGuarded([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(recorder.messages.isEmpty());
}

TEST(EventBoundary, ProgramGoesOnWithNextEventAfterAnError)
{
    MessageRecorder recorder;
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, &button, platform::guarded([&] {
        ++clicks;
        if (clicks == 1)
            throw platform::Exception(QString::fromUtf8("Первая ошибка"));
    }));
    button.show();
    QTest::mouseClick(&button, Qt::LeftButton);
    QTest::mouseClick(&button, Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(recorder.texts(), QStringList {QString::fromUtf8("Первая ошибка.")});
}

} // namespace
