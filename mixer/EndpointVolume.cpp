// One call: ole32 bound by name, COM for the calling thread when it has none, the enumerator's default
// render endpoint activated for its volume interface, and all of it given back before the call returns.
#include "mixer/EndpointVolume.h"
#include "mixer/EndpointScale.h"
#include <objbase.h>

// The system's interfaces (mmdeviceapi.h, endpointvolume.h), declared up to the last method called here and
// in their vtable order; the parameters of the methods never called are left untyped. Not in an unnamed
// namespace: GCC would take a class of internal linkage that nothing here implements for one with no
// objects at all, and drop the calls through it as unreachable.
namespace coreaudio {

enum EDataFlow { eRender = 0 };
enum ERole { eConsole = 0 };

struct IMMDevice : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, void* parameters, void** object) = 0;
};

struct IMMDeviceEnumerator : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow flow, DWORD stateMask, void** devices) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) = 0;
};

struct IAudioEndpointVolume : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(void* notify) = 0;
    virtual HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(void* notify) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelCount(UINT* count) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(float levelDb, const GUID* context) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(float level, const GUID* context) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(float* levelDb) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(float* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT channel, float levelDb, const GUID* context) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT channel, float level, const GUID* context) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT channel, float* levelDb) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT channel, float* level) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetMute(BOOL mute, const GUID* context) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMute(BOOL* mute) = 0;
};

}  // namespace coreaudio

namespace {

using namespace coreaudio;

constexpr CLSID clsidDeviceEnumerator = {0xBCDE0395, 0xE52F, 0x467C, {0x8E, 0x3D, 0xC4, 0x57, 0x92, 0x91, 0x69, 0x2E}};
constexpr IID iidDeviceEnumerator = {0xA95664D2, 0x9614, 0x4F35, {0xA7, 0x46, 0xDE, 0x8D, 0xB6, 0x36, 0x17, 0xE6}};
constexpr IID iidEndpointVolume = {0x5CDF2C82, 0x841E, 0x4546, {0x97, 0x22, 0x0C, 0xF7, 0x40, 0x78, 0x22, 0x9A}};

using CoInitializeExProc = HRESULT(WINAPI*)(void* reserved, DWORD model);
using CoCreateInstanceProc = HRESULT(WINAPI*)(REFCLSID clsid, IUnknown* outer, DWORD context, REFIID iid, void** object);
using CoUninitializeProc = void(WINAPI*)();

struct ComFunctions {
    CoInitializeExProc initialize;
    CoCreateInstanceProc create;
    CoUninitializeProc uninitialize;
};

// Loaded by the first call and never freed: COM leaves threads and windows of its own in a process it has
// run in. Two first calls at once each take a reference, which only keeps it loaded as well.
HMODULE g_ole32 = nullptr;

BOOL BindCom(ComFunctions* com)
{
    if (!g_ole32)
        g_ole32 = LoadLibraryA("ole32.dll");
    if (!g_ole32)
        return FALSE;
    com->initialize = reinterpret_cast<CoInitializeExProc>(GetProcAddress(g_ole32, "CoInitializeEx"));
    com->create = reinterpret_cast<CoCreateInstanceProc>(GetProcAddress(g_ole32, "CoCreateInstance"));
    com->uninitialize = reinterpret_cast<CoUninitializeProc>(GetProcAddress(g_ole32, "CoUninitialize"));
    return com->initialize && com->create && com->uninitialize;
}

// The volume interface of the default render endpoint for the console role: the device the Sound control
// panel makes the default device (it sets the console and multimedia roles together; the communications
// role is the other, for calls). Null when there is no such endpoint or the enumerator is not registered.
IAudioEndpointVolume* OpenEndpointVolume(const ComFunctions& com)
{
    IMMDeviceEnumerator* enumerator = nullptr;
    if (FAILED(com.create(clsidDeviceEnumerator, nullptr, CLSCTX_INPROC_SERVER, iidDeviceEnumerator,
                          reinterpret_cast<void**>(&enumerator))) || !enumerator)
        return nullptr;
    IMMDevice* device = nullptr;
    void* volume = nullptr;
    if (SUCCEEDED(enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &device)) && device) {
        if (FAILED(device->Activate(iidEndpointVolume, CLSCTX_INPROC_SERVER, nullptr, &volume)))
            volume = nullptr;
        device->Release();
    }
    enumerator->Release();
    return static_cast<IAudioEndpointVolume*>(volume);
}

// action(volume) on the endpoint's volume interface; FALSE when there is none.
// COM: the multithreaded apartment when the thread has none, since it needs no message loop and makes no
// window on the caller's thread (the endpoint's objects, threading model Both, live in either). Undone only
// when this call's CoInitializeEx succeeded (S_OK, or S_FALSE when the thread was in that apartment
// already); a thread in a single-threaded apartment answers RPC_E_CHANGED_MODE and is used as it is.
template <class Action>
BOOL WithEndpointVolume(Action action)
{
    ComFunctions com;
    if (!BindCom(&com))
        return FALSE;
    const HRESULT initialized = com.initialize(nullptr, COINIT_MULTITHREADED);
    if (FAILED(initialized) && initialized != RPC_E_CHANGED_MODE)
        return FALSE;
    BOOL done = FALSE;
    if (IAudioEndpointVolume* volume = OpenEndpointVolume(com)) {
        done = action(volume);
        volume->Release();
    }
    if (SUCCEEDED(initialized))
        com.uninitialize();
    return done;
}

}  // namespace

BOOL EndpointVolumeExists()
{
    return WithEndpointVolume([](IAudioEndpointVolume*) { return TRUE; });
}

BOOL ReadEndpointVolume(DWORD* value)
{
    return WithEndpointVolume([value](IAudioEndpointVolume* volume) {
        float level = 0.0f;
        if (FAILED(volume->GetMasterVolumeLevelScalar(&level)))
            return FALSE;
        *value = VolumeFromScalar(level);
        return TRUE;
    });
}

BOOL WriteEndpointVolume(DWORD value)
{
    return WithEndpointVolume([value](IAudioEndpointVolume* volume) {
        return SUCCEEDED(volume->SetMasterVolumeLevelScalar(ScalarFromVolume(value), nullptr)) ? TRUE : FALSE;
    });
}

BOOL ReadEndpointMute(BOOL* mute)
{
    return WithEndpointVolume([mute](IAudioEndpointVolume* volume) {
        BOOL muted = FALSE;
        if (FAILED(volume->GetMute(&muted)))
            return FALSE;
        *mute = muted ? TRUE : FALSE;
        return TRUE;
    });
}

BOOL WriteEndpointMute(BOOL mute)
{
    return WithEndpointVolume([mute](IAudioEndpointVolume* volume) {
        return SUCCEEDED(volume->SetMute(mute ? TRUE : FALSE, nullptr)) ? TRUE : FALSE;
    });
}
