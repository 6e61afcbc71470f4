#include "controls/NKCtrls.h"

#include "platform/core/Exception.h"
#include "platform/core/NumberFormat.h"

#include <cmath>
#include <limits>

namespace {

const char16_t kBackspace = 8;
const char16_t kTab = 9;
const char16_t kEnter = 13;

} // namespace

TNkEdit::TNkEdit(QWidget* parent) : platform::TEdit(parent) { SetText(QStringLiteral("0")); }

void TNkEdit::KeyPress(QChar& key)
{
    const QString current = Text();
    const QChar separator = platform::numberFormat().decimalSeparator;
    // All counts are taken on the text before the key, ignoring any selection.
    const int caret = hasSelectedText() ? selectionStart() : cursorPosition();
    const int p = int(current.indexOf(separator)) + 1;
    const char16_t code = key.unicode();

    if (code == kBackspace || code == kTab) {
        // passes unchanged
    } else if (code == kEnter) {
        if (FNextControl)
            FNextControl->setFocus(Qt::TabFocusReason);
    } else if (code == u',' || code == u'.') {
        key = separator;
        if (p > 0 || FMaxLenFrac == 0)
            key = QChar();
    } else if (code == u'-') {
        if (FOnlyPositive || caret != 0 || current.indexOf(QLatin1Char('-')) == 0)
            key = QChar();
    } else if (code >= u'0' && code <= u'9') {
        if (p > 0 && caret >= p) {
            const int fraction = int(current.size()) - p;
            if (fraction >= FMaxLenFrac)
                key = QChar();
        } else {
            int integer = p > 0 ? p - 1 : int(current.size());
            if (integer > 0 && current.front() == QLatin1Char('-'))
                --integer;
            if (integer >= FMaxLenInt)
                key = QChar();
        }
    } else {
        key = QChar();
    }
    platform::TEdit::KeyPress(key);
}

float TNkEdit::GetfValue()
{
    double value = 0;
    if (!platform::TryStrToFloat(Text(), value)) {
        SetText(QStringLiteral("0"));
        return 0;
    }
    // A number beyond single precision is an error of its own, not a silent infinity.
    if (std::fabs(value) > double(std::numeric_limits<float>::max()))
        throw platform::Exception(QStringLiteral("Floating point overflow"));
    return float(value);
}

void TNkEdit::SetfValue(float value)
{
    SetText(platform::FloatToStrF(value, platform::ffFixed, FMaxLenInt, FMaxLenFrac));
}
