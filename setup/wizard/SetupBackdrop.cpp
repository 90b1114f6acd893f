#include "setup/wizard/SetupBackdrop.h"
#include "setup/wizard/WizardWindows.h"
#include "framework/ResourceModule.h"
#include "setup/controls/DrawTitleText.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/UiTexts.h"
#include "setup/wizard/resource.h"
#include "setup/wizard/WizardPage.h"

namespace {

// Posted at initialisation: the wizard comes to the front once the modal loop has shown the backdrop.
constexpr UINT showWizardMessage = WM_APP + 1;
constexpr const char* titleFace = "Times New Roman";
constexpr int titleCharWidth = 11;
constexpr int titleCharHeight = 30;
constexpr int titleWeight = 700;

}

const CRuntimeClass CSetupBackdrop::classCSetupBackdrop = {"CSetupBackdrop", sizeof(CSetupBackdrop), nullptr,
                                                           &CDialog::classCDialog};
const CRuntimeClass* CSetupBackdrop::GetRuntimeClass() const { return &classCSetupBackdrop; }

const MessageEntry CSetupBackdrop::messageEntries[] = {
    OnPaint(&CSetupBackdrop::Paint),
    OnPrintClient(&CSetupBackdrop::Paint),
    OnEraseBackground(&CSetupBackdrop::EraseBackground),
    OnMessage(WM_QUERYDRAGICON, &CSetupBackdrop::OnQueryDragIcon),
    OnMessage(WM_DESTROY, &CSetupBackdrop::OnDestroy),
    OnMessage(showWizardMessage, &CSetupBackdrop::OnShowWizard),
};
const MessageMap CSetupBackdrop::messageMap = MakeMessageMap(&CDialog::messageMap, CSetupBackdrop::messageEntries);

CSetupBackdrop::CSetupBackdrop()
    : CDialog(IDD_BACKDROP), icon(nullptr), bands(nullptr)
{
}

CSetupBackdrop::~CSetupBackdrop()
{
    if (hwnd)
        DestroyWindow();
    if (g_backdrop == this)
        g_backdrop = nullptr;
}

BOOL CSetupBackdrop::OnInitDialog()
{
    CDialog::OnInitDialog();
    icon = LoadIcon(GetResourceModule(), MAKEINTRESOURCE(IDI_SETUP));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowText(UiCaption(msgBackdropCaption));
    g_backdrop = this;
    frame.Create(IDD_WIZARD, hwnd);
    bands = GradientCreate();
    GradientSetColors(topColor, bottomColor, bands);
    ShowWindow(SW_MAXIMIZE);
    frame.ShowWindow(SW_SHOW);
    PostMessage(showWizardMessage);
    // The wizard keeps the focus: the dialog manager must not move it back to this window.
    return FALSE;
}

// Where no window manager keeps owned windows above their owner, showing the backdrop would cover the
// wizard: it is brought to the front and activated again.
LRESULT CSetupBackdrop::OnShowWizard(WPARAM, LPARAM)
{
    if (frame.IsWindow()) {
        frame.SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetActiveWindow(frame.hwnd);
    }
    return 0;
}

// Enter on the backdrop does nothing; Esc and closing it are the wizard's Cancel, which asks first.
void CSetupBackdrop::OnOK()
{
}

void CSetupBackdrop::OnCancel()
{
    if (frame.IsWindow())
        frame.CancelSetup();
    else
        EndDialog(0);
}

void CSetupBackdrop::PaintBands(HDC dc)
{
    RECT client;
    GetClientRect(&client);
    GradientLayout(client, bands);
    GradientPaint(dc, bands);
}

void CSetupBackdrop::Paint(HDC dc)
{
    if (IsIconic(hwnd)) {
        RECT client;
        GetClientRect(&client);
        int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
        DrawIcon(dc, x, y, icon);
        return;
    }
    PaintBands(dc);
    char title[2 * MAX_PATH] = "";
    AppendClipped(title, sizeof(title), UiCaption(msgTitle));
    AppendClipped(title, sizeof(title), " ");
    AppendClipped(title, sizeof(title), ScriptValue(scriptProduct));
    DrawTitleText(dc, titleX, titleY, title, titleFace, titleCharWidth, titleCharHeight, titleColor, titleWeight);
}

BOOL CSetupBackdrop::EraseBackground(HDC dc)
{
    PaintBands(dc);
    return TRUE;
}

LRESULT CSetupBackdrop::OnQueryDragIcon(WPARAM, LPARAM)
{
    return reinterpret_cast<LRESULT>(icon);
}

LRESULT CSetupBackdrop::OnDestroy(WPARAM, LPARAM)
{
    GradientFree(bands);
    bands = nullptr;
    if (frame.IsWindow())
        frame.DestroyWindow();
    if (g_backdrop == this)
        g_backdrop = nullptr;
    return Default();
}
