#include "setup/wizard/WizardWindows.h"

CSetupBackdrop* g_backdrop = nullptr;
CWizardFrame* g_wizard = nullptr;
