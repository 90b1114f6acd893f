// What only the i686 lane can show. A 32-bit and a 64-bit process share the fixed blocks (the device
// software and the keyboard application outside may be of either bitness): what one writes the other reads
// byte for byte. The 32-bit hook library keeps its words at the 32-bit offsets of its shared section. The
// keyboard stand-in built 32-bit works with the product's 32-bit libraries. This program, its stand-ins and
// the product files sit in one folder; the 64-bit partners (x86_64 builds) in its subfolder x64.
#include "ChildProcess.h"
#include "MessagePump.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <vector>

namespace {

const DWORD waitLimit = 20000;
const char keyboardBlock[] = "QTZ_VORRIN_1";
const DWORD keyboardBlockSize = 108;
const UINT keyboardNotify = WM_USER + 1000;

std::string Partner(const char* file)
{
    return ProgramFolder() + "x64\\" + file;
}

// The first size bytes of a named block as mapped into this process; empty when it does not exist.
std::vector<BYTE> OwnView(const char* name, DWORD size)
{
    std::vector<BYTE> bytes;
    HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, name);
    if (!mapping)
        return bytes;
    const BYTE* view = static_cast<const BYTE*>(MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0));
    if (view) {
        bytes.assign(view, view + size);
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return bytes;
}

// The same bytes as the 64-bit shared block test program maps them (its --dump helper).
std::vector<BYTE> PartnerView(const char* name, DWORD size)
{
    char file[MAX_PATH];
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    GetTempFileNameA(folder, "x64", 0, file);
    std::vector<BYTE> bytes;
    ChildResult dump = RunChild(Partner("shared_memory_test.exe"), std::string("--dump ") + name + " \"" + file + "\"",
                                waitLimit);
    EXPECT_TRUE(dump.finished && dump.exitCode == 0) << "64-bit dump: " << dump.exitCode << " " << dump.output;
    FILE* in = fopen(file, "rb");
    if (in) {
        bytes.resize(size);
        bytes.resize(fread(bytes.data(), 1, size, in));
        fclose(in);
    }
    DeleteFileA(file);
    return bytes;
}

HMODULE ProductLibrary(const char* file)
{
    return LoadLibraryA((ProgramFolder() + file).c_str());
}

// ---- the mouse state block ----

TEST(CrossBitness, MouseBlockWrittenBy32BitIsByteIdenticalFor64Bit)
{
    CSharedMemory* block = OpenMouseStateBlock();
    ASSERT_TRUE(block->IsReady());
    const LONG position[2] = {-123456, 789};
    const DWORD owner = 0x01020304;
    ASSERT_TRUE(block->WriteItem(itemMousePosition, position, sizeof position));
    ASSERT_TRUE(block->WriteItem(itemMouseOwner, &owner, sizeof owner));

    std::vector<BYTE> own = OwnView(mouseStateBlock, mouseStateBlockSize);
    ASSERT_EQ(mouseStateBlockSize, own.size());
    EXPECT_EQ(own, PartnerView(mouseStateBlock, mouseStateBlockSize));

    // The 64-bit device simulator reads the items by name.
    ChildResult show = RunChild(Partner("devsim.exe"), "show", waitLimit);
    EXPECT_NE(std::string::npos, show.output.find("x -123456, y 789")) << show.output;
    EXPECT_NE(std::string::npos, show.output.find("16909060")) << show.output;
    delete block;
}

TEST(CrossBitness, MouseBlockMadeAndWrittenBy64BitIsReadBy32Bit)
{
    ASSERT_TRUE(OwnView(mouseStateBlock, 4).empty()) << "the block is still open somewhere";
    DWORD holderId = 0;
    HANDLE holder = StartProgram(Partner("devsim.exe"), "position 2000 -3000 owner 7 hold 60", nullptr, &holderId);
    ASSERT_TRUE(holder != nullptr);
    CSharedMemory* block = nullptr;
    LONG position[2] = {};
    const bool written = PumpUntil([&] {
        if (OwnView(mouseStateBlock, 4).empty())
            return false;   // not made yet: opening it here would make it 32-bit
        if (!block)
            block = OpenMouseStateBlock();
        DWORD length = sizeof position;
        return block->ReadItem(itemMouseOwner, position, &length) && position[0] == 7;
    }, waitLimit);
    ASSERT_TRUE(written) << "the 64-bit simulator wrote nothing";
    DWORD length = sizeof position;
    ASSERT_TRUE(block->ReadItem(itemMousePosition, position, &length));
    EXPECT_EQ(8u, length);
    EXPECT_EQ(2000, position[0]);
    EXPECT_EQ(-3000, position[1]);
    EXPECT_EQ(OwnView(mouseStateBlock, mouseStateBlockSize), PartnerView(mouseStateBlock, mouseStateBlockSize));
    delete block;
    RunChild(Partner("devsim.exe"), "release", waitLimit);
    EXPECT_EQ(0u, WaitExit(holder, waitLimit));
}

// ---- the keyboard block ----

TEST(CrossBitness, KeyboardBlockWrittenBy32BitLibraryIsByteIdenticalFor64Bit)
{
    HMODULE library = ProductLibrary("VORRIN.DLL");
    ASSERT_TRUE(library != nullptr);
    auto mapPointer = reinterpret_cast<void* (__cdecl*)()>(GetProcAddress(library, "GetMapFilePointer"));
    ASSERT_TRUE(mapPointer != nullptr);
    BYTE* block = static_cast<BYTE*>(mapPointer());
    ASSERT_TRUE(block != nullptr);
    for (DWORD i = 0; i < keyboardBlockSize; ++i)
        block[i] = static_cast<BYTE>(i * 7 + 1);
    std::vector<BYTE> partner = PartnerView(keyboardBlock, keyboardBlockSize);
    std::vector<BYTE> own(block, block + keyboardBlockSize);
    EXPECT_EQ(own, partner);
    memset(block, 0, keyboardBlockSize);
    FreeLibrary(library);
}

// The 64-bit keyboard stand-in writes its window's handle into the block through its 64-bit library; the
// 32-bit library posts its notifications to that window.
TEST(CrossBitness, KeyboardLibrary32BitNotifiesThe64BitApplication)
{
    HMODULE library = ProductLibrary("VORRIN.DLL");
    ASSERT_TRUE(library != nullptr);
    auto mapPointer = reinterpret_cast<void* (__cdecl*)()>(GetProcAddress(library, "GetMapFilePointer"));
    auto lowLevel = reinterpret_cast<HOOKPROC>(GetProcAddress(library, "KeyboardProcLow"));
    ASSERT_TRUE(mapPointer && lowLevel);
    volatile DWORD* windowWord = static_cast<volatile DWORD*>(mapPointer());
    *windowWord = 0;

    struct Listener {
        std::string path;
        ChildResult result;
        static DWORD WINAPI Run(void* self)
        {
            Listener* listener = static_cast<Listener*>(self);
            listener->result = RunChild(listener->path, "listen 6", 60000);
            return 0;
        }
    } listener;
    listener.path = Partner("OSTREL.EXE");
    HANDLE thread = CreateThread(nullptr, 0, Listener::Run, &listener, 0, nullptr);
    ASSERT_TRUE(thread != nullptr);
    const bool listening = PumpUntil([&] { return *windowWord != 0; }, waitLimit);
    KBDLLHOOKSTRUCT key = {};
    key.vkCode = VK_VOLUME_MUTE;
    key.scanCode = 0x20;
    key.flags = LLKHF_EXTENDED;
    if (listening) {
        lowLevel(HC_ACTION, WM_KEYDOWN, reinterpret_cast<LPARAM>(&key));
        key.flags |= LLKHF_UP;
        lowLevel(HC_ACTION, WM_KEYUP, reinterpret_cast<LPARAM>(&key));
    }
    WaitForSingleObject(thread, 70000);
    CloseHandle(thread);
    FreeLibrary(library);
    ASSERT_TRUE(listening) << "the 64-bit stand-in wrote no window: " << listener.result.output;
    EXPECT_NE(std::string::npos, listener.result.output.find("notification wParam=1 lParam=32"))
        << listener.result.output;
}

// ---- the 32-bit hook library's shared section ----

DWORD WordAt(const BYTE* section, DWORD offset)
{
    DWORD word;
    memcpy(&word, section + offset, 4);
    return word;
}

TEST(HookSection32, WordsSitAtThe32BitOffsets)
{
    HMODULE library = ProductLibrary("hoppet.dll");
    ASSERT_TRUE(library != nullptr);
    const BYTE* base = reinterpret_cast<const BYTE*>(library);
    auto headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(headers);
    const BYTE* shared = nullptr;
    for (WORD i = 0; i < headers->FileHeader.NumberOfSections; ++i, ++section)
        if (memcmp(section->Name, ".HOOKDAT", 8) == 0)
            shared = base + section->VirtualAddress;
    ASSERT_TRUE(shared != nullptr);
    auto startHook = reinterpret_cast<int (*)(HWND)>(GetProcAddress(library, "StartHook"));
    auto stopHook = reinterpret_cast<int (*)()>(GetProcAddress(library, "StopHook"));
    ASSERT_TRUE(startHook && stopHook);
    HWND owner = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner != nullptr);

    EXPECT_NE(0, startHook(owner));
    // 0 module, 4 WH_MOUSE handle, 8 WH_MOUSE_LL handle, 16 the owner window, 20 low-level mode.
    EXPECT_EQ(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(library)), WordAt(shared, 0));
    EXPECT_EQ(HandleToUlong(owner), WordAt(shared, 16));
    const DWORD lowLevelMode = WordAt(shared, 20);
    EXPECT_TRUE(lowLevelMode == 0 || lowLevelMode == 1);
    EXPECT_NE(0u, lowLevelMode ? WordAt(shared, 8) : WordAt(shared, 4));
    EXPECT_EQ(0u, lowLevelMode ? WordAt(shared, 4) : WordAt(shared, 8));
    stopHook();
    EXPECT_EQ(0u, WordAt(shared, 4));
    EXPECT_EQ(0u, WordAt(shared, 8));
    DestroyWindow(owner);
    FreeLibrary(library);
}

// ---- the keyboard stand-in built 32-bit with the product's libraries ----

TEST(KeyboardStandIn32, SpecialKeysReachTheApplicationAsNotifications)
{
    struct Listener {
        ChildResult result;
        static DWORD WINAPI Run(void* self)
        {
            static_cast<Listener*>(self)->result = RunChild(ProgramFolder() + "OSTREL.EXE", "listen 8", 60000);
            return 0;
        }
    } listener;
    // As Windows XP: the library takes the keys in its low-level hook.
    ASSERT_TRUE(SetAppDefault("OSTREL.EXE", nullptr, "Version", "winxp"));
    HMODULE library = ProductLibrary("VORRIN.DLL");
    ASSERT_TRUE(library != nullptr);
    auto mapPointer = reinterpret_cast<void* (__cdecl*)()>(GetProcAddress(library, "GetMapFilePointer"));
    volatile DWORD* windowWord = static_cast<volatile DWORD*>(mapPointer());
    *windowWord = 0;
    HANDLE thread = CreateThread(nullptr, 0, Listener::Run, &listener, 0, nullptr);
    ASSERT_TRUE(thread != nullptr);
    const bool listening = PumpUntil([&] { return *windowWord != 0; }, waitLimit);
    ChildResult typed;
    if (listening)
        typed = RunChild(ProgramFolder() + "OSTREL.EXE", "inject", waitLimit);
    WaitForSingleObject(thread, 70000);
    CloseHandle(thread);
    FreeLibrary(library);
    ASSERT_TRUE(listening) << listener.result.output;
    const std::string& heard = listener.result.output;
    EXPECT_NE(std::string::npos, heard.find("notification wParam=4 lParam=1")) << heard << typed.output;
    EXPECT_NE(std::string::npos, heard.find("notification wParam=4 lParam=2")) << heard;
    EXPECT_NE(std::string::npos, heard.find("notification wParam=1 lParam=32")) << heard;   // Mute, scan 0x20
    EXPECT_NE(std::string::npos, heard.find("notification wParam=2 lParam=172")) << heard;  // Browser Home
}

TEST(KeyboardStandIn32, MixerRoundTrip)
{
    // The ends of the range: Wine's mixer rounds the values between through a percentage. As XP: on later
    // versions the library takes the audio endpoint, which Wine only stubs.
    ASSERT_TRUE(SetAppDefault("OSTREL.EXE", nullptr, "Version", "winxp"));
    ChildResult run = RunChild(ProgramFolder() + "OSTREL.EXE",
                               "mixer setvolume 0 getvolume setvolume 65535 getvolume setmute 1 getmute setmute 0 getmute",
                               waitLimit);
    ASSERT_TRUE(run.finished && run.exitCode == 0) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("MixerControlExist -> 1")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("GetVolume -> 1: volume 0 (")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("GetVolume -> 1: volume 65535 (")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("IsMute -> 1: mute 1")) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("IsMute -> 1: mute 0")) << run.output;
}

}  // namespace
