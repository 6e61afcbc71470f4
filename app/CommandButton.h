#pragma once

#include <QPushButton>
#include <QString>

// A push button of the program's windows, found by its name: Enter in a field of the window
// never presses it on its own.
inline QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
