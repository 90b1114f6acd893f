// Master volume and mute of the default render endpoint (Core Audio), where Windows Vista and later keep
// the device's own volume. COM is bound at run time, so the library still loads where ole32 lacks it.
#pragma once
#include <windows.h>

BOOL EndpointVolumeExists();
BOOL ReadEndpointVolume(DWORD* value);
BOOL WriteEndpointVolume(DWORD value);
BOOL ReadEndpointMute(BOOL* mute);
BOOL WriteEndpointMute(BOOL mute);
