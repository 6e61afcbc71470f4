// One print queue that lists A4 and A5, and a per-user settings folder of the tests' own, so
// that neither the machine's printers nor the user's settings reach the tests.

#include "CupsScheduler.h"

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PrintUiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(FSettings.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettings.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, FSettings.path());
        FScheduler = startSchedulerOrExit(
            QList<TestQueue> {{QStringLiteral("A5Laser"), TestPpd().text(), true}});
    }
    void TearDown() override { FScheduler.reset(); }

private:
    QTemporaryDir FSettings;
    std::unique_ptr<CupsScheduler> FScheduler;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new PrintUiEnvironment);

} // namespace
