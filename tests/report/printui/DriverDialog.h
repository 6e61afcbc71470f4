#pragma once

#include <QString>

#include <memory>

// A printer driver's own properties dialog, found and operated from a thread of its own
// while the program's thread runs the dialog's modal loop, with the window messages that the
// operator's clicks would send. The controls are those of Wine's PostScript driver: one page
// "Paper" with the paper list, the orientation buttons and the duplex list.
struct DriverDialogSteps {
    QString Paper; // the paper to choose in the paper list; empty leaves it
    bool Landscape = false; // click "Landscape"
    QString Duplex; // the entry to choose in the duplex list; empty leaves it
    bool Ok = true; // OK, else Cancel
};

// What the dialog showed when it was found, before the steps.
struct DriverDialogSeen {
    bool Found = false;
    QString Paper;
    bool Landscape = false;
    QString Duplex;
    QString Missing; // the controls the steps needed and the dialog lacks
};

class DriverDialogOperator {
public:
    // Starts looking for the dialog; it ends when the dialog was operated, or after the
    // sessions' safety time.
    explicit DriverDialogOperator(DriverDialogSteps steps);
    ~DriverDialogOperator();
    DriverDialogOperator(const DriverDialogOperator&) = delete;
    DriverDialogOperator& operator=(const DriverDialogOperator&) = delete;

    // Waits for the operator's thread to end.
    DriverDialogSeen seen();

private:
    struct Run;
    std::unique_ptr<Run> fRun;
};
