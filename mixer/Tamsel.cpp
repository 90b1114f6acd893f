// The five exports of the mixer volume library. Nothing is kept between calls.
#include "mixer/Tamsel.h"
#include "mixer/MixerControl.h"

namespace {
HINSTANCE g_instance = nullptr;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        g_instance = instance;
    }
    return TRUE;
}

extern "C" BOOL __cdecl MixerControlExist(void)
{
    return mixerGetNumDevs() != 0 ? 1 : 0;
}

extern "C" BOOL WINAPI GetVolume(DWORD* value, DWORD* minimum, DWORD* maximum)
{
    if (!value || !minimum || !maximum)
        return FALSE;
    MixerControl control;
    DWORD current = 0;
    if (!ReadSpeakersValue(MIXERCONTROL_CONTROLTYPE_VOLUME, &current, &control))
        return FALSE;
    *value = current;
    *minimum = control.minimum;
    *maximum = control.maximum;
    return TRUE;
}

// The value goes to the system as it is; the caller keeps it within GetVolume's bounds.
extern "C" BOOL WINAPI SetVolume(DWORD value)
{
    return WriteSpeakersValue(MIXERCONTROL_CONTROLTYPE_VOLUME, value);
}

extern "C" BOOL WINAPI IsMute(BOOL* mute)
{
    if (!mute)
        return FALSE;
    DWORD value = 0;
    BOOL read = ReadSpeakersValue(MIXERCONTROL_CONTROLTYPE_MUTE, &value, nullptr);
    *mute = read && value != 0 ? TRUE : FALSE;
    return read;
}

extern "C" BOOL WINAPI SetMute(BOOL mute)
{
    return WriteSpeakersValue(MIXERCONTROL_CONTROLTYPE_MUTE, static_cast<DWORD>(mute));
}
