#pragma once

#include "TestPpd.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

// A print queue of the tests: a PPD written for it and a file that receives each job's
// output (the PDF that the spooler's own filter made). A queue with a feed error stands for a
// printer that pulls the sheet in off its place: every page of its jobs lands that many
// millimetres further right and down (negative: left and up) than the job put it.
struct TestQueue {
    QString Name;
    QString Ppd;
    bool Default = false;
    QPointF FeedError = {};
};

// The spooler of a whole test program: a CUPS scheduler of the tests' own in a temporary
// folder, listening on a socket there, with its queues. The process talks to it alone
// (CUPS_SERVER), and only ever to the first one it met, since the client library keeps that
// scheduler: so a program has one spooler, reached through `spooler()`. Under Wine the
// scheduler is there before the program (tests/support/windows/with-test-spooler), since Wine
// reads it when the program starts.
//
// A test program registers it once, with the queues it prints to:
//   ::testing::AddGlobalTestEnvironment(new SpoolerEnvironment({SpoolerEnvironment::a5Laser()}));
// It starts before the first test, so that every print call of the program reaches it, and
// stops (by its process id) after the last. A program without a test runner, such as a
// benchmark, owns one and calls start() itself.
class SpoolerEnvironment : public ::testing::Environment {
public:
    explicit SpoolerEnvironment(QList<TestQueue> queues);
    ~SpoolerEnvironment() override;
    SpoolerEnvironment(const SpoolerEnvironment&) = delete;
    SpoolerEnvironment& operator=(const SpoolerEnvironment&) = delete;

    // One A4/A5 laser, "A5Laser", the default printer, with the usual unprintable border
    // (12 pt left, 15 pt top).
    static TestQueue a5Laser();

    // A failed set-up would only skip the tests, which the test runner counts as passed, so
    // the program ends with a failure and the reason instead.
    void SetUp() override;
    void TearDown() override { stop(); }
    // Starts the scheduler and sets its queues up; throws with the reason when it cannot
    // (cupsd or Ghostscript missing, the scheduler not answering). Under Wine a program that
    // does not yet see its queues as printers exits with 75, to be started again.
    void start();
    void stop();

    // Where the queue's jobs land; output() for the default queue.
    QString outputFile(const QString& queue) const;
    QString output() const;
    // Waits until the scheduler holds no job; false after the timeout.
    bool waitForJobs(int timeoutMs = 30000) const;
    // The attributes the scheduler keeps of the queue's latest job, as text.
    std::map<std::string, std::string> lastJobAttributes(const QString& queue) const;
    // Runs a CUPS command-line client against this scheduler.
    QString run(const QString& program, const QStringList& arguments) const;
    // Sets a queue up (again, after a removal) as start() does.
    void addQueue(const TestQueue& queue) const;
    bool removeQueue(const QString& queue) const;

private:
    friend SpoolerEnvironment& spooler();
    static SpoolerEnvironment* running;

    void waitForScheduler() const;

    QList<TestQueue> FQueues;
    // The scheduler's folder, as this program names it.
    QString FRoot;
    std::unique_ptr<QTemporaryDir> FDir;
    qint64 FPid = -1;
};

// The spooler this program started.
SpoolerEnvironment& spooler();
