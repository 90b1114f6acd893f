// The shared block as other processes see it: exact bytes, error codes, processes opening it together,
// a lock left behind by a killed process, and blocks corrupted by another writer. Each case uses block
// names of its own (with this process's id), so the program can run beside other tests.
#include "ChildProcess.h"
#include "LaneFactor.h"
#include "shared/MouseProtocol.h"
#include "shared/SharedMemory.h"
#include <gtest/gtest.h>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

const DWORD waitLimit = 20000;   // no wait of this test lasts longer

std::string UniqueName(const char* tag)
{
    static int counter;
    char name[128];
    sprintf(name, "ferrowin_test_%lu_%s_%d", GetCurrentProcessId(), tag, ++counter);
    return name;
}

// A view of a block opened by name, without the class, as a process outside this system would.
class RawView {
public:
    explicit RawView(const std::string& name)
    {
        mapping = OpenFileMappingA(FILE_MAP_ALL_ACCESS, FALSE, name.c_str());
        bytes = mapping ? (BYTE*)MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0) : nullptr;
    }
    ~RawView()
    {
        if (bytes)
            UnmapViewOfFile(bytes);
        if (mapping)
            CloseHandle(mapping);
    }
    DWORD Word(DWORD offset) const
    {
        DWORD word;
        memcpy(&word, bytes + offset, 4);
        return word;
    }
    void SetWord(DWORD offset, DWORD word) { memcpy(bytes + offset, &word, 4); }
    std::vector<BYTE> Copy(DWORD length) const { return std::vector<BYTE>(bytes, bytes + length); }

    HANDLE mapping;
    BYTE* bytes;
};

// Prints the differing bytes of two images side by side.
::testing::AssertionResult SameBytes(const std::vector<BYTE>& expected, const std::vector<BYTE>& actual)
{
    if (expected == actual)
        return ::testing::AssertionSuccess();
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    failure << "sizes " << expected.size() << " / " << actual.size() << "; differing offsets:";
    int shown = 0;
    for (size_t i = 0; i < expected.size() && i < actual.size() && shown < 24; ++i) {
        if (expected[i] != actual[i]) {
            char line[64];
            sprintf(line, "\n  %4u: expected %02X, got %02X", (unsigned)i, expected[i], actual[i]);
            failure << line;
            ++shown;
        }
    }
    return failure;
}

void PutWord(std::vector<BYTE>& image, DWORD offset, DWORD word)
{
    memcpy(&image[offset], &word, 4);
}

void PutName(std::vector<BYTE>& image, DWORD offset, const char* name)
{
    for (DWORD i = 0; name[i]; ++i)
        image[offset + 2 * i] = (BYTE)name[i];   // ASCII names: low byte, high byte zero
}

BOOL IsSignalled(const std::string& eventName)
{
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, eventName.c_str());
    BOOL signalled = event && WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
    if (event)
        CloseHandle(event);
    return signalled;
}

// ---- helper processes (the same program started with an argument) ----

// --dump BLOCK FILE: copies the first 512 bytes of the block, as mapped here, into FILE.
int ChildDump(const char* block, const char* file)
{
    RawView view(block);
    if (!view.bytes)
        return 2;
    FILE* out = fopen(file, "wb");
    if (!out)
        return 3;
    size_t written = fwrite(view.bytes, 1, 512, out);
    fclose(out);
    return written == 512 ? 0 : 4;
}

// --open BLOCK TAG: releases TAG_ready, waits for TAG_go, opens the block with the protocol's items,
// releases TAG_done and keeps it open until TAG_exit.
int ChildOpen(const char* block, const std::string& tag)
{
    HANDLE ready = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, (tag + "_ready").c_str());
    HANDLE go = OpenEventA(SYNCHRONIZE, FALSE, (tag + "_go").c_str());
    HANDLE done = OpenSemaphoreA(SEMAPHORE_MODIFY_STATE, FALSE, (tag + "_done").c_str());
    HANDLE quit = OpenEventA(SYNCHRONIZE, FALSE, (tag + "_exit").c_str());
    if (!ready || !go || !done || !quit || !ReleaseSemaphore(ready, 1, nullptr) ||
        WaitForSingleObject(go, waitLimit) != WAIT_OBJECT_0)
        return 2;
    CSharedMemory memory(block, 512, InitMouseStateBlock);
    ReleaseSemaphore(done, 1, nullptr);
    WaitForSingleObject(quit, waitLimit);
    return memory.IsReady() ? 0 : 1;
}

// --hold BLOCK: takes the block's lock and keeps it until it is killed or BLOCK_release is set (the lock
// stays taken either way). Sets BLOCK_waiting, when the test made one, just before it waits for the lock.
int ChildHold(const char* block)
{
    HANDLE sync = OpenSemaphoreA(SYNCHRONIZE | SEMAPHORE_MODIFY_STATE, FALSE, (std::string(block) + "_Sync").c_str());
    HANDLE held = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(block) + "_held").c_str());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, (std::string(block) + "_release").c_str());
    if (HANDLE waiting = OpenEventA(EVENT_MODIFY_STATE, FALSE, (std::string(block) + "_waiting").c_str()))
        SetEvent(waiting);
    if (!sync || !held || !release || WaitForSingleObject(sync, waitLimit) != WAIT_OBJECT_0)
        return 2;
    SetEvent(held);
    return WaitForSingleObject(release, waitLimit * 3) == WAIT_OBJECT_0 ? 0 : 3;
}

// --badsd BLOCK: opens a block with security attributes that hold no valid descriptor; 0 when it is ready.
int ChildInvalidSecurity(const char* block)
{
    BYTE invalid[64] = {};
    SECURITY_ATTRIBUTES bad = {sizeof bad, invalid, FALSE};
    CSharedMemory memory(block, 512, nullptr, nullptr, &bad);
    return memory.IsReady() ? 0 : 1;
}

// A block with the protocol's items, as every test below starts from.
struct ProtocolBlock {
    ProtocolBlock() : name(UniqueName("proto")), memory(name.c_str(), 512, InitMouseStateBlock) {}
    std::string name;
    CSharedMemory memory;
};

// ---- layout ----

TEST(SharedMemoryLayout, AnotherProcessSeesTheProtocolBytes)
{
    ProtocolBlock block;
    ASSERT_TRUE(block.memory.IsReady());
    EXPECT_TRUE(block.memory.IsCreated());
    LONG position[2] = {-5, 700};
    DWORD owner = 1, roundMap = 0x00123456;
    ASSERT_TRUE(block.memory.WriteItem(itemMousePosition, position, 8));
    ASSERT_TRUE(block.memory.WriteItem(itemMouseOwner, &owner, 4));
    ASSERT_TRUE(block.memory.WriteItem(itemRoundMap, &roundMap, 4));

    char file[MAX_PATH];
    sprintf(file, "layout_%lu.bin", GetCurrentProcessId());
    ASSERT_EQ(0u, WaitExit(StartProgram(OwnPath(), "--dump " + block.name + " " + file), waitLimit));
    std::vector<BYTE> seen(512);
    FILE* in = fopen(file, "rb");
    ASSERT_TRUE(in != nullptr);
    ASSERT_EQ(512u, fread(seen.data(), 1, 512, in));
    fclose(in);
    DeleteFileA(file);

    std::vector<BYTE> expected(512, 0);
    PutWord(expected, 0, 3);
    PutWord(expected, 4, 512);
    PutName(expected, 8, "MousePosition");
    PutWord(expected, 88, 8);
    PutWord(expected, 92, (DWORD)-5);
    PutWord(expected, 96, 700);
    PutName(expected, 100, "MouseOwner");
    PutWord(expected, 180, 4);
    PutWord(expected, 184, 1);
    PutName(expected, 188, "RoundMap");
    PutWord(expected, 268, 4);
    PutWord(expected, 272, 0x00123456);
    EXPECT_TRUE(SameBytes(expected, seen));
}

TEST(SharedMemoryLayout, LaterOpenersKeepTheItemsAndTheirValues)
{
    ProtocolBlock first;
    DWORD roundMap = 0x777;
    ASSERT_TRUE(first.memory.WriteItem(itemRoundMap, &roundMap, 4));
    CSharedMemory second(first.name.c_str(), 1024, InitMouseStateBlock);
    ASSERT_TRUE(second.IsReady());
    EXPECT_FALSE(second.IsCreated());
    EXPECT_EQ(512u, second.GetSize()) << "the size stored by the creator wins over the argument";
    DWORD value = 0, length = 4;
    EXPECT_TRUE(second.ReadItem(itemRoundMap, &value, &length));
    EXPECT_EQ(0x777u, value) << "a later opener must not reset a live value";
    RawView view(first.name);
    EXPECT_EQ(3u, view.Word(0));
}

TEST(SharedMemoryLayout, ChangesAreAnnouncedOnTheNamedEvents)
{
    std::string name = UniqueName("event");
    std::string item = UniqueName("item");
    HANDLE blockEvent = CreateEventA(nullptr, TRUE, FALSE, (name + "_Event").c_str());
    HANDLE itemEvent = CreateEventA(nullptr, TRUE, FALSE, (item + "_Event").c_str());
    CSharedMemory memory(name.c_str(), 512);
    ASSERT_TRUE(memory.IsReady());
    EXPECT_FALSE(IsSignalled(name + "_Event"));
    ASSERT_TRUE(memory.AddItem(item.c_str(), 4));
    EXPECT_TRUE(IsSignalled(name + "_Event")) << "AddItem sets BLOCK_Event";
    EXPECT_FALSE(IsSignalled(item + "_Event"));
    ASSERT_TRUE(memory.WriteItem(item.c_str(), "abcd", 4));
    EXPECT_TRUE(IsSignalled(item + "_Event")) << "WriteItem sets ITEM_Event";
    CloseHandle(blockEvent);
    CloseHandle(itemEvent);
}

// Another process holds objects of other kinds under the event names: the change is made all the same,
// and the result says so.
TEST(SharedMemoryLayout, ChangeReportedWhenTheEventNameIsTaken)
{
    std::string name = UniqueName("squatted");
    std::string item = UniqueName("item");
    HANDLE blockSquatter = CreateMutexA(nullptr, FALSE, (name + "_Event").c_str());
    HANDLE itemSquatter = CreateSemaphoreA(nullptr, 1, 1, (item + "_Event").c_str());
    ASSERT_TRUE(blockSquatter && itemSquatter);
    CSharedMemory memory(name.c_str(), 512);
    ASSERT_TRUE(memory.IsReady());
    RawView view(name);
    EXPECT_TRUE(memory.AddItem(item.c_str(), 4));
    EXPECT_EQ(1u, view.Word(0)) << "item count";
    EXPECT_TRUE(memory.WriteItem(item.c_str(), "abcd", 4));
    EXPECT_EQ(0, memcmp(view.bytes + 8 + 84, "abcd", 4)) << "value bytes";
    CloseHandle(blockSquatter);
    CloseHandle(itemSquatter);
}

TEST(SharedMemoryLayout, RuntimeClass)
{
    CSharedMemory memory(UniqueName("class").c_str(), 64);
    EXPECT_TRUE(memory.IsKindOf(&CObject::classCObject));
}

// ---- error codes ----

// Checks the result, the object's last error and the thread's last error of one operation.
#define EXPECT_FAILS_WITH(code, memory, call)                       \
    do {                                                            \
        SetLastError(0xDEAD);                                       \
        EXPECT_FALSE(call);                                         \
        EXPECT_EQ((DWORD)(code), (memory).GetLastError()) << #call; \
        EXPECT_EQ((DWORD)(code), ::GetLastError()) << #call;        \
    } while (0)

TEST(SharedMemoryErrors, AddItem)
{
    std::string name = UniqueName("add");
    CSharedMemory memory(name.c_str(), 512);
    ASSERT_TRUE(memory.IsReady());
    EXPECT_FAILS_WITH(ERROR_BAD_LENGTH, memory, memory.AddItem("zero", 0));
    std::string name39(39, 'n'), name40(40, 'n');
    EXPECT_TRUE(memory.AddItem(name39.c_str(), 4));
    EXPECT_FAILS_WITH(RPC_S_STRING_TOO_LONG, memory, memory.AddItem(name40.c_str(), 4));
    EXPECT_FAILS_WITH(ERROR_ALREADY_EXISTS, memory, memory.AddItem(name39.c_str(), 8));
    EXPECT_TRUE(memory.HasItem(name39.c_str()));
    EXPECT_FALSE(memory.HasItem("N"));   // names are case-sensitive; a different name is not found

    RawView view(name);
    // 39 units of name and the terminator fill the 80-byte name field.
    EXPECT_EQ(0, memcmp(view.bytes + 8 + 78, "\0\0", 2));
    EXPECT_EQ('n', view.bytes[8 + 76]);
}

TEST(SharedMemoryErrors, ItemThatExactlyFillsTheBlock)
{
    std::string name = UniqueName("fit");
    CSharedMemory memory(name.c_str(), 512);
    ASSERT_TRUE(memory.AddItem("first", 10));   // ends at 8 + 84 + 10 = 102
    RawView view(name);
    std::vector<BYTE> before = view.Copy(512);
    EXPECT_FAILS_WITH(ERROR_OUTOFMEMORY, memory, memory.AddItem("rest", 512 - 102 - 84 + 1));
    EXPECT_TRUE(SameBytes(before, view.Copy(512))) << "a failed AddItem leaves the block unchanged";
    EXPECT_TRUE(memory.AddItem("rest", 512 - 102 - 84));
    EXPECT_EQ(2u, view.Word(0));
    EXPECT_FAILS_WITH(ERROR_OUTOFMEMORY, memory, memory.AddItem("more", 1));
    std::vector<BYTE> full(512 - 102 - 84, 0xAB);
    EXPECT_TRUE(memory.WriteItem("rest", full.data(), (DWORD)full.size()));
    EXPECT_EQ(0xAB, view.bytes[511]);
}

TEST(SharedMemoryErrors, WriteAndReadItem)
{
    CSharedMemory memory(UniqueName("rw").c_str(), 512);
    ASSERT_TRUE(memory.AddItem("value", 8));
    BYTE ones[8] = {1, 1, 1, 1, 1, 1, 1, 1};
    EXPECT_FAILS_WITH(ERROR_FILE_NOT_FOUND, memory, memory.WriteItem("missing", ones, 4));
    EXPECT_FAILS_WITH(ERROR_BAD_LENGTH, memory, memory.WriteItem("value", ones, 0));
    EXPECT_FAILS_WITH(ERROR_NOT_ENOUGH_MEMORY, memory, memory.WriteItem("value", ones, 9));
    ASSERT_TRUE(memory.WriteItem("value", ones, 8));
    ASSERT_TRUE(memory.WriteItem("value", "\x07\x08", 2));

    BYTE buffer[16];
    memset(buffer, 0xEE, sizeof buffer);
    DWORD length = 0;
    EXPECT_TRUE(memory.ReadItem("value", nullptr, &length));
    EXPECT_EQ(8u, length);
    length = 7;
    EXPECT_FAILS_WITH(ERROR_INSUFFICIENT_BUFFER, memory, memory.ReadItem("value", buffer, &length));
    EXPECT_EQ(8u, length) << "the needed size comes back";
    EXPECT_EQ(0xEE, buffer[0]) << "nothing copied into a buffer that is too small";
    length = sizeof buffer;
    EXPECT_TRUE(memory.ReadItem("value", buffer, &length));
    EXPECT_EQ(8u, length);
    const BYTE expected[9] = {7, 8, 0, 0, 0, 0, 0, 0, 0xEE};
    EXPECT_EQ(0, memcmp(expected, buffer, 9)) << "a short write leaves the rest of the value zero";
    length = sizeof buffer;
    EXPECT_FAILS_WITH(ERROR_FILE_NOT_FOUND, memory, memory.ReadItem("missing", buffer, &length));

    EXPECT_FALSE(memory.HasItem("missing"));
    EXPECT_EQ(0u, memory.GetLastError());
    EXPECT_FALSE(memory.ReadItem("missing", buffer, &length));
    EXPECT_TRUE(memory.HasItem("value"));
    EXPECT_EQ(0u, memory.GetLastError()) << "HasItem clears the last error";
}

TEST(SharedMemoryErrors, NotReadyObjectAnswersEveryOperation)
{
    // A name already taken by an object of another kind makes the mapping fail.
    std::string name = UniqueName("taken");
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name.c_str());
    CSharedMemory memory(name.c_str(), 512);
    EXPECT_FALSE(memory.IsReady());
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, memory.GetLastError());
    DWORD length = 4, value;
    EXPECT_FAILS_WITH(ERROR_OBJECT_NOT_FOUND, memory, memory.AddItem("a", 4));
    EXPECT_FAILS_WITH(ERROR_OBJECT_NOT_FOUND, memory, memory.WriteItem("a", "abcd", 4));
    EXPECT_FAILS_WITH(ERROR_OBJECT_NOT_FOUND, memory, memory.ReadItem("a", &value, &length));
    EXPECT_FAILS_WITH(ERROR_OBJECT_NOT_FOUND, memory, memory.HasItem("a"));
    CloseHandle(mutex);
}

TEST(SharedMemoryErrors, LockThatCannotBeCreatedIsAFailureNotAnException)
{
    std::string name = UniqueName("nosync");
    HANDLE mutex = CreateMutexA(nullptr, FALSE, (name + "_Sync").c_str());
    CSharedMemory memory(name.c_str(), 512);
    EXPECT_FALSE(memory.IsReady());
    EXPECT_EQ((DWORD)ERROR_INVALID_HANDLE, memory.GetLastError());
    EXPECT_FAILS_WITH(ERROR_OBJECT_NOT_FOUND, memory, memory.AddItem("a", 4));
    CloseHandle(mutex);
}

TEST(SharedMemoryErrors, SuppliedSecurityAttributes)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    if (!(version.dwMinorVersion == 0 || version.dwMinorVersion == 1 || version.dwMinorVersion == 51))
        GTEST_SKIP() << "this Windows version creates the objects with default security";
    BYTE invalid[64] = {};   // revision 0: not a security descriptor
    SECURITY_ATTRIBUTES bad = {sizeof bad, invalid, FALSE};
    CSharedMemory rejected(UniqueName("badsd").c_str(), 512, nullptr, nullptr, &bad);
    EXPECT_FALSE(rejected.IsReady());
    EXPECT_EQ((DWORD)ERROR_INVALID_PARAMETER, rejected.GetLastError());

    SECURITY_DESCRIPTOR open;
    InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
    SECURITY_ATTRIBUTES good = {sizeof good, &open, FALSE};
    CSharedMemory accepted(UniqueName("goodsd").c_str(), 512, nullptr, nullptr, &good);
    EXPECT_TRUE(accepted.IsReady());
    EXPECT_TRUE(accepted.AddItem("a", 4));
}

TEST(SharedMemoryErrors, SecurityIsAppliedOnTheNtFamilyOnly)
{
    // Windows 95 reports 4.0 like NT 4.0; its security functions are failing stubs, so it must not take the
    // explicit-security path (where supplied attributes are checked).
    const struct { const char* version; DWORD exitCode; } cases[] = {{"win95", 0}, {"nt40", 1}};
    for (const auto& c : cases) {
        std::string name = std::string("shared_memory_") + c.version + ".exe";
        std::string copy = CopySelfAsVersion(name, c.version);
        ASSERT_FALSE(copy.empty());
        ChildResult result = RunChild(copy, "--badsd " + UniqueName(c.version), waitLimit);
        EXPECT_TRUE(result.finished);
        EXPECT_EQ(c.exitCode, result.exitCode) << c.version;
    }
}

// ---- several processes ----

TEST(SharedMemoryConcurrency, ProcessesOpeningTogetherAddEachItemOnce)
{
    const int children = 4;
    for (int round = 0; round < 3; ++round) {
        std::string block = UniqueName("race"), tag = UniqueName("racetag");
        HANDLE ready = CreateSemaphoreA(nullptr, 0, children, (tag + "_ready").c_str());
        HANDLE go = CreateEventA(nullptr, TRUE, FALSE, (tag + "_go").c_str());
        HANDLE done = CreateSemaphoreA(nullptr, 0, children, (tag + "_done").c_str());
        HANDLE quit = CreateEventA(nullptr, TRUE, FALSE, (tag + "_exit").c_str());
        HANDLE processes[children];
        for (int i = 0; i < children; ++i)
            ASSERT_TRUE((processes[i] = StartProgram(OwnPath(), "--open " + block + " " + tag)) != nullptr);
        for (int i = 0; i < children; ++i)
            ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ready, waitLimit)) << "child " << i << " not at the start line";
        SetEvent(go);
        for (int i = 0; i < children; ++i)
            ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(done, waitLimit)) << "child " << i << " did not open";
        {
            RawView view(block);
            ASSERT_TRUE(view.bytes != nullptr);
            std::vector<BYTE> expected(512, 0);
            PutWord(expected, 0, 3);
            PutWord(expected, 4, 512);
            PutName(expected, 8, "MousePosition");
            PutWord(expected, 88, 8);
            PutName(expected, 100, "MouseOwner");
            PutWord(expected, 180, 4);
            PutName(expected, 188, "RoundMap");
            PutWord(expected, 268, 4);
            EXPECT_TRUE(SameBytes(expected, view.Copy(512))) << "round " << round;
        }
        SetEvent(quit);
        for (int i = 0; i < children; ++i)
            EXPECT_EQ(0u, WaitExit(processes[i], waitLimit));
        CloseHandle(ready);
        CloseHandle(go);
        CloseHandle(done);
        CloseHandle(quit);
    }
}

TEST(SharedMemoryConcurrency, LockOfAKilledProcessIsRecovered)
{
    ProtocolBlock block;
    ASSERT_TRUE(block.memory.IsReady());
    LONG position[2] = {10, 20};
    ASSERT_TRUE(block.memory.WriteItem(itemMousePosition, position, 8));
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, (block.name + "_held").c_str());
    HANDLE child = StartProgram(OwnPath(), "--hold " + block.name);
    ASSERT_TRUE(child != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, waitLimit));
    TerminateProcess(child, 1);
    WaitExit(child, waitLimit);

    RawView view(block.name);
    std::vector<BYTE> before = view.Copy(512);
    LONG moved[2] = {30, 40};
    DWORD start = GetTickCount();
    EXPECT_FAILS_WITH(ERROR_TIMEOUT, block.memory, block.memory.WriteItem(itemMousePosition, moved, 8));
    DWORD waited = GetTickCount() - start;
    EXPECT_GE(waited, 400u);
    EXPECT_LE(waited, 2000u * LaneFactor());
    EXPECT_TRUE(SameBytes(before, view.Copy(512))) << "a timed-out operation changes nothing";

    start = GetTickCount();
    EXPECT_TRUE(block.memory.WriteItem(itemMousePosition, moved, 8));
    DWORD length = 8;
    LONG read[2] = {};
    EXPECT_TRUE(block.memory.ReadItem(itemMousePosition, read, &length));
    EXPECT_LT(GetTickCount() - start, 400u) << "the next operations find the lock free again";
    EXPECT_EQ(30, read[0]);
    EXPECT_EQ(40, read[1]);
    CloseHandle(held);
}

TEST(SharedMemoryConcurrency, OpeningWhileAStaleLockIsHeld)
{
    ProtocolBlock block;
    HANDLE held = CreateEventA(nullptr, TRUE, FALSE, (block.name + "_held").c_str());
    HANDLE child = StartProgram(OwnPath(), "--hold " + block.name);
    ASSERT_TRUE(child != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, waitLimit));
    TerminateProcess(child, 1);
    WaitExit(child, waitLimit);

    DWORD start = GetTickCount();
    CSharedMemory later(block.name.c_str(), 512, InitMouseStateBlock);
    DWORD waited = GetTickCount() - start;
    EXPECT_TRUE(later.IsReady());
    EXPECT_GE(waited, 400u);
    EXPECT_LE(waited, 2000u * LaneFactor());
    EXPECT_TRUE(later.HasItem(itemRoundMap));
    CloseHandle(held);
}

TEST(SharedMemoryConcurrency, OpeningFailsWhenTheLockStaysTaken)
{
    // One process holds the lock; a second waits for it and takes it as soon as the opener frees the
    // stale lock, so the opener's second wait times out as well.
    ProtocolBlock block;
    HANDLE held = CreateEventA(nullptr, FALSE, FALSE, (block.name + "_held").c_str());
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, (block.name + "_release").c_str());
    HANDLE holder = StartProgram(OwnPath(), "--hold " + block.name);
    ASSERT_TRUE(holder != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, waitLimit));
    // The second one signals just before its wait; the opener below waits a second before it frees the
    // stale lock, which the waiter is in by then.
    HANDLE waiting = CreateEventA(nullptr, FALSE, FALSE, (block.name + "_waiting").c_str());
    HANDLE waiter = StartProgram(OwnPath(), "--hold " + block.name);
    ASSERT_TRUE(waiter != nullptr);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(waiting, waitLimit));

    DWORD start = GetTickCount();
    CSharedMemory later(block.name.c_str(), 512, InitMouseStateBlock);
    DWORD waited = GetTickCount() - start;
    EXPECT_FALSE(later.IsReady());
    EXPECT_EQ((DWORD)ERROR_TIMEOUT, later.GetLastError());
    EXPECT_GE(waited, 900u);
    EXPECT_LE(waited, 3000u * LaneFactor());
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(held, waitLimit)) << "the second holder got the lock";
    SetEvent(release);
    EXPECT_EQ(0u, WaitExit(holder, waitLimit));
    EXPECT_EQ(0u, WaitExit(waiter, waitLimit));
    CloseHandle(release);
    CloseHandle(waiting);
    CloseHandle(held);
}

// ---- corrupted blocks ----

// A 512-byte block with two items, the rest of its page filled with a pattern nobody may touch.
struct CorruptibleBlock {
    CorruptibleBlock() : name(UniqueName("corrupt")), memory(name.c_str(), 512), view(name)
    {
        memory.AddItem("one", 8);
        memory.AddItem("two", 4);
        memset(view.bytes + 512, 0xCC, 4096 - 512);
    }
    BOOL Untouched(const std::vector<BYTE>& before) const
    {
        for (DWORD i = 512; i < 4096; ++i)
            if (view.bytes[i] != 0xCC)
                return FALSE;
        return view.Copy(512) == before;
    }
    std::string name;
    CSharedMemory memory;
    RawView view;
};

TEST(SharedMemoryCorruption, CountBeyondTheItems)
{
    CorruptibleBlock block;
    ASSERT_TRUE(block.view.bytes != nullptr);
    block.view.SetWord(0, 0xFFFFFFFF);
    std::vector<BYTE> before = block.view.Copy(512);
    DWORD value = 0, length = 4;
    EXPECT_TRUE(block.memory.ReadItem("two", &value, &length)) << "items before the damage stay readable";
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.ReadItem("missing", &value, &length));
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.WriteItem("missing", &value, 4));
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.AddItem("three", 4));
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.HasItem("missing"));
    EXPECT_TRUE(block.Untouched(before));
}

TEST(SharedMemoryCorruption, ValueSizeBeyondTheBlock)
{
    const DWORD sizes[] = {0xFFFFFFFF, 0x7FFFFFF0, 512 - 8 - 84 + 1};
    for (DWORD corruptSize : sizes) {
        CorruptibleBlock block;
        ASSERT_TRUE(block.view.bytes != nullptr);
        block.view.SetWord(8 + 80, corruptSize);
        std::vector<BYTE> before = block.view.Copy(512);
        BYTE buffer[16] = {};
        DWORD length = sizeof buffer;
        EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.ReadItem("one", buffer, &length));
        EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.ReadItem("two", buffer, &length));
        EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.WriteItem("one", buffer, 8));
        EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.AddItem("three", 4));
        EXPECT_TRUE(block.Untouched(before)) << "value size " << corruptSize;
    }
}

TEST(SharedMemoryCorruption, HeaderThatDoesNotFitTheNextItem)
{
    CorruptibleBlock block;
    // The second item's value would end 2 bytes before the block's end: no room for a third header.
    block.view.SetWord(8 + 84 + 8 + 80, 512 - (8 + 84 + 8) - 84 - 2);
    block.view.SetWord(0, 3);
    std::vector<BYTE> before = block.view.Copy(512);
    DWORD length = 4;
    BYTE buffer[4];
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, block.memory, block.memory.ReadItem("x", buffer, &length));
    EXPECT_TRUE(block.Untouched(before));
}

TEST(SharedMemoryCorruption, StoredSizeIsNotTrustedBeyondTheView)
{
    CorruptibleBlock block;
    block.view.SetWord(4, 0x7FFFFFFF);
    CSharedMemory later(block.name.c_str(), 512);
    ASSERT_TRUE(later.IsReady());
    MEMORY_BASIC_INFORMATION region;
    ASSERT_TRUE(VirtualQuery(block.view.bytes, &region, sizeof region));
    EXPECT_LE(later.GetSize(), region.RegionSize);
    EXPECT_FAILS_WITH(ERROR_OUTOFMEMORY, later, later.AddItem("huge", 0x10000000));
    DWORD room = later.GetSize() - (8 + 84 + 8 + 84 + 4) - 84;
    EXPECT_FAILS_WITH(ERROR_OUTOFMEMORY, later, later.AddItem("big", room + 1));

    block.view.SetWord(4, 3);   // not even the header fits
    CSharedMemory tiny(block.name.c_str(), 512);
    ASSERT_TRUE(tiny.IsReady());
    DWORD length = 8;
    BYTE buffer[8];
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, tiny, tiny.ReadItem("one", buffer, &length));
    EXPECT_FAILS_WITH(ERROR_FILE_CORRUPT, tiny, tiny.AddItem("new", 4));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && strcmp(argv[1], "--dump") == 0)
        return ChildDump(argv[2], argv[3]);
    if (argc >= 4 && strcmp(argv[1], "--open") == 0)
        return ChildOpen(argv[2], argv[3]);
    if (argc >= 3 && strcmp(argv[1], "--hold") == 0)
        return ChildHold(argv[2]);
    if (argc >= 3 && strcmp(argv[1], "--badsd") == 0)
        return ChildInvalidSecurity(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
