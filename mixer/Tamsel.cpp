// The five exports of the mixer volume library. Nothing of the device is kept between calls; the Windows
// version picks, once per process, whether they act on mixer 0 or on the default audio endpoint.
#include "mixer/Tamsel.h"
#include "mixer/EndpointScale.h"
#include "mixer/EndpointVolume.h"
#include "mixer/MixerControl.h"
#include "mixer/MixerPlatform.h"

namespace {
HINSTANCE g_instance = nullptr;
MixerPlatform g_platform = platformMixerDevice;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        g_instance = instance;
        g_platform = MixerPlatformOf(CurrentWindowsVersion());
    }
    return TRUE;
}

extern "C" BOOL __cdecl MixerControlExist(void)
{
    if (g_platform == platformAudioEndpoint)
        return EndpointVolumeExists();
    return mixerGetNumDevs() != 0 ? 1 : 0;
}

extern "C" BOOL WINAPI GetVolume(DWORD* value, DWORD* minimum, DWORD* maximum)
{
    if (!value || !minimum || !maximum)
        return FALSE;
    if (g_platform == platformAudioEndpoint) {
        if (!ReadEndpointVolume(value))
            return FALSE;
        *minimum = 0;
        *maximum = endpointVolumeMaximum;
        return TRUE;
    }
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
    if (g_platform == platformAudioEndpoint)
        return WriteEndpointVolume(value);
    return WriteSpeakersValue(MIXERCONTROL_CONTROLTYPE_VOLUME, value);
}

extern "C" BOOL WINAPI IsMute(BOOL* mute)
{
    if (!mute)
        return FALSE;
    if (g_platform == platformAudioEndpoint) {
        *mute = FALSE;
        return ReadEndpointMute(mute);
    }
    DWORD value = 0;
    BOOL read = ReadSpeakersValue(MIXERCONTROL_CONTROLTYPE_MUTE, &value, nullptr);
    *mute = read && value != 0 ? TRUE : FALSE;
    return read;
}

extern "C" BOOL WINAPI SetMute(BOOL mute)
{
    if (g_platform == platformAudioEndpoint)
        return WriteEndpointMute(mute);
    return WriteSpeakersValue(MIXERCONTROL_CONTROLTYPE_MUTE, static_cast<DWORD>(mute));
}
