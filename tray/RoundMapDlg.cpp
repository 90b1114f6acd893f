#include "tray/RoundMapDlg.h"
#include "framework/CriticalSection.h"
#include "framework/DataExchange.h"
#include "framework/Rgn.h"
#include "framework/SingleLock.h"
#include "shared/HandleWord.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include "tray/BitmapRegion.h"
#include "tray/PadCommands.h"
#include "tray/ProcessLifetime.h"
#include "tray/TrayGlobals.h"
#include "tray/resource.h"

const MessageEntry CRoundMapDlg::messageEntries[] = {
    OnMessage(WM_CREATE, &CRoundMapDlg::OnCreate),
    OnMessage(WM_DESTROY, &CRoundMapDlg::OnDestroy),
    OnEraseBackground(&CRoundMapDlg::EraseBackground),
    OnPrintClient(&CRoundMapDlg::Paint),
    OnCommand(IDC_CENTRE, BN_CLICKED, &CRoundMapDlg::OnCentre),
    OnCommand(IDC_NEW, BN_CLICKED, &CRoundMapDlg::OnNew),
    OnCommand(IDC_FIND, BN_CLICKED, &CRoundMapDlg::OnFind),
    OnCommand(IDC_MAIL_LINK, BN_CLICKED, &CRoundMapDlg::OnMailLink),
    OnCommand(IDC_MAIL_PAGE, BN_CLICKED, &CRoundMapDlg::OnMailWebpage),
    OnCommand(IDC_FAVORITE, BN_CLICKED, &CRoundMapDlg::OnAppendFavorite),
    OnCommand(IDC_REFRESH, BN_CLICKED, &CRoundMapDlg::OnRefresh),
    OnCommand(IDC_SAVE, BN_CLICKED, &CRoundMapDlg::OnSave),
    OnCommand(IDC_OPEN, BN_CLICKED, &CRoundMapDlg::OnOpen),
    OnRegistered(&closeQuimbelMessage, &CRoundMapDlg::OnCloseQuimbel),
    OnRegistered(&movingQuimbelMessage, &CRoundMapDlg::OnMovingQuimbel),
    OnRegistered(&callQuimbelMessage, &CRoundMapDlg::OnCallQuimbel),
    OnMessage(WM_MOUSEWHEEL, &CRoundMapDlg::OnMouseWheel),
    OnMessage(WM_CLOSE, &CRoundMapDlg::OnClose),
    OnMessage(CRoundMapDlg::endPadMessage, &CRoundMapDlg::OnEndPad),
};
const MessageMap CRoundMapDlg::messageMap = MakeMessageMap(&CDialog::messageMap, CRoundMapDlg::messageEntries);

namespace {

struct ButtonPlace {
    signed char x, y;
};

// Client positions of the direction buttons, in control order.
constexpr ButtonPlace buttonPlaces[8] = {
    {30, 7}, {84, 7}, {97, 30}, {97, 84}, {84, 97}, {30, 97}, {7, 84}, {7, 30},
};

// Tooltips of the two bitmap sets (the texts are the same).
constexpr const char* tooltipsFirstSet[8] = {
    "New", "Find", "Mail Link", "Mail Webpage", "Append My Favorite", "ReFresh", "Save", "Open",
};
constexpr const char* tooltipsSecondSet[8] = {
    "New", "Find", "Mail Link", "Mail Webpage", "Append My Favorite", "ReFresh", "Save", "Open",
};

constexpr int centrePosition = 67;
constexpr DWORD tooltipPause = 30;

// The bitmap ids by button index: each set is normal, hover for each direction button in order; the masks
// follow one another.
constexpr UINT firstSetFirst = IDB_NEW;
constexpr UINT secondSetFirst = IDB_NEW2;
constexpr UINT maskFirst = IDB_NEW_MASK;

// Only this process's pads write "RoundMap", and they take turns here, so that a pad's read of the item
// and its clearing write are one step to every other writer. Never taken by the main thread: a pad may
// hold it while it waits for the block's lock.
ProcessLifetime<CCriticalSection> g_roundMapTurn;

}  // namespace

CRoundMapDlg::CRoundMapDlg()
    : CDialog(IDD_ROUNDMAP), ownerMode(FALSE), centre{0, 0}, previousForeground(nullptr), backgroundSize{0, 0},
      windowGone(0), publishedWindow(nullptr)
{
}

CRoundMapDlg::~CRoundMapDlg()
{
    ReleaseDrawing();
}

void CRoundMapDlg::ReleaseDrawing()
{
    backgroundDC.Delete();   // before the picture it holds
    background.DeleteObject();
}

void CRoundMapDlg::CentreAt(int x, int y)
{
    if (!IsWindow())
        return;
    ::SetFocus(nullptr);
    MoveWindow(x - backgroundSize.cx / 2, y - backgroundSize.cy / 2, backgroundSize.cx, backgroundSize.cy, TRUE);
}

void CRoundMapDlg::ClearRoundMap()
{
    if (!g_sharedState || !publishedWindow)
        return;
    CSingleLock turn(&g_roundMapTurn.object, TRUE);
    DWORD value = 0, length = sizeof value;
    if (!g_sharedState->ReadItem(itemRoundMap, &value, &length) || length != sizeof value ||
        value != WordFromHandle(publishedWindow))
        return;
    DWORD none = 0;
    g_sharedState->WriteItem(itemRoundMap, &none, sizeof none);
}

void CRoundMapDlg::Paint(HDC dc)
{
    if (backgroundDC)
        BitBlt(dc, 0, 0, backgroundSize.cx, backgroundSize.cy, backgroundDC, 0, 0, SRCCOPY);
}

void CRoundMapDlg::LoadBackground()
{
    background.Load(resourceModule, IDB_BACKGROUND, LR_CREATEDIBSECTION);
    CRgn shape;
    shape.Attach(RegionFromBitmap(background, RGB(0, 0, 0)));
    shape.GiveToWindow(hwnd, TRUE);   // a shape the window did not take goes with the object
    BITMAP size;
    if (background.GetSafeHandle() && GetObject(background, sizeof size, &size))
        backgroundSize = SIZE{size.bmWidth, size.bmHeight};
    if (backgroundDC.Create(nullptr) && !backgroundDC.SelectBitmap(background))
        backgroundDC.Delete();
}

LRESULT CRoundMapDlg::OnCreate(WPARAM, LPARAM)
{
    LRESULT result = Default();
    if (result == -1)
        return -1;
    LoadBackground();
    return result;
}

BOOL CRoundMapDlg::EndDialog(INT_PTR result)
{
    // From here on an "Open quimbel" opens a new pad: a move posted to this one would be lost with its window.
    InterlockedExchange(&windowGone, 1);
    return CDialog::EndDialog(result);
}

void CRoundMapDlg::OnOK()
{
    EndDialog(IDOK);
}

void CRoundMapDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CRoundMapDlg::OnDestroy(WPARAM, LPARAM)
{
    InterlockedExchange(&windowGone, 1);
    if (ownerMode && previousForeground && ::IsWindow(previousForeground))
        GiveForegroundBack(previousForeground);
    LRESULT result = Default();
    ClearRoundMap();
    ReleaseDrawing();
    return result;
}

// The picture is the background; FALSE as the dialog always answered, so the system still counts it
// as not erased.
BOOL CRoundMapDlg::EraseBackground(HDC dc)
{
    Paint(dc);
    return FALSE;
}

void CRoundMapDlg::DoDataExchange(CDataExchange* exchange)
{
    for (int i = 0; i < 8; i++)
        exchange->BindControl(IDC_NEW + i, directionButtons[i]);
    exchange->BindControl(IDC_CENTRE, centreButton);
}

void CRoundMapDlg::PublishWindow()
{
    if (!g_sharedState)
        return;
    CSingleLock turn(&g_roundMapTurn.object, TRUE);
    if (!g_sharedState->HasItem(itemRoundMap))
        g_sharedState->AddItem(itemRoundMap, sizeof(DWORD));
    // Kept whatever the write reports: a clear compares with what the item holds.
    publishedWindow = hwnd;
    DWORD window = HandleToUlong(hwnd);
    g_sharedState->WriteItem(itemRoundMap, &window, sizeof window);
}

void CRoundMapDlg::SetUpButtons()
{
    const char* const* tooltips = ownerMode ? tooltipsSecondSet : tooltipsFirstSet;
    const UINT first = ownerMode ? secondSetFirst : firstSetFirst;
    for (int i = 0; i < 8; i++) {
        CImageButton& button = directionButtons[i];
        // The tooltip control needs a pause before its text is set again; the button's pictures are
        // loaded during that pause instead of after it, which nobody can see (the pad is not shown yet).
        const DWORD pauseStart = GetTickCount();
        button.SetTooltipText(tooltips[i]);
        UINT normal = first + 2 * i, hover = normal + 1;
        const UINT mask = maskFirst + i;
        button.SetBitmaps({normal, normal, hover, hover, 0, mask}, CImageButton::sizeToMask, 0, 0);
        if (button.hwnd)
            button.SetWindowPos(nullptr, buttonPlaces[i].x, buttonPlaces[i].y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        const DWORD spent = GetTickCount() - pauseStart;
        if (spent < tooltipPause)
            Sleep(tooltipPause - spent);
        button.SetTooltipText(tooltips[i]);
    }
    centreButton.SetBitmaps({IDB_CENTRE, IDB_CENTRE, IDB_CENTRE_HOVER, IDB_CENTRE_HOVER, 0, IDB_CENTRE_MASK},
                            CImageButton::sizeToMask, 0, 0);
    if (centreButton.hwnd)
        centreButton.SetWindowPos(nullptr, centrePosition, centrePosition, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

BOOL CRoundMapDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    PublishWindow();
    SetUpButtons();
    CentreAt(centre.x, centre.y);
    return TRUE;
}

LRESULT CRoundMapDlg::OnCloseQuimbel(WPARAM, LPARAM)
{
    if (previousForeground && ::IsWindow(previousForeground))
        GiveForegroundBack(previousForeground);
    ClearRoundMap();
    EndDialog(1);
    return 0;
}

LRESULT CRoundMapDlg::OnMovingQuimbel(WPARAM, LPARAM)
{
    CentreAt(centre.x, centre.y);
    return 0;
}

LRESULT CRoundMapDlg::OnCallQuimbel(WPARAM, LPARAM)
{
    RECT client;
    POINT press = {0, 0};
    DWORD length = sizeof press;
    // Without a readable press point there is nothing to judge; the pad stays.
    if (!GetClientRect(&client) || !g_sharedState || !g_sharedState->ReadItem(itemMousePosition, &press, &length) ||
        length != sizeof press)
        return 0;
    ScreenToClient(&press);
    if (!PtInRect(&client, press)) {
        ClearRoundMap();
        EndDialog(1);
    }
    return 0;
}

LRESULT CRoundMapDlg::OnMouseWheel(WPARAM, LPARAM)
{
    MessageBox(nullptr, "move", nullptr, MB_OK);
    return Default();
}

LRESULT CRoundMapDlg::OnClose(WPARAM, LPARAM)
{
    if (previousForeground && ::IsWindow(previousForeground))
        GiveForegroundBack(previousForeground);
    return Default();
}

LRESULT CRoundMapDlg::OnEndPad(WPARAM, LPARAM)
{
    EndDialog(IDCANCEL);
    return 0;
}
