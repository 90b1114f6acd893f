// The two settings files the install run writes into the destination folder, "MouInfo.ini" and
// "SETTING.INI", from values of the install script in the source folder. Not recorded in the uninstall log.
#pragma once
#include "setup/install/InstallInputs.h"

constexpr const char* mouseInfoFileName = "MouInfo.ini";
constexpr const char* settingFileName = "SETTING.INI";

void WriteSettingsFiles(const InstallValues& values);
