#pragma once

#include <memory>

class TfmMain;
class TfmAbout;
class TformMemo;

// The program's three windows, created in the start-up order and destroyed together.
struct ProgramWindows {
    std::unique_ptr<TfmMain> fmMain;
    std::unique_ptr<TfmAbout> fmAbout;
    std::unique_ptr<TformMemo> formMemo;

    ProgramWindows();
    ~ProgramWindows();
};

// Creates fmMain (built, FormCreate run, shown), then fmAbout and formMemo hidden.
// Needs the application object.
std::unique_ptr<ProgramWindows> createProgramWindows();

// Start-up of the whole program: application object, windows, message loop.
int runProgram(int argc, char** argv);
