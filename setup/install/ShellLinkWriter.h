// A shortcut file written through the shell's link object (IShellLinkA, saved with IPersistFile).
#pragma once
#include "setup/install/ShellLink.h"
#include <objidl.h>

class CShellLinkWriter : public ShellLinkSpec {
public:
    CShellLinkWriter();
    ~CShellLinkWriter();

    // Creates the shell objects on first use; FALSE when they are not available (COM not initialised on
    // this thread, no shell link class). Otherwise copies every field of spec; TRUE.
    BOOL Assign(const ShellLinkSpec& spec);
    // Writes the shortcut file at linkPath (ANSI, passed to the shell in UTF-16); FALSE when the shell
    // objects are not available, the path cannot be converted, or the save fails.
    BOOL Save(const char* linkPath);

    IShellLinkA* shellLink;
    IPersistFile* persistFile;
    int creationTried;

private:
    BOOL CreateShellObjects();
};
