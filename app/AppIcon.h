#pragma once

#include <QIcon>
#include <QPixmap>

// The program's emblem: a steering wheel on a blank, drawn at 48 x 48 pixels.
QPixmap appEmblem();
QIcon appIcon();
