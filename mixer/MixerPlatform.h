// Where the mixer volume library finds the master volume on a Windows version: its own rule table.
#pragma once
#include "shared/WindowsVersion.h"
#include <windows.h>

enum MixerPlatform {
    platformMixerDevice,   // 9x family, NT up to 5.x: the speakers line of mixer 0 (winmm)
    platformAudioEndpoint  // NT 6.0 and later: the default render endpoint (Core Audio)
};

MixerPlatform MixerPlatformOf(const WindowsVersion& version);
