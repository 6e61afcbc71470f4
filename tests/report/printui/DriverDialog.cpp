#include "DriverDialog.h"

#include "support/SessionSafety.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

// The controls of Wine's PostScript driver's "Paper" page.
constexpr int paperListId = 100;
constexpr int landscapeId = 102;
constexpr int duplexListId = 110;

// A visible dialog window of this process: none of Qt's windows is of the dialog class.
HWND findDriverDialog()
{
    struct Search {
        DWORD Process = GetCurrentProcessId();
        HWND Found = nullptr;
    } search;
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (process == s.Process && IsWindowVisible(window)
                && std::wstring(name) == L"#32770") {
                s.Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// A control anywhere in the dialog (its pages are windows inside it), by its id.
HWND control(HWND dialog, int id)
{
    struct Search {
        int Id;
        HWND Found = nullptr;
    } search {id};
    EnumChildWindows(
        dialog,
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (GetDlgCtrlID(window) == s.Id && IsWindowVisible(window)) {
                s.Found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

// The current entry of a list box or a combo box.
QString currentText(HWND list, UINT getSelection, UINT getLength, UINT getText)
{
    const LRESULT row = SendMessageW(list, getSelection, 0, 0);
    if (row < 0)
        return {};
    std::vector<wchar_t> text(std::size_t(SendMessageW(list, getLength, WPARAM(row), 0)) + 1, 0);
    SendMessageW(list, getText, WPARAM(row), reinterpret_cast<LPARAM>(text.data()));
    return QString::fromWCharArray(text.data());
}

// Selects the entry with that text and tells the page, as a click in the list does.
bool choose(HWND list, const QString& text, UINT find, UINT select, WORD notification)
{
    const std::wstring wide = text.toStdWString();
    const LRESULT row
        = SendMessageW(list, find, WPARAM(-1), reinterpret_cast<LPARAM>(wide.c_str()));
    if (row < 0)
        return false;
    SendMessageW(list, select, WPARAM(row), 0);
    SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), notification),
        reinterpret_cast<LPARAM>(list));
    return true;
}

} // namespace

struct DriverDialogOperator::Run {
    DriverDialogSteps Steps;
    DriverDialogSeen Seen;
    std::thread Thread;

    void operate()
    {
        const auto deadline = std::chrono::steady_clock::now() + sessionSafety();
        HWND dialog = nullptr;
        while (!(dialog = findDriverDialog()) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!dialog)
            return;
        Seen.Found = true;
        const HWND paper = control(dialog, paperListId);
        const HWND landscape = control(dialog, landscapeId);
        const HWND duplex = control(dialog, duplexListId);
        if (paper)
            Seen.Paper = currentText(paper, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT);
        if (landscape)
            Seen.Landscape = SendMessageW(landscape, BM_GETCHECK, 0, 0) == BST_CHECKED;
        if (duplex)
            Seen.Duplex = currentText(duplex, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT);

        if (!Steps.Paper.isEmpty()
            && !(paper
                && choose(paper, Steps.Paper, LB_FINDSTRINGEXACT, LB_SETCURSEL, LBN_SELCHANGE)))
            Seen.Missing += QStringLiteral("paper list with ") + Steps.Paper + u';';
        if (Steps.Landscape) {
            if (landscape)
                SendMessageW(landscape, BM_CLICK, 0, 0);
            else
                Seen.Missing += QStringLiteral("landscape;");
        }
        if (!Steps.Duplex.isEmpty()
            && !(duplex
                && choose(duplex, Steps.Duplex, CB_FINDSTRINGEXACT, CB_SETCURSEL, CBN_SELCHANGE)))
            Seen.Missing += QStringLiteral("duplex list with ") + Steps.Duplex + u';';
        // Posted, as a click arrives: the button ends the dialog's loop in the program's thread.
        const bool ok = Steps.Ok && Seen.Missing.isEmpty();
        PostMessageW(GetDlgItem(dialog, ok ? IDOK : IDCANCEL), BM_CLICK, 0, 0);
    }
};

DriverDialogOperator::DriverDialogOperator(DriverDialogSteps steps) : fRun(std::make_unique<Run>())
{
    fRun->Steps = std::move(steps);
    fRun->Thread = std::thread([run = fRun.get()] { run->operate(); });
}

DriverDialogOperator::~DriverDialogOperator()
{
    if (fRun->Thread.joinable())
        fRun->Thread.join();
}

DriverDialogSeen DriverDialogOperator::seen()
{
    if (fRun->Thread.joinable())
        fRun->Thread.join();
    return fRun->Seen;
}
