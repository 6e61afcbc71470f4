#pragma once

#include <QDialog>

// The About window: created hidden at start-up, shown without blocking the main window,
// hidden (not destroyed) when closed.
class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* parent = nullptr);
};
