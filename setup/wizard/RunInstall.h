// The install run: the progress dialog over its owner, returning when all four steps have run.
#pragma once
#include "setup/install/InstallInputs.h"
#include <windows.h>

// The run's values from the setup state, the install script and the language texts.
InstallValues CurrentInstallValues();

// owner: the window the progress dialog is shown over and disables (null: none).
void RunInstall(HWND owner);
