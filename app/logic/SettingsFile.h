#pragma once

#include <QString>

// The settings file's name; its path follows the current directory at each use.
inline const char* const kSettingsFileName = "default.zrf";

QString settingsFilePath();
