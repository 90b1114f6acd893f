// The mixer volume library. Through winmm: in a helper copy of this program that plays Windows XP against
// Wine's mixer (ALSA with a null output in the test prefix), and in one whose ALSA driver is switched off
// against no mixer device at all. Through the default audio endpoint: in helper copies that play Vista and
// later, against a fake device enumerator registered for the test (Wine's endpoint volume is a stub).
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include <objbase.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include "ChildProcess.h"
#include "FakeEndpointState.h"
#include "LaneFactor.h"
#include "RegistryScratch.h"
#include "mixer/EndpointScale.h"
#include "mixer/Tamsel.h"

namespace {

const char WinmmProgram[] = "mixer_winxp.exe";
const char NoDeviceProgram[] = "mixer_nodev_test.exe";
const char EndpointProgram[] = "mixer_win7.exe";
const DWORD waitLimit = 60000;

bool RunningAs(const char* program) { return _stricmp(OwnFileName().c_str(), program) == 0; }

// Runs a copy of this program named NAME as Windows VERSION (Wine's per-program setting).
ChildResult RunAs(const char* name, const char* version, const std::string& args)
{
    const std::string helper = CopySelfAsVersion(name, version);
    ChildResult child;
    if (helper.empty()) {
        child.output = std::string("no helper copy ") + name;
        return child;
    }
    child = RunChild(helper, args, waitLimit * LaneFactor());
    DeleteFileA(helper.c_str());
    return child;
}

// A whole line of the output.
bool HasLine(const std::string& output, const std::string& line)
{
    for (size_t at = output.find(line); at != std::string::npos; at = output.find(line, at + 1)) {
        const size_t end = at + line.size();
        if ((at == 0 || output[at - 1] == '\n') && (end == output.size() || output[end] == '\r' || output[end] == '\n'))
            return true;
    }
    return false;
}

// The system's own answer for a value of the speakers line's control, asked without the library.
struct SystemControl {
    DWORD id = 0;
    DWORD maximum = 0;

    bool Find(DWORD type)
    {
        MIXERLINEA line = {};
        line.cbStruct = sizeof(line);
        line.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_SPEAKERS;
        if (mixerGetLineInfoA(0, &line, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
            return false;
        MIXERCONTROLA control = {};
        control.cbStruct = sizeof(control);
        MIXERLINECONTROLSA controls = {};
        controls.cbStruct = sizeof(controls);
        controls.dwLineID = line.dwLineID;
        controls.dwControlType = type;
        controls.cControls = 1;
        controls.cbmxctrl = sizeof(control);
        controls.pamxctrl = &control;
        if (mixerGetLineControlsA(0, &controls, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR)
            return false;
        id = control.dwControlID;
        maximum = control.Bounds.dwMaximum;
        return true;
    }

    MMRESULT Access(DWORD* value, bool write) const
    {
        MIXERCONTROLDETAILS details = {};
        details.cbStruct = sizeof(details);
        details.dwControlID = id;
        details.cChannels = 1;
        details.cbDetails = sizeof(DWORD);
        details.paDetails = value;
        return write ? mixerSetControlDetails(0, &details, MIXER_SETCONTROLDETAILSF_VALUE)
                     : mixerGetControlDetailsA(0, &details, MIXER_GETCONTROLDETAILSF_VALUE);
    }
    MMRESULT Write(DWORD value) const { return Access(&value, true); }
    DWORD Read() const
    {
        DWORD value = 0xDEADBEEF;
        Access(&value, false);
        return value;
    }
};

class MixerWithDevice : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!RunningAs(WinmmProgram))
            GTEST_SKIP() << "runs in the helper copy that plays Windows XP";
        ASSERT_NE(0u, mixerGetNumDevs()) << "the test prefix should provide an ALSA null mixer";
        ASSERT_TRUE(volume.Find(MIXERCONTROL_CONTROLTYPE_VOLUME));
        ASSERT_TRUE(mute.Find(MIXERCONTROL_CONTROLTYPE_MUTE));
        savedVolume = volume.Read();
        savedMute = mute.Read();
    }
    void TearDown() override
    {
        if (volume.id)
            volume.Write(savedVolume);
        if (mute.id)
            mute.Write(savedMute);
    }

    SystemControl volume, mute;
    DWORD savedVolume = 0, savedMute = 0;
};

TEST_F(MixerWithDevice, VolumeIsReadAndWrittenWithTheControlsBounds)
{
    EXPECT_EQ(1, MixerControlExist());
    DWORD value = 0xDEADBEEF, minimum = 0xDEADBEEF, maximum = 0xDEADBEEF;
    ASSERT_EQ(1, GetVolume(&value, &minimum, &maximum));
    EXPECT_EQ(0u, minimum);
    EXPECT_EQ(volume.maximum, maximum);
    EXPECT_LT(minimum, maximum);
    EXPECT_EQ(volume.Read(), value);

    const DWORD targets[] = {minimum + (maximum - minimum) / 3, maximum, minimum, 12345 % (maximum + 1)};
    for (DWORD target : targets) {
        ASSERT_EQ(1, SetVolume(target)) << target;
        EXPECT_EQ(target, volume.Read()) << "the system holds what SetVolume wrote";
        ASSERT_EQ(1, GetVolume(&value, &minimum, &maximum));
        EXPECT_EQ(target, value);
    }
}

TEST_F(MixerWithDevice, VolumeAboveTheMaximumGoesToTheSystemUnchanged)
{
    const DWORD above = volume.maximum + 1000;
    // What the system itself makes of that value...
    ASSERT_EQ(MMSYSERR_NOERROR, volume.Write(100));
    const MMRESULT systemAnswer = volume.Write(above);
    const DWORD systemHolds = volume.Read();
    // ...is what the library's caller gets.
    ASSERT_EQ(MMSYSERR_NOERROR, volume.Write(100));
    EXPECT_EQ(systemAnswer == MMSYSERR_NOERROR ? 1 : 0, SetVolume(above));
    EXPECT_EQ(systemHolds, volume.Read());
    printf("a volume of %lu (maximum %lu): system answer %u, holds %lu\n", (unsigned long)above,
           (unsigned long)volume.maximum, systemAnswer, (unsigned long)systemHolds);
}

TEST_F(MixerWithDevice, MuteIsReadAndWritten)
{
    BOOL flag = 0x55;
    ASSERT_EQ(1, SetMute(TRUE));
    EXPECT_NE(0u, mute.Read());
    ASSERT_EQ(1, IsMute(&flag));
    EXPECT_EQ(1, flag);

    ASSERT_EQ(1, SetMute(FALSE));
    EXPECT_EQ(0u, mute.Read());
    flag = 0x55;
    ASSERT_EQ(1, IsMute(&flag));
    EXPECT_EQ(0, flag);

    // 2 goes to the system as it is; the system's own reading of it decides.
    ASSERT_EQ(MMSYSERR_NOERROR, mute.Write(2));
    const DWORD systemHolds = mute.Read();
    ASSERT_EQ(MMSYSERR_NOERROR, mute.Write(0));
    ASSERT_EQ(1, SetMute(2));
    EXPECT_EQ(systemHolds, mute.Read());
    ASSERT_EQ(1, IsMute(&flag));
    EXPECT_EQ(systemHolds ? 1 : 0, flag) << "IsMute reports 1 for any nonzero value";
}

TEST_F(MixerWithDevice, NullPointersAreRefused)
{
    DWORD value, minimum, maximum;
    EXPECT_EQ(0, GetVolume(NULL, &minimum, &maximum));
    EXPECT_EQ(0, GetVolume(&value, NULL, &maximum));
    EXPECT_EQ(0, GetVolume(&value, &minimum, NULL));
    EXPECT_EQ(0, IsMute(NULL));
}

// Without a mixer device (winmm), or without a default endpoint (the fake set so).
TEST(MixerWithoutDevice, EveryFunctionFailsAndIsMuteClearsItsFlag)
{
    if (!RunningAs(NoDeviceProgram) && !RunningAs(EndpointProgram))
        GTEST_SKIP() << "runs in the helper copies without a device";
    if (RunningAs(NoDeviceProgram)) {
        ASSERT_EQ(0u, mixerGetNumDevs());
    }
    EXPECT_EQ(0, MixerControlExist());
    DWORD value = 7, minimum = 8, maximum = 9;
    EXPECT_EQ(0, GetVolume(&value, &minimum, &maximum));
    EXPECT_EQ(7u, value);
    EXPECT_EQ(8u, minimum);
    EXPECT_EQ(9u, maximum);
    EXPECT_EQ(0, SetVolume(1000));
    BOOL flag = 0x55;
    EXPECT_EQ(0, IsMute(&flag));
    EXPECT_EQ(0, flag);
    EXPECT_EQ(0, SetMute(TRUE));
}

TEST(WinmmMixer, HelperAsWindowsXp)
{
    const ChildResult child = RunAs(WinmmProgram, "winxp", "--gtest_filter=MixerWithDevice.*");
    ASSERT_TRUE(child.finished) << child.output;
    EXPECT_EQ(0u, child.exitCode) << child.output;
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 4 tests")) << child.output;
}

// Wine's per-program DLL override switches the ALSA driver off for the helper copy only.
TEST(WinmmMixer, HelperWithoutAudioDriver)
{
    ASSERT_TRUE(SetAppDefault(NoDeviceProgram, "DllOverrides", "winealsa.drv", ""));
    const ChildResult child = RunAs(NoDeviceProgram, "winxp", "--gtest_filter=MixerWithoutDevice.*");
    ASSERT_TRUE(child.finished) << child.output;
    EXPECT_EQ(0u, child.exitCode) << child.output;
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test")) << child.output;
}

// ---- the default audio endpoint ----

TEST(EndpointScale, EveryValueReadsBackAsSet)
{
    for (DWORD value = 0; value <= endpointVolumeMaximum; ++value)
        ASSERT_EQ(value, VolumeFromScalar(ScalarFromVolume(value)));
    EXPECT_EQ(0.0f, ScalarFromVolume(0));
    EXPECT_EQ(1.0f, ScalarFromVolume(65535));
    EXPECT_EQ(32768u, VolumeFromScalar(0.5f)) << "halves round up";
    EXPECT_EQ(0u, VolumeFromScalar(0.49f / 65535));
    EXPECT_EQ(0u, VolumeFromScalar(-0.25f));
    EXPECT_EQ(0u, VolumeFromScalar(NAN));
    EXPECT_EQ(65535u, VolumeFromScalar(1.5f));
}

// HKEY_CLASSES_ROOT's in-process server of the device enumerator's class pointed at the fake (threading
// model Both) for the life of the object; Wine's own registration comes back after it.
class FakeEndpointRegistration {
public:
    FakeEndpointRegistration()
    {
        // A run stopped before its clean-up left the fake there: the system's own server comes back then.
        if (server.previous.find("fake_endpoint.dll") != std::string::npos) {
            char folder[MAX_PATH] = "";
            GetSystemDirectoryA(folder, MAX_PATH);
            server.previous = std::string(folder) + "\\mmdevapi.dll";
            model.previous = "Both";
            model.hadValue = true;
        }
        registered = server.Set(ProgramFolder() + "fake_endpoint.dll") && model.Set("Both");
    }
    bool Registered() const { return registered; }

private:
    static constexpr const char* classKey = "CLSID\\{BCDE0395-E52F-467C-8E3D-C4579291692E}";
    static constexpr const char* serverKey = "CLSID\\{BCDE0395-E52F-467C-8E3D-C4579291692E}\\InprocServer32";
    SavedRegistryValue server{HKEY_CLASSES_ROOT, serverKey, nullptr, classKey};
    SavedRegistryValue model{HKEY_CLASSES_ROOT, serverKey, "ThreadingModel", classKey};
    bool registered = false;
};

// The fake registered and its shared state held (so helpers one after the other see one device), set to
// a known level before each case.
class EndpointVolume : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registration.Registered());
        ASSERT_TRUE(state != nullptr);
        ZeroMemory(state, sizeof(*state));
        state->level = 12345 / 65535.0f;
        state->lastFlow = state->lastRole = -1;
    }
    void TearDown() override
    {
        if (state)
            UnmapViewOfFile(state);
        if (mapping)
            CloseHandle(mapping);
    }

    // The calls the fake took since the last look, as one line.
    std::string TakeCalls()
    {
        static const char* const names[fakeEndpointCallKinds] = {"enumerate", "default endpoint", "activate volume",
            "get level", "set level", "get mute", "set mute", "other"};
        std::string line;
        for (int call = 0; call < fakeEndpointCallKinds; ++call) {
            line += std::string(call ? ", " : "") + names[call] + " " + std::to_string(state->calls[call]);
            state->calls[call] = 0;
        }
        return line;
    }

    FakeEndpointRegistration registration;
    HANDLE mapping = nullptr;
    FakeEndpointState* state = OpenFakeEndpointState(&mapping);
};

TEST_F(EndpointVolume, ASecondProcessSeesWhatTheFirstSet)
{
    const struct {
        DWORD volume;
        int mute;
    } rounds[] = {{40000, 1}, {65535, 0}, {0, 1}};
    for (const auto& round : rounds) {
        const std::string volume = std::to_string(round.volume), mute = std::to_string(round.mute);
        const ChildResult setter = RunAs(EndpointProgram, "win7", "--endpoint set " + volume + " mute " + mute + " set 65536");
        ASSERT_TRUE(setter.finished) << setter.output;
        EXPECT_TRUE(HasLine(setter.output, "SetVolume(" + volume + ") -> 1")) << setter.output;
        EXPECT_TRUE(HasLine(setter.output, "SetMute(" + mute + ") -> 1")) << setter.output;
        EXPECT_TRUE(HasLine(setter.output, "SetVolume(65536) -> 0")) << "the endpoint refuses a level above 1.0";
        EXPECT_FLOAT_EQ(round.volume / 65535.0f, state->level);
        EXPECT_EQ(round.mute, state->mute);
        EXPECT_EQ(0, state->lastFlow) << "eRender";
        EXPECT_EQ(0, state->lastRole) << "eConsole";
        EXPECT_EQ("enumerate 0, default endpoint 3, activate volume 3, get level 0, set level 2, get mute 0, "
                  "set mute 1, other 0", TakeCalls());

        const ChildResult getter = RunAs(EndpointProgram, "win7", "--endpoint get");
        ASSERT_TRUE(getter.finished) << getter.output;
        EXPECT_TRUE(HasLine(getter.output, "GetVolume -> 1: " + volume + " (0..65535)")) << getter.output;
        EXPECT_TRUE(HasLine(getter.output, "IsMute -> 1: " + mute)) << getter.output;
        EXPECT_TRUE(HasLine(getter.output, "MixerControlExist -> 1")) << getter.output;
        EXPECT_EQ("enumerate 0, default endpoint 3, activate volume 3, get level 1, set level 0, get mute 1, "
                  "set mute 0, other 0", TakeCalls());
    }
}

TEST_F(EndpointVolume, EveryStepOfTheScaleReadsBackAsSet)
{
    const ChildResult sweep = RunAs(EndpointProgram, "win7", "--endpoint sweep");
    EXPECT_TRUE(HasLine(sweep.output, "sweep: 256 of 256 read back as set")) << sweep.output;
}

// COM is set up only on a thread that has none, and the thread is left as it was.
TEST_F(EndpointVolume, ComIsInitialisedOnlyForAThreadWithoutIt)
{
    const ChildResult run = RunAs(EndpointProgram, "win7", "--endpoint com");
    EXPECT_TRUE(HasLine(run.output, "no COM: GetVolume -> 1: 12345, then 0x00000000")) << run.output;
    EXPECT_TRUE(HasLine(run.output, "single-threaded: GetVolume -> 1: 12345, then 0x00000001")) << run.output;
    EXPECT_TRUE(HasLine(run.output, "multithreaded: GetVolume -> 1: 12345, then 0x00000001")) << run.output;
}

TEST_F(EndpointVolume, NoEndpointGivesWhatNoMixerGives)
{
    state->noEndpoint = TRUE;
    const ChildResult child = RunAs(EndpointProgram, "win7", "--gtest_filter=MixerWithoutDevice.*");
    EXPECT_EQ(0u, child.exitCode) << child.output;
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test")) << child.output;
    EXPECT_NE(0, state->calls[callDefaultEndpoint]);
    EXPECT_FLOAT_EQ(12345 / 65535.0f, state->level);
}

TEST_F(EndpointVolume, TheWindowsVersionPicksThePath)
{
    const struct {
        const char* version;
        bool endpoint;
    } table[] = {{"win98", false}, {"winxp", false}, {"vista", true}, {"win10", true}};
    for (const auto& row : table) {
        const std::string name = std::string("mixer_") + row.version + ".exe";
        const ChildResult child = RunAs(name.c_str(), row.version, "--endpoint set 1234");
        ASSERT_TRUE(child.finished) << child.output;
        EXPECT_EQ(row.endpoint ? 1 : 0, state->calls[callSetLevel]) << row.version << ": " << child.output;
        EXPECT_FLOAT_EQ((row.endpoint ? 1234 : 12345) / 65535.0f, state->level) << row.version;
        state->calls[callSetLevel] = 0;
        state->level = 12345 / 65535.0f;
    }
}

// ---- the helper copies' calls ----

// GetVolume on a thread without COM, in a single-threaded and in the multithreaded apartment. Afterwards
// the thread asks for the model it was in (multithreaded when none): S_FALSE says it still is in it, S_OK
// that it has no COM.
struct ComCase {
    const char* name;
    bool initialize;
    DWORD model;
    BOOL read;
    DWORD value;
    HRESULT after;
};

DWORD WINAPI RunComCase(void* parameter)
{
    ComCase& c = *static_cast<ComCase*>(parameter);
    const HRESULT before = c.initialize ? CoInitializeEx(nullptr, c.model) : E_FAIL;
    DWORD minimum = 0, maximum = 0;
    c.read = GetVolume(&c.value, &minimum, &maximum);
    c.after = CoInitializeEx(nullptr, c.model);
    if (SUCCEEDED(c.after))
        CoUninitialize();
    if (SUCCEEDED(before))
        CoUninitialize();
    return 0;
}

void PrintComCases()
{
    ComCase cases[] = {{"no COM", false, COINIT_MULTITHREADED, 0, 0, 0},
                       {"single-threaded", true, COINIT_APARTMENTTHREADED, 0, 0, 0},
                       {"multithreaded", true, COINIT_MULTITHREADED, 0, 0, 0}};
    for (ComCase& c : cases) {
        HANDLE thread = CreateThread(nullptr, 0, RunComCase, &c, 0, nullptr);
        if (!thread || WaitForSingleObject(thread, waitLimit) != WAIT_OBJECT_0)
            printf("%s: thread did not finish\n", c.name);
        else
            printf("%s: GetVolume -> %d: %lu, then 0x%08lx\n", c.name, c.read, static_cast<unsigned long>(c.value),
                   static_cast<unsigned long>(c.after));
        if (thread)
            CloseHandle(thread);
    }
}

// 0, 257, ..., 65535 (255 * 257) through SetVolume and back through GetVolume.
void PrintSweep()
{
    int same = 0;
    for (DWORD step = 0; step <= 255; ++step) {
        DWORD value = 0, minimum = 0, maximum = 0;
        if (SetVolume(step * 257) && GetVolume(&value, &minimum, &maximum) && value == step * 257)
            ++same;
        else
            printf("%lu read back as %lu\n", static_cast<unsigned long>(step * 257), static_cast<unsigned long>(value));
    }
    printf("sweep: %d of 256 read back as set\n", same);
}

// --endpoint OPERATION...: the library's exports called in order, each answer printed on a line of its own:
// set N, mute N, get, com, sweep.
int RunEndpointOperations(int count, char** operations)
{
    for (int i = 0; i < count; ++i) {
        const std::string operation = operations[i];
        if (operation == "set" && i + 1 < count) {
            const DWORD value = strtoul(operations[++i], nullptr, 10);
            printf("SetVolume(%lu) -> %d\n", static_cast<unsigned long>(value), SetVolume(value));
        } else if (operation == "mute" && i + 1 < count) {
            const BOOL mute = atoi(operations[++i]);
            printf("SetMute(%d) -> %d\n", mute, SetMute(mute));
        } else if (operation == "get") {
            DWORD value = 7, minimum = 8, maximum = 9;
            const BOOL read = GetVolume(&value, &minimum, &maximum);
            printf("GetVolume -> %d: %lu (%lu..%lu)\n", read, static_cast<unsigned long>(value),
                   static_cast<unsigned long>(minimum), static_cast<unsigned long>(maximum));
            BOOL mute = 0x55;
            const BOOL muteRead = IsMute(&mute);
            printf("IsMute -> %d: %d\n", muteRead, mute);
            printf("MixerControlExist -> %d\n", MixerControlExist());
        } else if (operation == "com") {
            PrintComCases();
        } else if (operation == "sweep") {
            PrintSweep();
        } else {
            printf("unknown operation %s\n", operation.c_str());
            return 2;
        }
    }
    fflush(stdout);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && strcmp(argv[1], "--endpoint") == 0)
        return RunEndpointOperations(argc - 2, argv + 2);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
