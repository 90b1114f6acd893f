#include "setup/wizard/SetupBackdrop.h"
#include "framework/ModalScope.h"
#include "framework/PaintDC.h"
#include "framework/ResourceModule.h"
#include "framework/WinApp.h"
#include "setup/controls/DrawTitleText.h"
#include "setup/engine/InstallScript.h"
#include "setup/engine/SetupState.h"
#include "setup/engine/UiTexts.h"
#include "setup/resource.h"
#include "setup/wizard/WizardPage.h"

const CRuntimeClass CSetupBackdrop::classCSetupBackdrop = {"CSetupBackdrop", sizeof(CSetupBackdrop), nullptr,
                                                           &CDialog::classCDialog};
const CRuntimeClass* CSetupBackdrop::GetRuntimeClass() const { return &classCSetupBackdrop; }

const MessageEntry CSetupBackdrop::messageEntries[] = {
    OnMessage(WM_PAINT, &CSetupBackdrop::OnPaint),
    OnMessage(WM_ERASEBKGND, &CSetupBackdrop::OnEraseBackground),
    OnMessage(WM_QUERYDRAGICON, &CSetupBackdrop::OnQueryDragIcon),
    OnMessage(WM_DESTROY, &CSetupBackdrop::OnDestroy),
};
const MessageMap CSetupBackdrop::messageMap = MakeMessageMap(&CDialog::messageMap, CSetupBackdrop::messageEntries);

namespace {

constexpr const char* titleFace = "Times New Roman";
constexpr int titleCharWidth = 11;
constexpr int titleCharHeight = 30;
constexpr int titleWeight = 700;

}

CSetupBackdrop::CSetupBackdrop()
    : CDialog(IDD_BACKDROP), icon(nullptr), bands(nullptr), ended(false), result(0)
{
    resourceModule = GetResourceModule();
}

CSetupBackdrop::~CSetupBackdrop()
{
    if (hwnd)
        DestroyWindow();
    if (g_setup.backdrop == this)
        g_setup.backdrop = nullptr;
}

INT_PTR CSetupBackdrop::RunSetup()
{
    ended = false;
    result = 0;
    {
        CModalScope scope(nullptr, nullptr);
        if (!Create(IDD_BACKDROP, scope.Owner()))
            return -1;
        CWinApp* app = CWinApp::Get();
        CWnd* previousMain = app ? app->mainWnd : nullptr;
        if (app)
            app->mainWnd = this;
        // The wizard frame and its pages are modeless: this loop gives them their keyboard handling (Tab,
        // Esc) through the framework's pre-translation, which a plain dialog-box loop would not.
        MSG msg;
        while (!ended && hwnd) {
            BOOL got = GetMessage(&msg, nullptr, 0, 0);
            if (got == 0) {
                PostQuitMessage(static_cast<int>(msg.wParam));
                result = 0;
                break;
            }
            if (got == -1)
                break;
            if (!(app && app->PreTranslateMessage(&msg))) {
                TranslateMessage(&msg);
                DispatchMessage(&msg);
            }
        }
        if (app && app->mainWnd == this)
            app->mainWnd = previousMain;
    }
    return result;
}

void CSetupBackdrop::EndSetup(INT_PTR value)
{
    if (ended)
        return;
    result = value;
    ended = true;
    if (hwnd)
        PostMessage(WM_NULL);
}

BOOL CSetupBackdrop::OnInitDialog()
{
    CDialog::OnInitDialog();
    icon = LoadIcon(GetResourceModule(), MAKEINTRESOURCE(IDI_SETUP));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    SetWindowText(UiCaption(msgBackdropCaption));
    g_setup.backdrop = this;
    frame.Create(IDD_WIZARD, hwnd);
    bands = GradientCreate();
    GradientSetColors(topColor, bottomColor, bands);
    ShowWindow(SW_MAXIMIZE);
    frame.ShowWindow(SW_SHOW);
    return TRUE;
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
        EndSetup(0);
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
    AppendText(title, sizeof(title), UiCaption(msgTitle));
    AppendText(title, sizeof(title), " ");
    AppendText(title, sizeof(title), ScriptValue(scriptProduct));
    DrawTitleText(dc, titleX, titleY, title, titleFace, titleCharWidth, titleCharHeight, titleColor, titleWeight);
}

LRESULT CSetupBackdrop::OnPaint(WPARAM, LPARAM)
{
    CPaintDC dc(hwnd);
    Paint(dc);
    return 0;
}

LRESULT CSetupBackdrop::OnEraseBackground(WPARAM wParam, LPARAM)
{
    PaintBands(reinterpret_cast<HDC>(wParam));
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
    if (g_setup.backdrop == this)
        g_setup.backdrop = nullptr;
    return Default();
}
