// The mixer volume library against Wine's mixer (ALSA with a null output in the test prefix), and, in a
// helper copy of this program whose ALSA driver is switched off, against no mixer device at all.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>
#include "ChildProcess.h"
#include "mixer/Tamsel.h"

namespace {

const char NoDeviceProgram[] = "mixer_nodev_test.exe";

bool RunningWithoutDevice() { return _stricmp(OwnFileName().c_str(), NoDeviceProgram) == 0; }

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
        if (RunningWithoutDevice())
            GTEST_SKIP() << "the helper copy has no mixer device";
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

TEST(MixerWithoutDevice, EveryFunctionFailsAndIsMuteClearsItsFlag)
{
    if (!RunningWithoutDevice())
        GTEST_SKIP() << "runs in the helper copy without a mixer device";
    ASSERT_EQ(0u, mixerGetNumDevs());
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

// Wine's per-program DLL override switches the ALSA driver off for the helper copy only.
TEST(MixerWithoutDevice, HelperWithoutAudioDriver)
{
    if (RunningWithoutDevice())
        GTEST_SKIP();
    const std::string helper = CopySelfAs(NoDeviceProgram);
    ASSERT_FALSE(helper.empty());
    ASSERT_TRUE(SetAppDefault(NoDeviceProgram, "DllOverrides", "winealsa.drv", ""));
    const ChildResult child = RunChild(helper, "--gtest_filter=MixerWithoutDevice.*", 60000);
    DeleteFileA(helper.c_str());
    ASSERT_TRUE(child.finished) << child.output;
    EXPECT_EQ(0u, child.exitCode) << child.output;
    EXPECT_NE(std::string::npos, child.output.find("[  PASSED  ] 1 test")) << child.output;
}

}  // namespace
