// Registry accessor: every value operation opens root\path itself and closes the key before it returns.
#include "shared/RegAccess.h"
#include <string.h>

namespace {

// Longest text a string value may hold: the read buffer is 255 bytes with its terminating zero.
constexpr DWORD stringBufferBytes = 255;

void CopyBounded(char* destination, const char* source)
{
    if (destination == source)
        return;
    lstrcpynA(destination, source ? source : "", stringBufferBytes);
}

}

CRegAccess::CRegAccess()
    : lastError(ERROR_SUCCESS), root(HKEY_CURRENT_USER)
{
    path[0] = '\0';
}

CRegAccess::~CRegAccess()
{
    Reset();
}

void CRegAccess::Reset()
{
    path[0] = '\0';
    root = HKEY_CURRENT_USER;
}

BOOL CRegAccess::SelectRoot(HKEY key)
{
    if (key != HKEY_CLASSES_ROOT && key != HKEY_CURRENT_USER && key != HKEY_LOCAL_MACHINE && key != HKEY_USERS)
        return FALSE;
    root = key;
    return TRUE;
}

BOOL CRegAccess::OpenPath(const char* keyPath, BOOL create)
{
    if (keyPath == nullptr || keyPath[0] == '\0') {
        path[0] = '\0';
        return TRUE;
    }
    // A path that would not fit is refused before the registry is touched, so nothing is created.
    if (strlen(keyPath) >= sizeof(path))
        return FALSE;

    HKEY key = nullptr;
    if (create) {
        DWORD disposition = 0;
        LONG result = RegCreateKeyExA(root, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                      &key, &disposition);
        if (result != ERROR_SUCCESS)
            return FALSE;
    } else {
        lastError = RegOpenKeyExA(root, keyPath, 0, KEY_ALL_ACCESS, &key);
        if (lastError != ERROR_SUCCESS)
            return FALSE;
    }
    RegCloseKey(key);
    lstrcpynA(path, keyPath, sizeof(path));
    return TRUE;
}

DWORD CRegAccess::QueryValueType(const char* valueName)
{
    HKEY key = nullptr;
    lastError = RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key);
    if (lastError != ERROR_SUCCESS)
        return 0;
    DWORD type = 0;
    lastError = RegQueryValueExA(key, valueName, nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    return lastError == ERROR_SUCCESS ? type : 0;
}

const char* CRegAccess::GetString(const char* valueName, const char* defaultText, char* text)
{
    DWORD type = QueryValueType(valueName);
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        CopyBounded(text, defaultText);
        return text;
    }

    HKEY key = nullptr;
    lastError = RegOpenKeyExA(root, path, 0, KEY_READ, &key);
    if (lastError != ERROR_SUCCESS) {
        CopyBounded(text, defaultText);
        return text;
    }
    // One spare byte so that a value stored without its terminating zero can still be terminated.
    char buffer[stringBufferBytes + 1];
    DWORD size = stringBufferBytes;
    lastError = RegQueryValueExA(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    // The type is checked again: the value may have been replaced between the two queries.
    if (lastError != ERROR_SUCCESS || size > stringBufferBytes || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        CopyBounded(text, defaultText);
        return text;
    }
    buffer[size] = '\0';
    // Without a terminating zero inside the 255 bytes the text is longer than the caller's buffer.
    if (memchr(buffer, '\0', stringBufferBytes) == nullptr) {
        CopyBounded(text, defaultText);
        return text;
    }
    CopyBounded(text, buffer);
    return text;
}

DWORD CRegAccess::GetNumber(const char* valueName, DWORD defaultNumber)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return defaultNumber;
    DWORD number = 0;
    DWORD size = sizeof(number);
    LONG result = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? number : defaultNumber;
}

BOOL CRegAccess::PutString(const char* valueName, const char* text)
{
    if (text == nullptr)
        return FALSE;
    size_t length = strlen(text);
    if (length > stringBufferBytes - 1)
        return FALSE;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegSetValueExA(key, valueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                                 static_cast<DWORD>(length + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CRegAccess::PutNumber(const char* valueName, DWORD number)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_WRITE, &key) != ERROR_SUCCESS)
        return FALSE;
    LONG result = RegSetValueExA(key, valueName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                                 sizeof(number));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}
