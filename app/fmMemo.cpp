#include "app/fmMemo.h"

#include "app/AppIcon.h"
#include "platform/FontSetup.h"

TformMemo::TformMemo(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("formMemo"));
    setWindowTitle(QStringLiteral("formMemo"));
    setWindowIcon(appIcon());
    setFont(platform::windowFont());
    resize(358, 271);
}
