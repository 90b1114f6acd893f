// Step 2 of the install run: the keyboard application started at log-on (Run value, logged), the product's
// names under the keyboard product key and the install counter (neither logged).
#pragma once
#include "setup/install/InstallInputs.h"

void RegisterProduct(const InstallValues& values, SetupState& state);
