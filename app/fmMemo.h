#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

// The settings viewer: created hidden at start-up, shown without blocking the main window;
// every time it becomes visible it shows the settings file's text anew. Its contents exist
// from the first time it is shown.
class TformMemo : public QWidget {
    Q_OBJECT

public:
    explicit TformMemo(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1 = nullptr;
    QPushButton* Button1 = nullptr;

    void FormShow();
    void Button1Click();

    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildContents();
};
