// The keyboard hook library and the mixer volume library, loaded by name as the keyboard application
// loads them, with their exports looked up by their undecorated names.
#pragma once
#include <windows.h>

struct KeyboardLibraries {
    HMODULE vorrin = NULL;
    HMODULE tamsel = NULL;

    void(WINAPI* installHook)(BOOL) = NULL;
    void*(__cdecl* getMapFilePointer)(void) = NULL;

    BOOL(__cdecl* mixerControlExist)(void) = NULL;
    BOOL(WINAPI* getVolume)(DWORD*, DWORD*, DWORD*) = NULL;
    BOOL(WINAPI* setVolume)(DWORD) = NULL;
    BOOL(WINAPI* isMute)(BOOL*) = NULL;
    BOOL(WINAPI* setMute)(BOOL) = NULL;

    ~KeyboardLibraries();
    // Each prints what is missing and returns false when a library or one of its exports is not there.
    bool LoadHook();
    bool LoadMixer();
};
