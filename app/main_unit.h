#pragma once

#include "app/CertificateForm.h"
#include "app/logic/CertificateFields.h"
#include "controls/NKCtrls.h"
#include "platform/widgets/ComboBox.h"
#include "platform/widgets/Controls.h"
#include "platform/widgets/Edit.h"
#include "register/RegisterEntry.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QAction;
class QFrame;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;

namespace platform {
class TIniFile;
struct ProfileEntry;
} // namespace platform

class CalibrationController;
class GroupController;
class RegisterController;
class TfmAbout;
class TrpReport;
class TformMemo;
class TfmHelpText;

// The program's one input window: the form that mirrors the certificate blank. The register,
// group printing and the calibration are workflows of their own, which it wires to its menu,
// its reports and its form.
class TfmMain : public QMainWindow, public CertificateForm {
    Q_OBJECT

public:
    explicit TfmMain(QWidget* parent = nullptr);
    ~TfmMain() override;

    // The two windows created after this one at start-up; the menu shows them.
    void attachWindows(TfmAbout* about, TformMemo* memo);

    // Frame
    QScrollArea* ScrollBox1 = nullptr;
    QFrame* Panel13 = nullptr;

    // Main menu
    QMenuBar* MainMenu1 = nullptr;
    QMenu* menuFile = nullptr;
    QAction* N1 = nullptr;
    QAction* N3 = nullptr;
    QAction* N2 = nullptr;
    QAction* subRegister = nullptr;
    QAction* subGroup = nullptr;
    QAction* subExit = nullptr;
    QMenu* menuHelp = nullptr;
    QAction* subAbout = nullptr;
    QAction* subHelp = nullptr;

    // Command buttons
    QPushButton* btnCearAll = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* proverka = nullptr;
    QPushButton* btnPreview = nullptr;
    QPushButton* Button2 = nullptr;

    // Report templates: the certificate and the printer test page
    std::unique_ptr<TrpReport> rpReport1;
    std::unique_ptr<TrpReport> rpReport2;

    // Header: school, locality, series, graduate
    platform::TLabel* Label1 = nullptr;
    platform::TEdit* Edit_01 = nullptr;
    platform::TSpeedButton* SpeedButton1 = nullptr;
    platform::TLabel* Label2 = nullptr;
    platform::TEdit* edit_02 = nullptr;
    platform::TEdit* edit_03 = nullptr;
    platform::TSpeedButton* SpeedButton2 = nullptr;
    platform::TEdit* edit_04 = nullptr;
    platform::TSpeedButton* SpeedButton4 = nullptr;
    platform::TEdit* Edit_05 = nullptr;
    platform::TSpeedButton* SpeedButton3 = nullptr;

    // Training period
    platform::TLabel* Label3 = nullptr;
    platform::TLabel* Label4 = nullptr;
    platform::TDateTimePicker* DateTime_678 = nullptr;
    platform::TLabel* Label5 = nullptr;
    platform::TDateTimePicker* DateTime_91011 = nullptr;

    // Programme and category
    platform::TLabel* Label6 = nullptr;
    platform::TLabel* Label7 = nullptr;
    platform::TComboBox* Combo_categ = nullptr;

    // Basic cycle
    platform::TLabel* Label8 = nullptr;
    platform::TLabel* Label10 = nullptr;
    platform::TLabel* Label14 = nullptr;
    platform::TPanel* Panel1 = nullptr;
    platform::TLabel* Label9 = nullptr;
    platform::TLabel* Label11 = nullptr;
    platform::TLabel* Label12 = nullptr;
    platform::TLabel* Label13 = nullptr;
    platform::TPanel* Panel2 = nullptr;
    TNkEdit* Edit_13 = nullptr;
    TNkEdit* Edit_14 = nullptr;
    TNkEdit* Edit_15 = nullptr;
    TNkEdit* Edit_16 = nullptr;
    platform::TPanel* Panel3 = nullptr;
    platform::TComboBox* Combo_28 = nullptr;
    platform::TComboBox* Combo_29 = nullptr;
    platform::TComboBox* Combo_30 = nullptr;
    platform::TComboBox* Combo_31 = nullptr;

    // Special cycle
    platform::TLabel* Label15 = nullptr;
    platform::TLabel* Label16 = nullptr;
    platform::TLabel* Label21 = nullptr;
    platform::TPanel* Panel4 = nullptr;
    platform::TLabel* Label17 = nullptr;
    platform::TLabel* Label20 = nullptr;
    platform::TLabel* Label18 = nullptr;
    platform::TLabel* Label22 = nullptr;
    platform::TLabel* Label19 = nullptr;
    platform::TLabel* Label23 = nullptr;
    platform::TComboBox* Combo_42 = nullptr;
    platform::TPanel* Panel5 = nullptr;
    TNkEdit* Edit_17 = nullptr;
    TNkEdit* Edit_18 = nullptr;
    TNkEdit* Edit_19 = nullptr;
    platform::TPanel* Panel6 = nullptr;
    platform::TComboBox* Combo_32 = nullptr;
    platform::TComboBox* Combo_33 = nullptr;
    platform::TComboBox* Combo_34 = nullptr;

    // Professional cycle
    platform::TLabel* Label24 = nullptr;
    platform::TLabel* Label25 = nullptr;
    platform::TLabel* Label30 = nullptr;
    platform::TPanel* Panel7 = nullptr;
    platform::TLabel* Label26 = nullptr;
    platform::TLabel* Label27 = nullptr;
    platform::TPanel* Panel8 = nullptr;
    TNkEdit* Edit_20 = nullptr;
    TNkEdit* Edit_21 = nullptr;
    platform::TPanel* Panel9 = nullptr;
    platform::TComboBox* Combo_35 = nullptr;
    platform::TComboBox* Combo_36 = nullptr;

    // Qualification exam and total
    platform::TPanel* Panel12 = nullptr;
    platform::TLabel* Label28 = nullptr;
    platform::TLabel* Label29 = nullptr;
    platform::TPanel* Panel10 = nullptr;
    TNkEdit* Edit_22 = nullptr;
    TNkEdit* Edit_23 = nullptr;
    platform::TPanel* Panel11 = nullptr;
    platform::TComboBox* Combo_37 = nullptr;
    platform::TLabel* Label_38 = nullptr;

    // Date of issue and head of the school
    platform::TLabel* Label32 = nullptr;
    platform::TDateTimePicker* DateTime_242526 = nullptr;
    platform::TLabel* Label33 = nullptr;
    platform::TEdit* Edit_27 = nullptr;

    // The last value read from each hour field: entry i - 1 belongs to hour field i
    // (Edit_13 is field 1, Edit_22 field 10). After the settings load every entry is the
    // value its field shows, 0 for a field whose text is no number.
    std::array<double, 10> hrs {};

    // Handlers
    void FormCreate();
    void FormShow();
    void FormClose();
    void Button2Click();
    void subExitClick();
    void N1Click();
    void N3Click();
    void N2Click();
    void subAboutClick();
    void subHelpClick();
    void btnCearAllClick();
    void Button1Click();
    void proverkaClick();
    void btnPreviewClick();

    // Group printing ("Печать группы…"), for a caller that has a group at hand.
    GroupController& groupWorkflow() { return *fGroup; }

    // The form as the workflows see it.
    RegisterEntry formRecord() const override;
    void showRecord(const RegisterEntry& entry) override;
    void preprint() override;
    // The form check and the group check use it.
    FieldFit fieldFit(int field, const QString& text) const override;
    // The form check's messages for typed texts that would not print whole; false when any
    // was shown.
    bool checkFieldsFit();

    // Placeholder fields and their hints
    void Edit_01Click();
    void Edit_01Exit();
    void edit_02Click();
    void edit_02Exit();
    void edit_03Click();
    void edit_03Exit();
    void edit_04Click();
    void edit_04Exit();
    void Edit_05Click();
    void Edit_05Exit();
    void Edit_27Click();
    void Edit_27Exit();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton3Click();
    void SpeedButton4Click();

    // Hours and total
    void Edit_13Change();
    void Edit_14Change();
    void Edit_15Change();
    void Edit_16Change();
    void Edit_17Change();
    void Edit_18Change();
    void Edit_19Change();
    void Edit_20Change();
    void Edit_21Change();
    void Edit_22Change();
    void Edit_13KeyPress(QChar& Key);

    // Category
    void Combo_categChange();

    // The running total of the ten hour fields, after reading the field named by source
    // anew; any other source reads no field.
    QString auto_sum(const QString& source);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildMenu();
    void buildCommandButtons();
    void buildInputControls();
    void setTabSequence();
    void connectHandlers();
    void connectInputHandlers();
    TNkEdit* hourField(int index) const;
    // The grade selectors 1 to 10: the nine subjects', then the qualification exam's.
    platform::TComboBox* gradeField(int index) const;
    // The edit that holds a role's text; nullptr for a role that no edit of the form holds.
    platform::TEdit* textField(CertificateRole role) const;
    // Hour fields 1 to 10, then the total as 11: the order of the settings file's keys.
    TNkEdit* hourOrTotalField(int index) const;
    void loadSettings();
    void loadMargins(const platform::TIniFile& ini);
    void saveMargins();
    // The margin keys of the settings file; without `withDefaults` a margin of 15 mm is left
    // out, so that the file's own value stays.
    QList<platform::ProfileEntry> marginEntries(bool withDefaults) const;
    void hourChange(TNkEdit* field);
    // Reads all ten hour fields into the cache and shows their sum as the total: every
    // field that converts counts; one that does not counts 0 and is reported, each once,
    // in one error box.
    void fillHourCache();
    void showPlainCategoryLabels();
    void centreOnDesktop();

    // The workflows: the register of issued certificates ("Журнал…" and the lines a print
    // writes), group printing and calibration by measurement (a command of the test page's
    // preview).
    std::unique_ptr<RegisterController> fRegister;
    std::unique_ptr<GroupController> fGroup;
    std::unique_ptr<CalibrationController> fCalibration;

    // While the settings load the hour texts, their change handlers leave the cache and the
    // total alone: fillHourCache works both out once all ten are in.
    bool fLoadingHours = false;
    TfmAbout* fAbout = nullptr;
    TformMemo* fMemo = nullptr;
    TfmHelpText* fHelpText = nullptr;
    bool fShownOnce = false;
    bool fTestPageLoaded = false;
};
