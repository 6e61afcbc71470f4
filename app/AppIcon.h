#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>

// The program's emblem: a steering wheel on a blank, designed on a 48 × 48 grid and drawn
// at any size (the desktop menu's icons are made from it at build time).
QImage appEmblemImage(int size);
QPixmap appEmblem();
QIcon appIcon();
