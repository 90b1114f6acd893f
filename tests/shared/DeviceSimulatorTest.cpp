// The device simulator plays the outside side of the protocol for the other tests and the demo: what it
// writes into the block and which messages reach which window. Uses the fixed block name: runs alone.
#include "ChildProcess.h"
#include "MessagePump.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

struct Arrived {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Arrived& other) const
    {
        return message == other.message && wParam == other.wParam && lParam == other.lParam;
    }
};

std::vector<Arrived> g_arrived;
UINT g_openQuimbel, g_callQuimbel;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == g_openQuimbel || message == g_callQuimbel)
        g_arrived.push_back({message, wParam, lParam});
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string Describe(const std::vector<Arrived>& messages)
{
    std::string text;
    for (const Arrived& m : messages) {
        char line[96];
        sprintf(line, "\n  %s wParam %llu lParam %lld",
                m.message == g_openQuimbel ? "Open quimbel" : m.message == g_callQuimbel ? "Call quimbel" : "?",
                (unsigned long long)m.wParam, (long long)m.lParam);
        text += line;
    }
    return text.empty() ? "\n  (none)" : text;
}

// Runs devsim with the arguments, pumping this thread's messages until it ends and for a moment after.
DWORD RunDeviceSimulator(const std::string& arguments)
{
    HANDLE process = StartProgram(ProgramFolder() + "devsim.exe", arguments);
    if (!process)
        return 999;
    // Its last messages may still be on their way when it ends.
    if (PumpUntil([process] { return WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 10000))
        Pump(200);
    return WaitExit(process, 0);
}

class DeviceSimulator : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_openQuimbel = RegisterWindowMessageA(MSG_OPEN_QUIMBEL);
        g_callQuimbel = RegisterWindowMessageA(MSG_CALL_QUIMBEL);
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = RecordingProc;
        windowClass.lpszClassName = "FerrowinDevsimTarget";
        RegisterClassA(&windowClass);
        sprintf(title, "devsim target %lu", GetCurrentProcessId());
        window = CreateWindowA("FerrowinDevsimTarget", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        ASSERT_TRUE(window != nullptr);
        block = OpenMouseStateBlock();
        ASSERT_TRUE(block && block->IsReady());
        g_arrived.clear();
    }
    void TearDown() override
    {
        DWORD zero = 0;
        if (block)
            block->WriteItem(ITEM_ROUND_MAP, &zero, 4);
        delete block;
        DestroyWindow(window);
    }

    char title[64];
    HWND window = nullptr;
    CSharedMemory* block = nullptr;
};

TEST_F(DeviceSimulator, WritesPositionAndOwner)
{
    EXPECT_EQ(0u, RunDeviceSimulator("position -12 345 owner 3"));
    LONG position[2] = {};
    DWORD owner = 0, length = 8;
    EXPECT_TRUE(block->ReadItem(ITEM_MOUSE_POSITION, position, &length));
    EXPECT_EQ(-12, position[0]);
    EXPECT_EQ(345, position[1]);
    length = 4;
    EXPECT_TRUE(block->ReadItem(ITEM_MOUSE_OWNER, &owner, &length));
    EXPECT_EQ(3u, owner);
}

TEST_F(DeviceSimulator, OpenReachesTheNamedWindow)
{
    EXPECT_EQ(0u, RunDeviceSimulator(std::string("open --title \"") + title + "\""));
    std::vector<Arrived> expected = {{g_openQuimbel, 0, 0}};
    EXPECT_TRUE(g_arrived == expected) << "expected:" << Describe(expected) << "\narrived:" << Describe(g_arrived);
}

TEST_F(DeviceSimulator, LeftButtonGoesToThePadInRoundMap)
{
    DWORD pad = HandleToUlong(window);
    ASSERT_TRUE(block->WriteItem(ITEM_ROUND_MAP, &pad, 4));
    EXPECT_EQ(0u, RunDeviceSimulator("lbutton 40 50"));
    std::vector<Arrived> expected = {{g_callQuimbel, 0, 0}};
    EXPECT_TRUE(g_arrived == expected) << "expected:" << Describe(expected) << "\narrived:" << Describe(g_arrived);
    LONG position[2] = {};
    DWORD length = 8;
    EXPECT_TRUE(block->ReadItem(ITEM_MOUSE_POSITION, position, &length));
    EXPECT_EQ(40, position[0]);
    EXPECT_EQ(50, position[1]);
}

TEST_F(DeviceSimulator, NoPadNoMessage)
{
    DWORD pad = 0;
    ASSERT_TRUE(block->WriteItem(ITEM_ROUND_MAP, &pad, 4));
    EXPECT_EQ(1u, RunDeviceSimulator("lbutton"));
    EXPECT_TRUE(g_arrived.empty()) << "arrived:" << Describe(g_arrived);
}

}  // namespace
