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
    if (!FindSpeakersControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &control) || !ReadControlValue(control, &current))
        return FALSE;
    *value = current;
    *minimum = control.minimum;
    *maximum = control.maximum;
    return TRUE;
}

// The value goes to the system as it is; the caller keeps it within GetVolume's bounds.
extern "C" BOOL WINAPI SetVolume(DWORD value)
{
    MixerControl control;
    return FindSpeakersControl(MIXERCONTROL_CONTROLTYPE_VOLUME, &control) && WriteControlValue(control, value);
}

extern "C" BOOL WINAPI IsMute(BOOL* mute)
{
    if (!mute)
        return FALSE;
    *mute = FALSE;
    MixerControl control;
    DWORD value = 0;
    if (!FindSpeakersControl(MIXERCONTROL_CONTROLTYPE_MUTE, &control) || !ReadControlValue(control, &value))
        return FALSE;
    *mute = value != 0 ? TRUE : FALSE;
    return TRUE;
}

extern "C" BOOL WINAPI SetMute(BOOL mute)
{
    MixerControl control;
    return FindSpeakersControl(MIXERCONTROL_CONTROLTYPE_MUTE, &control) && WriteControlValue(control, static_cast<DWORD>(mute));
}
