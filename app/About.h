#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The maker's web address, shown in the About window and opened from its link label.
inline const char* const kMakerAddress = "https://vorsela.example/";
inline const char* const kMakerAddressCaption = "vorsela.example";

// The About window: created hidden at start-up, shown without blocking the main window,
// hidden (not destroyed) when closed. Its contents exist from the first time it is shown.
class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* OKButton = nullptr;

    void OKButtonClick();
    void Label2MouseMove();
    void Label2MouseLeave();
    void Label2Click();

    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildContents();
    void setLinkStyle(bool underline, const QColor& colour);
};
