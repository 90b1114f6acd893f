// One control of the speakers destination line on mixer 0, looked up afresh for every call, and its value
// read or written as one detail for all channels.
#pragma once
#include <windows.h>
#include <mmsystem.h>

struct MixerControl {
    DWORD controlId;
    DWORD minimum;
    DWORD maximum;
};

BOOL FindSpeakersControl(DWORD controlType, MixerControl* control);
BOOL ReadControlValue(const MixerControl& control, DWORD* value);
BOOL WriteControlValue(const MixerControl& control, DWORD value);

// Looks the control of that type up and reads or writes its value; control (may be null) gets its bounds.
BOOL ReadSpeakersValue(DWORD controlType, DWORD* value, MixerControl* control);
BOOL WriteSpeakersValue(DWORD controlType, DWORD value);
