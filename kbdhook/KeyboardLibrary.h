// This process's handle of the keyboard hook library, the module of both hook procedures.
#pragma once
#include <windows.h>

extern HINSTANCE g_instance;
