// A stand-in for the system's audio device enumerator (an in-process COM server the mixer tests register
// under its class id): one render endpoint whose volume interface keeps the level and mute in the shared
// state and counts every call. Written against MinGW's declarations, so an interface the library declares
// out of order shows as a wrong call here.
#include "FakeEndpointState.h"
#include <objbase.h>
#include <mmdeviceapi.h>
#include <endpointvolume.h>

namespace {

LONG g_liveObjects = 0;   // objects and server locks: the server may be unloaded at 0
HANDLE g_mapping = nullptr;
FakeEndpointState* g_state = nullptr;

HRESULT Count(FakeEndpointCall call, HRESULT result = S_OK)
{
    if (g_state)
        InterlockedIncrement(&g_state->calls[call]);
    return result;
}

HRESULT Other() { return Count(callOther, E_NOTIMPL); }

// Reference counting, QueryInterface and making for an object of one interface.
template <class Interface, class Implementation>
class CFakeObject : public Interface {
public:
    CFakeObject() { InterlockedIncrement(&g_liveObjects); }
    virtual ~CFakeObject() { InterlockedDecrement(&g_liveObjects); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid != __uuidof(IUnknown) && iid != __uuidof(Interface)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<Interface*>(this);
        this->AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0)
            delete this;
        return left;
    }

    // The new object's interface, handed over with its one reference.
    static HRESULT Make(REFIID iid, void** object)
    {
        Implementation* made = new Implementation;
        const HRESULT result = made->QueryInterface(iid, object);
        made->Release();
        return result;
    }

private:
    LONG references = 1;
};

class CFakeVolume : public CFakeObject<IAudioEndpointVolume, CFakeVolume> {
public:
    HRESULT STDMETHODCALLTYPE RegisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE UnregisterControlChangeNotify(IAudioEndpointVolumeCallback*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetChannelCount(UINT*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevel(FLOAT, LPCGUID) override { return Other(); }
    HRESULT STDMETHODCALLTYPE SetMasterVolumeLevelScalar(FLOAT level, LPCGUID) override
    {
        if (!(level >= 0.0f && level <= 1.0f))
            return Count(callSetLevel, E_INVALIDARG);
        g_state->level = level;
        return Count(callSetLevel);
    }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevel(FLOAT*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetMasterVolumeLevelScalar(FLOAT* level) override
    {
        *level = g_state->level;
        return Count(callGetLevel);
    }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevel(UINT, FLOAT, LPCGUID) override { return Other(); }
    HRESULT STDMETHODCALLTYPE SetChannelVolumeLevelScalar(UINT, FLOAT, LPCGUID) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevel(UINT, FLOAT*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetChannelVolumeLevelScalar(UINT, FLOAT*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE SetMute(WINBOOL mute, LPCGUID) override
    {
        g_state->mute = mute;
        return Count(callSetMute);
    }
    HRESULT STDMETHODCALLTYPE GetMute(WINBOOL* mute) override
    {
        *mute = g_state->mute;
        return Count(callGetMute);
    }
    HRESULT STDMETHODCALLTYPE GetVolumeStepInfo(UINT*, UINT*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE VolumeStepUp(LPCGUID) override { return Other(); }
    HRESULT STDMETHODCALLTYPE VolumeStepDown(LPCGUID) override { return Other(); }
    HRESULT STDMETHODCALLTYPE QueryHardwareSupport(DWORD*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetVolumeRange(FLOAT*, FLOAT*, FLOAT*) override { return Other(); }
};

class CFakeDevice : public CFakeObject<IMMDevice, CFakeDevice> {
public:
    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD, PROPVARIANT*, void** object) override
    {
        if (iid != __uuidof(IAudioEndpointVolume)) {
            *object = nullptr;
            return Count(callOther, E_NOINTERFACE);
        }
        return Count(callActivateVolume, CFakeVolume::Make(iid, object));
    }
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD, IPropertyStore**) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE GetState(DWORD*) override { return Other(); }
};

class CFakeEnumerator : public CFakeObject<IMMDeviceEnumerator, CFakeEnumerator> {
public:
    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow, DWORD, IMMDeviceCollection** devices) override
    {
        *devices = nullptr;
        return Count(callEnumerate, E_NOTIMPL);
    }
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) override
    {
        g_state->lastFlow = flow;
        g_state->lastRole = role;
        *device = nullptr;
        if (g_state->noEndpoint || flow != eRender)
            return Count(callDefaultEndpoint, E_NOTFOUND);
        return Count(callDefaultEndpoint,
                     CFakeDevice::Make(__uuidof(IMMDevice), reinterpret_cast<void**>(device)));
    }
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR, IMMDevice**) override { return Other(); }
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient*) override { return Other(); }
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient*) override { return Other(); }
};

class CFakeFactory : public CFakeObject<IClassFactory, CFakeFactory> {
public:
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override
    {
        *object = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        return CFakeEnumerator::Make(iid, object);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            InterlockedIncrement(&g_liveObjects);
        else
            InterlockedDecrement(&g_liveObjects);
        return S_OK;
    }
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object)
{
    *object = nullptr;
    if (clsid != __uuidof(MMDeviceEnumerator))
        return CLASS_E_CLASSNOTAVAILABLE;
    if (!g_state)
        return E_OUTOFMEMORY;
    return CFakeFactory::Make(iid, object);
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow()
{
    return g_liveObjects == 0 ? S_OK : S_FALSE;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(instance);
        g_state = OpenFakeEndpointState(&g_mapping);
    } else if (reason == DLL_PROCESS_DETACH) {
        if (g_state)
            UnmapViewOfFile(g_state);
        if (g_mapping)
            CloseHandle(g_mapping);
    }
    return TRUE;
}
