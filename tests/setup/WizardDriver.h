// Drives the installer's wizard in a launcher process like a user: finds its windows, reads their texts,
// clicks buttons by message or with real mouse input, types, and photographs the screen.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

enum class PageKind { none, language, welcome, readme, destination, programFolder, ready, finish };

// The texts of a language file (sections MSG and DLG), read the way the installer reads them.
std::string LanguageText(const std::string& sourceDir, const char* extension, const char* section, const char* key);

class WizardDriver {
public:
    // Starts "exe sourceDir" from the test program's folder.
    WizardDriver(const std::string& exe, const std::string& sourceDir);
    ~WizardDriver();

    bool Started() const { return process != nullptr; }
    // GetLastError of a start that failed.
    DWORD StartError() const { return startError; }
    // Waits for the backdrop and the wizard frame with a page shown.
    bool WaitForWizard(DWORD timeout = 20000);
    // Waits for the launcher to end; its exit code (998 when it had to be ended, 999 unknown).
    DWORD WaitForResult(DWORD timeout = 20000);

    HWND Backdrop() const { return backdrop; }
    HWND Frame() const { return frame; }
    HWND Button(int id) const { return GetDlgItem(frame, id); }
    // The visible page and what it is.
    HWND CurrentPage() const;
    static PageKind KindOf(HWND page);
    PageKind CurrentKind() const { return KindOf(CurrentPage()); }
    bool WaitForPage(PageKind kind, DWORD timeout = 10000) const;
    // The cancel confirmation while it is open.
    HWND Confirmation() const;
    // The install run's progress dialog (the window with the animation) while it is shown.
    HWND ProgressDialog() const;
    // The shell's folder browser while it is open.
    HWND FolderBrowser() const;
    // The window with the keyboard focus on the wizard's thread.
    HWND Focus() const;
    bool WaitForConfirmation(DWORD timeout = 10000) const;

    // Presses a button by message (BM_CLICK, posted).
    static void Click(HWND button);
    // Moves the mouse to the middle of a window (or a point in it) and clicks the left button.
    static void MouseClick(HWND window);
    static void MouseClickAt(HWND window, int x, int y);
    // Types text with key strokes into whatever has the focus.
    static void Type(const std::string& text);
    static void PressKey(BYTE key);

    // A control's text by WM_GETTEXT (also the contents of edits and buttons of the other process).
    static std::string Text(HWND window);
    static std::string ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }
    // The items of a list box, in its order.
    static std::vector<std::string> ListItems(HWND list);

private:
    HANDLE process;
    DWORD processId;
    DWORD startError;
    HWND backdrop;
    HWND frame;
};

// A part of the screen as 0x00RRGGBB pixels, top-down; saved as a BMP file when a path is given.
struct Screenshot {
    int x = 0, y = 0, width = 0, height = 0;
    std::vector<DWORD> pixels;
    DWORD At(int screenX, int screenY) const;
};
Screenshot CaptureScreen(const RECT& area, const std::string& path = "");
void SaveBitmap(const Screenshot& shot, const std::string& path);
// Has window (of any process) paint what it has to paint before this returns: its thread answers the
// erase and paint messages while RedrawWindow waits. The backdrop belongs to the launcher's process, so
// it cannot be drawn into a context of this one; the tests read it from the screen after this.
inline void PaintNow(HWND window)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}
