#include "setup/wizard/ReadmePage.h"
#include "framework/DataExchange.h"
#include "setup/wizard/resource.h"
#include <stdlib.h>
#include <string.h>

namespace {

// More than any read-me; a larger file is shown up to this size rather than not at all.
constexpr DWORD largestReadme = 16 * 1024 * 1024;

}

CReadmePage::CReadmePage() : CWizardPage(IDD_PAGE_README, dlgP2T)
{
    readmePath[0] = '\0';
}

void CReadmePage::SetReadmePath(const char* path)
{
    readmePath[0] = '\0';
    if (path && strlen(path) < sizeof(readmePath))
        strcpy(readmePath, path);
}

void CReadmePage::DoDataExchange(CDataExchange* exchange)
{
    CWizardPage::DoDataExchange(exchange);
    exchange->BindControl(IDC_TEXT1, label);
    exchange->BindControl(IDC_README, text);
}

void CReadmePage::OnShowPage()
{
    ApplyBodyStyle(label, UiCaption(dlgP21));
    ShowFile();
}

void CReadmePage::ShowFile()
{
    if (!readmePath[0])
        return;
    HANDLE file = CreateFileA(readmePath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size > largestReadme)
        size = size == INVALID_FILE_SIZE ? 0 : largestReadme;
    char* content = static_cast<char*>(malloc(size + 1));
    DWORD read = 0;
    if (content && ReadFile(file, content, size, &read, nullptr)) {
        content[read] = '\0';
        text.LimitText(static_cast<int>(read + 1));
        text.SetWindowText(content);
    }
    free(content);
    CloseHandle(file);
}
