#pragma once

#include <QPointF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/types.h>

#include <memory>

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

// A CUPS scheduler of the tests' own, in a temporary folder, listening on a socket there;
// the test process talks to it alone (CUPS_SERVER). Stopped by its process id when
// destroyed. Fails the set-up with a clear message when cupsd is not installed.
class CupsScheduler {
public:
    explicit CupsScheduler(const QList<TestQueue>& queues);
    ~CupsScheduler();

    // Where the queue's jobs land.
    QString outputFile(const QString& queue) const;
    // Waits until the scheduler holds no job; false after the timeout.
    bool waitForJobs(int timeoutMs = 30000) const;
    // Runs a CUPS command-line client against this scheduler.
    QString run(const QString& program, const QStringList& arguments) const;
    // Sets a queue up (again, after a removal) as the constructor does.
    void addQueue(const TestQueue& queue) const;
    bool removeQueue(const QString& queue) const;

private:
    QTemporaryDir FDir;
    pid_t FPid = -1;
};

// Starts the scheduler of a whole test program. A failed set-up of a test environment would
// only skip the tests, which the test runner counts as passed, so the program ends with a
// failure and the reason instead.
std::unique_ptr<CupsScheduler> startSchedulerOrExit(const QList<TestQueue>& queues);

// A PPD of one A4/A5 laser-like printer: its resolution, its imageable area on each paper
// (left, bottom, right, top in points, as PPDs write it), input slots, duplex, and a paper of
// its own.
struct TestPpd {
    int Dpi = 600;
    QString A4Area = QStringLiteral("12 15 583 827");
    QString A5Area = QStringLiteral("12 15 408 580");
    QStringList Slots; // "Key/Text", the first the default
    bool OddPaper = false; // a size of the driver's own, without a desktop code
    bool Duplex = false;
    QString text() const;
};
