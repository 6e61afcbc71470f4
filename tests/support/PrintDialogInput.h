#pragma once

#include "ModalSession.h"
#include "OperatorInput.h"

#include "report/printui/rpPrintDialog.h"

#include <functional>

// Printing as the operator does when the print dialog's choices stand: `open` shows the
// dialog (the preview's Print button or Ctrl+P), and OK is clicked in it.
inline void printThroughDialog(const std::function<void()>& open)
{
    whileModalOpen<TrpPrintDialog>(open, [](TrpPrintDialog& dialog) {
        activate(dialog);
        click(*dialog.OkB);
    });
}
