// install_demo.exe: the demo's install step (not a test). Installs the source in FERROWIN_SETUP_SOURCE into
// FERROWIN_INSTALL_DIR through the wizard like a user, keeps it installed, and prints what was installed as
// other programs see it: DOINSTALL's result and the uninstall log record by record, with each shortcut's
// fields. Exit code 0 when the wizard went through.
#include "InstallFixture.h"
#include "MessagePump.h"
#include "WizardDriver.h"
#include "setup/install/InstallNames.h"
#include <stdio.h>
#include <string>

namespace {

constexpr int idNext = 1002;
constexpr int idCancel = 1010;
constexpr int idFolder = 1018;

void PrintLog(const std::string& log)
{
    printf("uninstall log, record by record:\n");
    for (size_t at = 0; at < log.size();) {
        size_t end = log.find('\0', at + 1);
        std::string text = log.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1);
        unsigned type = static_cast<unsigned char>(log[at]);
        printf("  %u  %s\n", type, text.c_str());
        if (type == logShortcut) {
            ShortcutFields link = ReadShortcut(text);
            printf("       -> target %s, folder %s, icon %s,%d, description \"%s\"\n", link.target.c_str(),
                   link.workingDir.c_str(), link.iconPath.c_str(), link.iconIndex, link.description.c_str());
        }
        if (end == std::string::npos)
            break;
        at = end + 1;
    }
}

bool Next(WizardDriver& wizard, PageKind kind, DWORD timeout = 10000)
{
    WizardDriver::Click(wizard.Button(idNext));
    if (wizard.WaitForPage(kind, timeout))
        return true;
    printf("install_demo: the wizard did not reach page %d\n", static_cast<int>(kind));
    return false;
}

}  // namespace

int main()
{
    char source[MAX_PATH] = "", destination[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("FERROWIN_SETUP_SOURCE", source, sizeof(source)) ||
        !GetEnvironmentVariableA("FERROWIN_INSTALL_DIR", destination, sizeof(destination))) {
        printf("install_demo: set FERROWIN_SETUP_SOURCE and FERROWIN_INSTALL_DIR\n");
        return 2;
    }
    WizardDriver wizard("setuplauncher.exe", source);
    if (!wizard.WaitForWizard()) {
        printf("install_demo: the wizard did not show\n");
        return 1;
    }
    if (!Next(wizard, PageKind::welcome) || !Next(wizard, PageKind::readme) || !Next(wizard, PageKind::destination))
        return 1;
    SendMessageA(GetDlgItem(wizard.CurrentPage(), idFolder), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(destination));
    if (!Next(wizard, PageKind::programFolder) || !Next(wizard, PageKind::ready))
        return 1;
    WizardDriver::Click(wizard.Button(idNext));
    // A picture of the progress dialog for the reader (progress.bmp in the current folder).
    HWND progress = nullptr;
    if (PumpUntil([&] { return (progress = wizard.ProgressDialog()) != nullptr && IsWindowVisible(progress); }, 10000)) {
        // The copy step has begun: its caption and animation show.
        PumpUntil([&] {
            char caption[8] = "";
            HWND animation = FindWindowExA(progress, nullptr, "SysAnimate32", nullptr);
            return GetWindowTextA(progress, caption, sizeof caption) > 0 && animation && IsWindowVisible(animation);
        }, 5000);
        PaintNow(progress);
        RECT area;
        GetWindowRect(progress, &area);
        CaptureScreen(area, "progress.bmp");
    }
    if (!wizard.WaitForPage(PageKind::finish, 30000)) {
        printf("install_demo: the wizard did not reach the finish page\n");
        return 1;
    }
    WizardDriver::Click(wizard.Button(idCancel));
    printf("DOINSTALL returned %lu\n", static_cast<unsigned long>(wizard.WaitForResult()));
    PrintLog(ReadFileBytes(std::string(destination) + "\\" + uninstallLogName));
    fflush(stdout);
    return 0;
}
