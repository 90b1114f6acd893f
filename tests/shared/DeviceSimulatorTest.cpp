// The device simulator plays the outside side of the protocol for the other tests and the demo: what it
// writes into the block and which messages reach which window. Uses the fixed block name: runs alone.
#include "tests/support/ChildProcess.h"
#include "tests/support/MessageLog.h"
#include "tests/support/MessagePump.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

UINT g_openQuimbel, g_callQuimbel;

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
        g_openQuimbel = RegisterWindowMessageA(openQuimbelName);
        g_callQuimbel = RegisterWindowMessageA(callQuimbelName);
        ASSERT_TRUE(RegisterRecordingClass("FerrowinDevsimTarget"));
        sprintf(title, "devsim target %lu", GetCurrentProcessId());
        window = CreateWindowA("FerrowinDevsimTarget", title, WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(window != nullptr);
        block = OpenMouseStateBlock();
        ASSERT_TRUE(block && block->IsReady());
        g_messageLog.Clear();
    }
    void TearDown() override
    {
        DWORD zero = 0;
        if (block)
            block->WriteItem(itemRoundMap, &zero, 4);
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
    EXPECT_TRUE(block->ReadItem(itemMousePosition, position, &length));
    EXPECT_EQ(-12, position[0]);
    EXPECT_EQ(345, position[1]);
    length = 4;
    EXPECT_TRUE(block->ReadItem(itemMouseOwner, &owner, &length));
    EXPECT_EQ(3u, owner);
}

TEST_F(DeviceSimulator, OpenReachesTheNamedWindow)
{
    EXPECT_EQ(0u, RunDeviceSimulator(std::string("open --title \"") + title + "\""));
    EXPECT_TRUE(SameSequence({Posted(g_openQuimbel, 0, 0)}, g_messageLog.Sequence({window})));
}

TEST_F(DeviceSimulator, LeftButtonGoesToThePadInRoundMap)
{
    DWORD pad = HandleToUlong(window);
    ASSERT_TRUE(block->WriteItem(itemRoundMap, &pad, 4));
    EXPECT_EQ(0u, RunDeviceSimulator("lbutton 40 50"));
    EXPECT_TRUE(SameSequence({Posted(g_callQuimbel, 0, 0)}, g_messageLog.Sequence({window})));
    LONG position[2] = {};
    DWORD length = 8;
    EXPECT_TRUE(block->ReadItem(itemMousePosition, position, &length));
    EXPECT_EQ(40, position[0]);
    EXPECT_EQ(50, position[1]);
}

TEST_F(DeviceSimulator, NoPadNoMessage)
{
    DWORD pad = 0;
    ASSERT_TRUE(block->WriteItem(itemRoundMap, &pad, 4));
    EXPECT_EQ(1u, RunDeviceSimulator("lbutton"));
    EXPECT_TRUE(SameSequence({}, g_messageLog.Sequence({window})));
}

}  // namespace
