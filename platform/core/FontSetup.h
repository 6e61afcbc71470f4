#pragma once

#include <QFont>
#include <QString>

namespace platform {

// Makes the Windows families that the windows and templates name available. Times New
// Roman and Arial come through fontconfig's substitutes; Tahoma and MS Sans Serif live in
// Wine's font folder, outside fontconfig's path, and are registered from there when the
// family is missing. Call once after the application object exists.
void registerFallbackFonts();

// Registers the fallback families and makes the window font the application's default.
// Call once after the application object exists.
void setUpProgramFonts();

// The family whose bold face stands in for a family whose own bold is missing or drawn no
// heavier than its regular face (Wine's MS Sans Serif and Tahoma: Arial, on Linux Liberation
// Sans); the family itself otherwise.
QString boldFaceFamily(const QString& family);

// A font given the way the windows are laid out: a family and a character height in
// pixels at 96 dpi (Tahoma 11 px is the 8-point window font). Bold takes a stand-in
// family's bold face where the family has none.
QFont pixelFont(const QString& family, int pixelHeight, bool bold = false);

// The window font of the program's windows: Tahoma, 11 px.
QFont windowFont();

} // namespace platform
