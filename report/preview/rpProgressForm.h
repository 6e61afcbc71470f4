#pragma once

#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// The small window shown while a job prints: borderless, 271 × 101, centred over the
// window it reports for, with a message line and a Cancel button. It is a window of that
// window's own (the preview inside is disabled meanwhile), so it stays above it and takes
// the operator's click and Escape while the preview is modal.
class TrpProgressForm : public QWidget {
    Q_OBJECT

public:
    TrpProgressForm(QWidget* owner, std::function<void()> onCancel);

    void SetMessage(const QString& text);
    QLabel* MessageLabel() const { return FLabel; }
    QPushButton* CancelButton() const { return FCancel; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> FOnCancel;
    QLabel* FLabel = nullptr;
    QPushButton* FCancel = nullptr;
};
