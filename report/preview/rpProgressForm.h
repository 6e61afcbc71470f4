#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// The small window shown while a job prints: borderless, 271 × 101, centred over the
// window it reports for (which is disabled meanwhile, so the form is a window of its own),
// with a message line and a Cancel button.
class TrpProgressForm : public QWidget {
    Q_OBJECT

public:
    TrpProgressForm(QWidget* owner, std::function<void()> onCancel);

    void SetMessage(const QString& text);
    QLabel* MessageLabel() const { return FLabel; }
    QPushButton* CancelButton() const { return FCancel; }

private:
    QLabel* FLabel = nullptr;
    QPushButton* FCancel = nullptr;
};
