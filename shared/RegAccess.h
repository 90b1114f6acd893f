// Registry accessor: one predefined root key and one key path; the key is opened and closed again for
// every value read or written, so no handle is kept between calls. Not to be shared between threads.
#pragma once
#include <windows.h>

class CRegAccess {
public:
    CRegAccess();
    ~CRegAccess();

    void Reset();                                  // path emptied, root HKEY_CURRENT_USER
    BOOL SelectRoot(HKEY key);                     // only the four predefined roots are accepted
    BOOL OpenPath(const char* keyPath, BOOL create);
    DWORD QueryValueType(const char* valueName);   // 0 when the key or value is missing
    // Copies a REG_SZ or REG_EXPAND_SZ value (at most 254 characters) or the default into text, which
    // has room for at least 255 bytes; returns text.
    const char* GetString(const char* valueName, const char* defaultText, char* text);
    DWORD GetNumber(const char* valueName, DWORD defaultNumber);
    BOOL PutString(const char* valueName, const char* text);    // at most 254 characters
    BOOL PutNumber(const char* valueName, DWORD number);

    LONG lastError;
    HKEY root;
    char path[MAX_PATH];
};
