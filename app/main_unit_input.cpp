// The handlers of the main window's input controls.

#include "app/main_unit.h"

void TfmMain::Edit_01Click() { }

void TfmMain::Edit_01Exit() { }

void TfmMain::edit_02Click() { }

void TfmMain::edit_02Exit() { }

void TfmMain::edit_03Click() { }

void TfmMain::edit_03Exit() { }

void TfmMain::edit_04Click() { }

void TfmMain::edit_04Exit() { }

void TfmMain::Edit_05Click() { }

void TfmMain::Edit_05Exit() { }

void TfmMain::Edit_27Click() { }

void TfmMain::Edit_27Exit() { }

void TfmMain::SpeedButton1Click() { }

void TfmMain::SpeedButton2Click() { }

void TfmMain::SpeedButton3Click() { }

void TfmMain::SpeedButton4Click() { }

void TfmMain::Edit_13Change() { }

void TfmMain::Edit_14Change() { }

void TfmMain::Edit_15Change() { }

void TfmMain::Edit_16Change() { }

void TfmMain::Edit_17Change() { }

void TfmMain::Edit_18Change() { }

void TfmMain::Edit_19Change() { }

void TfmMain::Edit_20Change() { }

void TfmMain::Edit_21Change() { }

void TfmMain::Edit_22Change() { }

void TfmMain::Edit_13KeyPress(QChar&) { }

void TfmMain::Combo_categChange() { }
