#pragma once

#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// A per-user settings folder of the tests' own for a whole test program, so that what the
// user running the tests keeps there (the report engine's display unit) never reaches them.
// A program registers it once with
// ::testing::AddGlobalTestEnvironment(new UserSettingsFolder).
class UserSettingsFolder : public ::testing::Environment {
public:
    void SetUp() override
    {
        ASSERT_TRUE(FFolder.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FFolder.path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, FFolder.path());
    }

private:
    QTemporaryDir FFolder;
};
