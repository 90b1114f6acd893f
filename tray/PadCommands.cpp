#include "tray/PadCommands.h"
#include "tray/RoundMapDlg.h"

namespace {

constexpr BYTE keyControl = VK_CONTROL;
constexpr BYTE keyAlt = VK_MENU;

void Key(BYTE key, BYTE scan, DWORD flags)
{
    keybd_event(key, scan, flags, 0);
}

}  // namespace

void GiveForegroundBack(HWND window)
{
    if (!window || !IsWindow(window))
        return;
    GetForegroundWindow();
    SetForegroundWindow(window);
    SetFocus(window);
}

void SendChord(BYTE modifier, BYTE letter)
{
    Key(modifier, 0, 0);
    Key(letter, letter, 0);
    Key(letter, letter, KEYEVENTF_KEYUP);
    Key(modifier, modifier, KEYEVENTF_KEYUP);
}

void SendTap(BYTE letter)
{
    Key(letter, letter, 0);
    Key(letter, letter, KEYEVENTF_KEYUP);
}

void SendKeySequence(const BYTE* keys, int count)
{
    for (int i = 0; i < count; i++)
        Key(keys[i], 0, 0);
    for (int i = count - 1; i >= 0; i--)
        Key(keys[i], 0, KEYEVENTF_KEYUP);
}

void SendMiddleClick()
{
    mouse_event(MOUSEEVENTF_MIDDLEDOWN, 100, 100, 0, 0);
    mouse_event(MOUSEEVENTF_MIDDLEUP, 100, 100, 0, 0);
}

// "RoundMap" is cleared by WM_DESTROY for this one.
void CRoundMapDlg::OnNew()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyControl, 'N');
    EndDialog(1);
}

void CRoundMapDlg::OnFind()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyControl, 'F');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnMailLink()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyAlt, 'B');
    SendTap('V');
    SendTap('K');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnMailWebpage()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyAlt, 'B');
    SendTap('V');
    SendTap('P');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnAppendFavorite()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyAlt, 'F');
    SendTap('T');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnRefresh()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyControl, 'R');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnSave()
{
    GiveForegroundBack(previousForeground);
    SendChord(keyAlt, 'B');
    SendTap('V');
    SendTap('L');
    ClearRoundMap();
    EndDialog(1);
}

void CRoundMapDlg::OnOpen()
{
    static constexpr BYTE controlO[] = {keyControl, 'O'};
    GiveForegroundBack(previousForeground);
    SendKeySequence(controlO, 2);
    ClearRoundMap();
    EndDialog(1);
}

// The click lands on the centre button itself, before the foreground goes back.
void CRoundMapDlg::OnCentre()
{
    SendMiddleClick();
    GiveForegroundBack(previousForeground);
    ClearRoundMap();
    EndDialog(1);
}
