// The navigation pad in the running tray application, driven from outside as the mouse's device software
// drives it: devsim.exe writes "MousePosition" and sends "Open quimbel" and "Call quimbel l-btndown".
// One start-up of Quelmar.exe with the stand-in property program PLINDOR.EXE (about three seconds).
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "tests/support/ChildProcess.h"
#include "tests/support/MessagePump.h"
#include "tests/support/RegistryScratch.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"

namespace {

// The test program's folder without the trailing backslash, as "AppPath" holds it.
std::string BinFolder()
{
    std::string folder = ProgramFolder();
    folder.pop_back();
    return folder;
}

// Runs the device simulator with the given commands; its exit code (-1 when it did not start).
int DeviceSimulator(const std::string& commands)
{
    HANDLE process = StartProgram(ProgramFolder() + "devsim.exe", commands, BinFolder().c_str());
    if (!process)
        return -1;
    return static_cast<int>(WaitExit(process, 10000));
}

struct Search {
    DWORD processId;
    const char* title;    // null: any pad window (a dialog with the centre control)
    std::vector<HWND> found;
};

BOOL CALLBACK Visit(HWND window, LPARAM parameter)
{
    Search* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId)
        return TRUE;
    char text[64] = "";
    if (search->title) {
        GetWindowTextA(window, text, sizeof text);
        if (strcmp(text, search->title) == 0)
            search->found.push_back(window);
    } else if (GetClassNameA(window, text, sizeof text) && strcmp(text, "#32770") == 0 && GetDlgItem(window, 1008)) {
        search->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> Windows(DWORD processId, const char* title)
{
    Search search = {processId, title, {}};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

TEST(PadApp, OpenMoveOutsidePressAndEndOfThePropertyProgram)
{
    // The test holds the block too, so its items outlive the tray application.
    CSharedMemory* block = OpenMouseStateBlock();
    ASSERT_TRUE(block && block->IsReady());
    auto roundMap = [block] {
        DWORD value = 0xFFFFFFFF, length = sizeof value;
        block->ReadItem(itemRoundMap, &value, &length);
        return value;
    };
    ASSERT_EQ(nullptr, FindWindowA(nullptr, "Plindor")) << "a property program is still running";

    InstallFolderValue installFolder;
    std::string folder = BinFolder();
    ASSERT_TRUE(installFolder.Set(folder));

    DWORD quelmarId = 0;
    HANDLE quelmar = StartProgram(folder + "\\Quelmar.exe", "", folder.c_str(), &quelmarId);
    ASSERT_TRUE(quelmar);
    EXPECT_TRUE(PumpUntil([&] { return !Windows(quelmarId, "Quelmar").empty(); }, 15000)) << "no frame";
    // The frame exists once its start-up (property program, hook) is through.
    Pump(200);

    // "Open quimbel": one pad, centred on the position, published in "RoundMap".
    ASSERT_EQ(0, DeviceSimulator("owner 0 position 500 350 open"));
    HWND pad = nullptr;
    ASSERT_TRUE(PumpUntil([&] {
        std::vector<HWND> pads = Windows(quelmarId, nullptr);
        pad = pads.empty() ? nullptr : pads[0];
        return pad && IsWindowVisible(pad) && roundMap() == HandleToUlong(pad);
    }, 5000)) << "the pad did not open";
    RECT rect;
    GetWindowRect(pad, &rect);
    EXPECT_EQ(418, rect.left);
    EXPECT_EQ(268, rect.top);
    EXPECT_EQ(165, rect.right - rect.left);

    // A second request near the corner moves it, partly off the screen; still one pad.
    ASSERT_EQ(0, DeviceSimulator("position 40 30 open"));
    EXPECT_TRUE(PumpUntil([&] {
        GetWindowRect(pad, &rect);
        return rect.left == 40 - 82 && rect.top == 30 - 82;
    }, 2000)) << "left " << rect.left << " top " << rect.top;
    EXPECT_EQ(1u, Windows(quelmarId, nullptr).size());
    EXPECT_EQ(HandleToUlong(pad), roundMap());

    // A press inside the client area keeps it; one outside closes it.
    ASSERT_EQ(0, DeviceSimulator("lbutton 60 50"));
    Pump(300);
    EXPECT_TRUE(IsWindow(pad));
    EXPECT_EQ(HandleToUlong(pad), roundMap());
    ASSERT_EQ(0, DeviceSimulator("lbutton 600 500"));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(pad) && roundMap() == 0; }, 3000));

    // The property program ends while a pad is open: the tray application closes, the pad with it.
    ASSERT_EQ(0, DeviceSimulator("position 300 300 open"));
    ASSERT_TRUE(PumpUntil([&] {
        std::vector<HWND> pads = Windows(quelmarId, nullptr);
        pad = pads.empty() ? nullptr : pads[0];
        return pad && IsWindowVisible(pad) && roundMap() == HandleToUlong(pad);
    }, 5000));
    HWND plindor = FindWindowA(nullptr, "Plindor");
    ASSERT_TRUE(plindor);
    PostMessageA(plindor, WM_CLOSE, 0, 0);
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(quelmar, 8000)) << "the tray application did not end";
    DWORD code = 12345;
    GetExitCodeProcess(quelmar, &code);
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(IsWindow(pad));
    EXPECT_EQ(0u, roundMap());

    if (WaitForSingleObject(quelmar, 0) != WAIT_OBJECT_0)
        TerminateProcess(quelmar, 99);
    CloseHandle(quelmar);
    delete block;
}
