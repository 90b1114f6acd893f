#include "KeyboardLibraries.h"
#include <stdio.h>

namespace {

template <class Function>
bool Resolve(HMODULE library, const char* name, Function* function)
{
    *function = (Function)(void*)GetProcAddress(library, name);
    if (!*function)
        printf("export %s is missing\n", name);
    return *function != NULL;
}

HMODULE Load(const char* name)
{
    HMODULE library = LoadLibraryA(name);
    if (!library)
        printf("cannot load %s (error %lu)\n", name, GetLastError());
    return library;
}

}  // namespace

KeyboardLibraries::~KeyboardLibraries()
{
    if (vorrin)
        FreeLibrary(vorrin);
    if (tamsel)
        FreeLibrary(tamsel);
}

bool KeyboardLibraries::LoadHook()
{
    if (vorrin)
        return true;
    vorrin = Load("VORRIN.DLL");
    if (!vorrin)
        return false;
    bool ok = Resolve(vorrin, "InstallHook", &installHook);
    ok = Resolve(vorrin, "GetMapFilePointer", &getMapFilePointer) && ok;
    return ok;
}

bool KeyboardLibraries::LoadMixer()
{
    if (tamsel)
        return true;
    tamsel = Load("TAMSEL.DLL");
    if (!tamsel)
        return false;
    bool ok = Resolve(tamsel, "MixerControlExist", &mixerControlExist);
    ok = Resolve(tamsel, "GetVolume", &getVolume) && ok;
    ok = Resolve(tamsel, "SetVolume", &setVolume) && ok;
    ok = Resolve(tamsel, "IsMute", &isMute) && ok;
    ok = Resolve(tamsel, "SetMute", &setMute) && ok;
    return ok;
}
