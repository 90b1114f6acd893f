// The mixer volume library's exports: master volume and mute of the first audio mixer's speakers line, and
// from Windows Vista on (where that line is the calling program's own) of the default audio endpoint.
#pragma once
#include <windows.h>

extern "C" {
BOOL __cdecl MixerControlExist(void);
BOOL WINAPI GetVolume(DWORD* value, DWORD* minimum, DWORD* maximum);
BOOL WINAPI SetVolume(DWORD value);
BOOL WINAPI IsMute(BOOL* mute);
BOOL WINAPI SetMute(BOOL mute);
}
