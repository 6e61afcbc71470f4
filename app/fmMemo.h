#pragma once

#include <QWidget>

// The settings viewer: created hidden at start-up, shown without blocking the main window.
class TformMemo : public QWidget {
    Q_OBJECT

public:
    explicit TformMemo(QWidget* parent = nullptr);
};
