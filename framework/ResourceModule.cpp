#include "framework/ResourceModule.h"

static HINSTANCE g_resourceModule = nullptr;

HINSTANCE GetResourceModule()
{
    return g_resourceModule ? g_resourceModule : GetModuleHandle(nullptr);
}

void SetResourceModule(HINSTANCE module)
{
    g_resourceModule = module;
}
