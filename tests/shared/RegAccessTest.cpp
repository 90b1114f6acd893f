// CRegAccess against the real registry and MakeDirectoryPath against real folders. Every case works in a
// scratch key or folder of its own (named after the process) and removes it again.
#include <gtest/gtest.h>
#include <windows.h>
#include <stdio.h>
#include <string.h>
#include <string>
#include "shared/RegAccess.h"
#include "shared/MakeDirectoryPath.h"
#include "tests/support/RegistryScratch.h"

namespace {

class RegistryScratch : public ::testing::Test {
protected:
    void SetUp() override
    {
        keyPath = ScratchKeyName("RegAccess");
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &key, nullptr));
    }
    void TearDown() override
    {
        RegCloseKey(key);
        DeleteKeyTree(HKEY_CURRENT_USER, keyPath);
        RegDeleteKeyA(HKEY_CURRENT_USER, scratchRoot);
    }
    void SetRaw(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    }
    // Type and size as the registry reports them; size 0 and type 0 when the value is missing.
    void Raw(const char* name, DWORD* type, DWORD* size)
    {
        *type = 0;
        *size = 0;
        if (RegQueryValueExA(key, name, nullptr, type, nullptr, size) != ERROR_SUCCESS) {
            *type = 0;
            *size = 0;
        }
    }
    std::string keyPath;
    HKEY key = nullptr;
};

// A text buffer with a guard zone behind its 255 bytes: a read must never write past them.
struct GuardedText {
    char bytes[255 + 64];
    GuardedText() { memset(bytes, 0x5A, sizeof(bytes)); }
    bool GuardIntact() const
    {
        for (size_t i = 255; i < sizeof(bytes); ++i)
            if (bytes[i] != 0x5A)
                return false;
        return true;
    }
};

TEST(RegAccessState, ConstructorResetAndRootSelection)
{
    CRegAccess registry;
    EXPECT_EQ(HKEY_CURRENT_USER, registry.root);
    EXPECT_STREQ("", registry.path);
    EXPECT_EQ(0, registry.lastError);

    const HKEY accepted[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
    for (HKEY root : accepted) {
        EXPECT_TRUE(registry.SelectRoot(root));
        EXPECT_EQ(root, registry.root);
    }
    const HKEY refused[] = {HKEY_CURRENT_CONFIG, HKEY_PERFORMANCE_DATA, HKEY_DYN_DATA,
                            reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234)), nullptr};
    for (HKEY root : refused) {
        EXPECT_FALSE(registry.SelectRoot(root));
        EXPECT_EQ(HKEY_USERS, registry.root);
    }

    ASSERT_TRUE(registry.OpenPath(".DEFAULT", FALSE));
    EXPECT_STREQ(".DEFAULT", registry.path);
    registry.lastError = 77;
    registry.Reset();
    EXPECT_EQ(HKEY_CURRENT_USER, registry.root);
    EXPECT_STREQ("", registry.path);
    EXPECT_EQ(77, registry.lastError);
}

TEST_F(RegistryScratch, RefusedRootKeepsReadsOnThePreviousRoot)
{
    std::string machinePath = ScratchKeyName("RegAccessRoot");
    HKEY machineKey;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, machinePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                             nullptr, &machineKey, nullptr));
    RegSetValueExA(machineKey, "Where", 0, REG_SZ, reinterpret_cast<const BYTE*>("machine"), 8);
    RegCloseKey(machineKey);
    SetRaw("Where", REG_SZ, "user", 5);

    CRegAccess registry;
    ASSERT_TRUE(registry.SelectRoot(HKEY_LOCAL_MACHINE));
    EXPECT_FALSE(registry.SelectRoot(HKEY_CURRENT_CONFIG));
    ASSERT_TRUE(registry.OpenPath(machinePath.c_str(), FALSE));
    char text[255];
    EXPECT_STREQ("machine", registry.GetString("Where", "none", text));

    registry.Reset();
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    EXPECT_STREQ("user", registry.GetString("Where", "none", text));

    RegDeleteKeyA(HKEY_LOCAL_MACHINE, machinePath.c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, scratchRoot);
}

TEST_F(RegistryScratch, OpenPath)
{
    CRegAccess registry;
    // Missing key without create: FALSE, the error recorded, the path kept.
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    std::string missing = keyPath + "\\Missing";
    EXPECT_FALSE(registry.OpenPath(missing.c_str(), FALSE));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry.lastError);
    EXPECT_STREQ(keyPath.c_str(), registry.path);

    // With create the key appears; a successful create leaves lastError as it was.
    std::string created = keyPath + "\\Made\\Deeper";
    registry.lastError = 55;
    EXPECT_TRUE(registry.OpenPath(created.c_str(), TRUE));
    EXPECT_EQ(55, registry.lastError);
    EXPECT_STREQ(created.c_str(), registry.path);
    HKEY check;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, created.c_str(), 0, KEY_READ, &check));
    RegCloseKey(check);

    // An existing key without create records success.
    EXPECT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    EXPECT_EQ(ERROR_SUCCESS, registry.lastError);

    // Empty path: TRUE without touching the registry; reads then address the root key itself.
    registry.lastError = 66;
    EXPECT_TRUE(registry.OpenPath("", FALSE));
    EXPECT_STREQ("", registry.path);
    EXPECT_EQ(66, registry.lastError);
    char rootValue[64];
    snprintf(rootValue, sizeof(rootValue), "FerrowinRootValue%lu", GetCurrentProcessId());
    EXPECT_TRUE(registry.PutNumber(rootValue, 0xC0FFEE));
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), registry.QueryValueType(rootValue));
    EXPECT_EQ(0xC0FFEEu, registry.GetNumber(rootValue, 0));
    RegDeleteValueA(HKEY_CURRENT_USER, rootValue);
}

TEST_F(RegistryScratch, OpenPathRefusesAPathLongerThanItsBuffer)
{
    CRegAccess registry;
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    std::string longest = keyPath + "\\";
    longest += std::string(MAX_PATH - 1 - longest.size(), 'k');
    ASSERT_EQ(static_cast<size_t>(MAX_PATH - 1), longest.size());
    std::string tooLong = longest + "x";

    registry.lastError = 88;
    EXPECT_FALSE(registry.OpenPath(tooLong.c_str(), TRUE));
    EXPECT_STREQ(keyPath.c_str(), registry.path);
    EXPECT_EQ(88, registry.lastError);
    HKEY check;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, tooLong.c_str(), 0, KEY_READ, &check));

    // The longest path that fits is taken whole.
    EXPECT_TRUE(registry.OpenPath(longest.c_str(), TRUE));
    EXPECT_STREQ(longest.c_str(), registry.path);
}

TEST_F(RegistryScratch, QueryValueTypeAndLastError)
{
    const DWORD number = 5;
    SetRaw("Text", REG_SZ, "abc", 4);
    SetRaw("Number", REG_DWORD, &number, sizeof(number));
    SetRaw("Binary", REG_BINARY, "\x01\x02", 2);
    SetRaw("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    SetRaw("Multi", REG_MULTI_SZ, "a\0b\0", 5);

    CRegAccess registry;
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    const struct { const char* name; DWORD type; } expected[] = {
        {"Text", REG_SZ}, {"Number", REG_DWORD}, {"Binary", REG_BINARY}, {"Expand", REG_EXPAND_SZ},
        {"Multi", REG_MULTI_SZ},
    };
    for (const auto& value : expected) {
        registry.lastError = 99;
        EXPECT_EQ(value.type, registry.QueryValueType(value.name)) << value.name;
        EXPECT_EQ(ERROR_SUCCESS, registry.lastError) << value.name;
    }
    EXPECT_EQ(0u, registry.QueryValueType("Absent"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry.lastError);

    // A key that vanished after OpenPath: 0, with the open's error.
    std::string doomed = keyPath + "\\Doomed";
    ASSERT_TRUE(registry.OpenPath(doomed.c_str(), TRUE));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, doomed.c_str()));
    registry.lastError = 99;
    EXPECT_EQ(0u, registry.QueryValueType("Text"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry.lastError);
}

TEST_F(RegistryScratch, GetStringByTypeAndLength)
{
    const DWORD number = 7;
    SetRaw("Text", REG_SZ, "hello", 6);
    SetRaw("Number", REG_DWORD, &number, sizeof(number));
    SetRaw("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    SetRaw("Binary", REG_BINARY, "bin", 4);
    std::string fits(254, 'f');
    SetRaw("Fits", REG_SZ, fits.c_str(), 255);
    std::string tooLong(255, 'l');
    SetRaw("TooLong", REG_SZ, tooLong.c_str(), 256);
    SetRaw("Open", REG_SZ, "short", 5);                  // stored without its terminating zero
    std::string openLong(255, 'o');
    SetRaw("OpenLong", REG_SZ, openLong.c_str(), 255);   // 255 characters, no terminating zero

    CRegAccess registry;
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    char text[255];
    EXPECT_STREQ("hello", registry.GetString("Text", "dflt", text));
    EXPECT_EQ(ERROR_SUCCESS, registry.lastError);
    EXPECT_STREQ("dflt", registry.GetString("Number", "dflt", text));
    EXPECT_STREQ("%TEMP%\\x", registry.GetString("Expand", "dflt", text));
    EXPECT_STREQ("dflt", registry.GetString("Binary", "dflt", text));
    EXPECT_STREQ("dflt", registry.GetString("Absent", "dflt", text));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, registry.lastError);
    EXPECT_STREQ("short", registry.GetString("Open", "dflt", text));

    GuardedText guarded;
    EXPECT_STREQ(fits.c_str(), registry.GetString("Fits", "dflt", guarded.bytes));
    EXPECT_TRUE(guarded.GuardIntact());
    EXPECT_STREQ("dflt", registry.GetString("TooLong", "dflt", guarded.bytes));
    EXPECT_EQ(ERROR_MORE_DATA, registry.lastError);
    EXPECT_TRUE(guarded.GuardIntact());
    EXPECT_STREQ("dflt", registry.GetString("OpenLong", "dflt", guarded.bytes));
    EXPECT_TRUE(guarded.GuardIntact());

    // A default longer than the buffer is cut to 254 characters, never written past it.
    std::string longDefault(400, 'd');
    registry.GetString("Absent", longDefault.c_str(), guarded.bytes);
    EXPECT_EQ(254u, strlen(guarded.bytes));
    EXPECT_TRUE(guarded.GuardIntact());
    // The caller's buffer may double as the default.
    strcpy(text, "same");
    EXPECT_STREQ("same", registry.GetString("Absent", text, text));
}

TEST_F(RegistryScratch, PutStringLimits)
{
    CRegAccess registry;
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    DWORD type, size;

    std::string longest(254, 'a');
    EXPECT_TRUE(registry.PutString("Longest", longest.c_str()));
    Raw("Longest", &type, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(255u, size);
    char text[255];
    EXPECT_STREQ(longest.c_str(), registry.GetString("Longest", "", text));

    std::string tooLong(255, 'b');
    EXPECT_FALSE(registry.PutString("TooLong", tooLong.c_str()));
    Raw("TooLong", &type, &size);
    EXPECT_EQ(0u, type);

    EXPECT_TRUE(registry.PutString("Empty", ""));
    Raw("Empty", &type, &size);
    EXPECT_EQ(1u, size);

    // The key must exist: PutString does not create it, and lastError is not its business.
    std::string missing = keyPath + "\\NotThere";
    registry.lastError = 41;
    ASSERT_TRUE(registry.OpenPath(missing.c_str(), TRUE));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, missing.c_str()));
    EXPECT_FALSE(registry.PutString("Value", "x"));
    EXPECT_FALSE(registry.PutNumber("Value", 1));
    EXPECT_EQ(41, registry.lastError);
    HKEY check;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, missing.c_str(), 0, KEY_READ, &check));
}

TEST_F(RegistryScratch, NumbersAndTheirLastErrorRule)
{
    CRegAccess registry;
    ASSERT_TRUE(registry.OpenPath(keyPath.c_str(), FALSE));
    EXPECT_TRUE(registry.PutNumber("Number", 0xDEADBEEF));
    DWORD type, size;
    Raw("Number", &type, &size);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
    EXPECT_EQ(4u, size);
    EXPECT_EQ(0xDEADBEEFu, registry.GetNumber("Number", 1));

    // The stored type is not checked: four bytes of anything are a number, more are a failure.
    SetRaw("Bytes", REG_BINARY, "\x11\x22\x33\x44", 4);
    EXPECT_EQ(0x44332211u, registry.GetNumber("Bytes", 1));
    const ULONGLONG wide = 0x1122334455667788ull;
    SetRaw("Wide", REG_QWORD, &wide, sizeof(wide));
    EXPECT_EQ(3u, registry.GetNumber("Wide", 3));

    registry.lastError = 1234;
    EXPECT_EQ(9u, registry.GetNumber("Absent", 9));
    EXPECT_EQ(1234, registry.lastError);
    std::string missing = keyPath + "\\Gone";
    ASSERT_TRUE(registry.OpenPath(missing.c_str(), TRUE));
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_CURRENT_USER, missing.c_str()));
    registry.lastError = 1234;
    EXPECT_EQ(9u, registry.GetNumber("Number", 9));
    EXPECT_EQ(1234, registry.lastError);
}

class FolderScratch : public ::testing::Test {
protected:
    void SetUp() override
    {
        char temp[MAX_PATH];
        ASSERT_NE(0u, GetTempPathA(sizeof(temp), temp));
        char name[MAX_PATH];
        snprintf(name, sizeof(name), "%sferrowin-dirs-%lu", temp, GetCurrentProcessId());
        base = name;
        ASSERT_TRUE(CreateDirectoryA(base.c_str(), nullptr));
    }
    void TearDown() override
    {
        // SHFileOperation would pull in the shell; the tree here is small and known.
        const char* leaves[] = {"\\a\\b\\c", "\\a\\b", "\\a", "\\x\\y", "\\x", "\\k"};
        for (const char* leaf : leaves)
            RemoveDirectoryA((base + leaf).c_str());
        DeleteFileA((base + "\\plain.txt").c_str());
        RemoveDirectoryA(base.c_str());
    }
    static bool IsFolder(const std::string& path)
    {
        DWORD attributes = GetFileAttributesA(path.c_str());
        return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string base;
};

TEST_F(FolderScratch, MakesEveryMissingFolder)
{
    EXPECT_TRUE(MakeDirectoryPath((base + "\\a\\b\\c").c_str(), false));
    EXPECT_TRUE(IsFolder(base + "\\a"));
    EXPECT_TRUE(IsFolder(base + "\\a\\b"));
    EXPECT_TRUE(IsFolder(base + "\\a\\b\\c"));
    // Existing folders are fine, with or without a trailing backslash.
    EXPECT_TRUE(MakeDirectoryPath((base + "\\a\\b\\c").c_str(), false));
    EXPECT_TRUE(MakeDirectoryPath((base + "\\a\\b\\").c_str(), false));
}

TEST_F(FolderScratch, FileNameIsNotMade)
{
    EXPECT_TRUE(MakeDirectoryPath((base + "\\x\\y\\file.ini").c_str(), true));
    EXPECT_TRUE(IsFolder(base + "\\x"));
    EXPECT_TRUE(IsFolder(base + "\\x\\y"));
    EXPECT_FALSE(Exists(base + "\\x\\y\\file.ini"));
    // A file directly in a drive's root: the root itself is the folder.
    EXPECT_TRUE(MakeDirectoryPath("C:\\file.ini", true));
    EXPECT_FALSE(Exists("C:\\file.ini"));
    // A relative file name: the current folder; a name right under a leading backslash: the drive's root.
    EXPECT_TRUE(MakeDirectoryPath("file.ini", true));
    EXPECT_TRUE(MakeDirectoryPath("\\file.ini", true));
}

TEST_F(FolderScratch, FailuresShowInTheResult)
{
    HANDLE file = CreateFileA((base + "\\plain.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    CloseHandle(file);
    // A folder below a file cannot be made.
    EXPECT_FALSE(MakeDirectoryPath((base + "\\plain.txt\\sub\\deeper").c_str(), false));
    EXPECT_FALSE(MakeDirectoryPath((base + "\\plain.txt\\sub\\file.ini").c_str(), true));
    // A file where the folder should be is not a folder.
    EXPECT_FALSE(MakeDirectoryPath((base + "\\plain.txt").c_str(), false));

    // A path longer than the path buffers is refused whole; nothing of it is made.
    std::string tooLong = base + "\\k\\" + std::string(MAX_PATH, 'n');
    EXPECT_FALSE(MakeDirectoryPath(tooLong.c_str(), false));
    EXPECT_FALSE(Exists(base + "\\k"));
    EXPECT_FALSE(MakeDirectoryPath("", false));
    EXPECT_FALSE(MakeDirectoryPath(nullptr, true));
}

}
