// What the fake audio endpoint of the mixer tests holds, in a named mapping that every process of the
// prefix shares as it would share a device: the level and mute, and a count of each call it took.
#pragma once
#include <windows.h>

constexpr const char* fakeEndpointStateName = "FerrowinFakeEndpointState";

enum FakeEndpointCall {
    callEnumerate,         // EnumAudioEndpoints (Wine's winmm enumerates devices through the same class)
    callDefaultEndpoint,   // GetDefaultAudioEndpoint
    callActivateVolume,    // IMMDevice::Activate for IAudioEndpointVolume
    callGetLevel,
    callSetLevel,
    callGetMute,
    callSetMute,
    callOther,             // any other method
    fakeEndpointCallKinds
};

struct FakeEndpointState {
    LONG calls[fakeEndpointCallKinds];
    float level;
    BOOL mute;
    LONG lastFlow;     // of the last GetDefaultAudioEndpoint
    LONG lastRole;
    BOOL noEndpoint;   // set by a test: there is no default endpoint
};

// The shared state, made zeroed by the first process that asks; null when the mapping cannot be had.
inline FakeEndpointState* OpenFakeEndpointState(HANDLE* mapping)
{
    *mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(FakeEndpointState),
                                  fakeEndpointStateName);
    if (!*mapping)
        return nullptr;
    return static_cast<FakeEndpointState*>(MapViewOfFile(*mapping, FILE_MAP_WRITE, 0, 0, sizeof(FakeEndpointState)));
}
