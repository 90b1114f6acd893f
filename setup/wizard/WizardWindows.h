// The wizard's two windows while they exist: the backdrop (the main window of DOINSTALL's run) and the
// frame on it, for the pages and the install run to reach.
#pragma once

class CSetupBackdrop;
class CWizardFrame;

extern CSetupBackdrop* g_backdrop;
extern CWizardFrame* g_wizard;
