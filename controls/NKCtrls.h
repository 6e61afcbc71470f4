#pragma once

#include "platform/widgets/Edit.h"

#include <QPointer>

// A single-line edit that lets the operator type only a decimal number with bounded integer
// and fraction lengths. Both "," and "." type the program-wide decimal separator. The text is
// the only store of the number: Value is read from it and written into it each time. Text
// that arrives other than by typing (pasted through the context menu, set by code) is not
// filtered.
class TNkEdit : public platform::TEdit {
    Q_OBJECT

public:
    explicit TNkEdit(QWidget* parent = nullptr);

    bool OnlyPositive() const { return FOnlyPositive; }
    void SetOnlyPositive(bool value) { FOnlyPositive = value; }

    int MaxLenInt() const { return FMaxLenInt; }
    void SetMaxLenInt(int value) { FMaxLenInt = value; }

    int MaxLenFrac() const { return FMaxLenFrac; }
    void SetMaxLenFrac(int value) { FMaxLenFrac = value; }

    // Text that is no number becomes "0" (raising the change event) and reads as 0.
    float Value() { return GetfValue(); }
    // Fixed notation with MaxLenInt significant digits and exactly MaxLenFrac decimals.
    void SetValue(float value) { SetfValue(value); }

    QWidget* NextControl() const { return FNextControl; }
    void SetNextControl(QWidget* control) { FNextControl = control; }

protected:
    void KeyPress(QChar& key) override;

private:
    float GetfValue();
    void SetfValue(float value);

    bool FOnlyPositive = false;
    int FMaxLenInt = 6;
    int FMaxLenFrac = 2;
    QPointer<QWidget> FNextControl;
};
