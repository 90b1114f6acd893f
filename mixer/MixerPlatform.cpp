#include "mixer/MixerPlatform.h"

MixerPlatform MixerPlatformOf(const WindowsVersion& version)
{
    // From Vista on, the winmm mixer acts on the calling program's own audio session, not on the device.
    if (!version.family9x && version.major >= 6)
        return platformAudioEndpoint;
    return platformMixerDevice;
}
