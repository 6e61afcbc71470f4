#pragma once

#include "CupsScheduler.h"

#include <gtest/gtest.h>

// One A4/A5 laser queue, "A5Laser", the default printer of a whole test program: started
// before the first test (so every print call of the program reaches it) and stopped after
// the last. A program registers it once with
// ::testing::AddGlobalTestEnvironment(new A5LaserSpooler).
class A5LaserSpooler : public ::testing::Environment {
public:
    void SetUp() override
    {
        scheduler() = startSchedulerOrExit({{QStringLiteral("A5Laser"), TestPpd().text(), true}});
    }
    void TearDown() override { scheduler().reset(); }

    static std::unique_ptr<CupsScheduler>& scheduler()
    {
        static std::unique_ptr<CupsScheduler> running;
        return running;
    }
    // The file each job of the queue is written to.
    static QString output() { return scheduler()->outputFile(QStringLiteral("A5Laser")); }
};
