#include "setup/install/ShellLinkWriter.h"

CShellLinkWriter::CShellLinkWriter() : shellLink(nullptr), persistFile(nullptr), creationTried(0)
{
}

CShellLinkWriter::~CShellLinkWriter()
{
    if (persistFile)
        persistFile->Release();
    if (shellLink)
        shellLink->Release();
}

BOOL CShellLinkWriter::CreateShellObjects()
{
    if (creationTried)
        return shellLink != nullptr && persistFile != nullptr;
    creationTried = 1;
    void* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, &link)) || !link)
        return FALSE;
    shellLink = static_cast<IShellLinkA*>(link);
    void* persist = nullptr;
    if (FAILED(shellLink->QueryInterface(IID_IPersistFile, &persist)) || !persist) {
        // Without the save interface the link object is of no use: drop it, so that both are absent.
        shellLink->Release();
        shellLink = nullptr;
        return FALSE;
    }
    persistFile = static_cast<IPersistFile*>(persist);
    return TRUE;
}

BOOL CShellLinkWriter::Assign(const ShellLinkSpec& spec)
{
    if (!CreateShellObjects())
        return FALSE;
    return CopyFrom(spec);
}

BOOL CShellLinkWriter::Save(const char* linkPath)
{
    if (!CreateShellObjects() || !linkPath)
        return FALSE;
    WCHAR widePath[MAX_PATH];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH) == 0)
        return FALSE;
    if (itemIdList)
        shellLink->SetIDList(itemIdList);
    else
        shellLink->SetPath(targetPath);
    shellLink->SetWorkingDirectory(workingDir);
    shellLink->SetIconLocation(iconPath, iconIndex);
    shellLink->SetDescription(description);
    shellLink->SetArguments(arguments);
    shellLink->SetHotkey(hotkey);
    shellLink->SetShowCmd(showCommand);
    return SUCCEEDED(persistFile->Save(widePath, TRUE));
}
