#include "LaneFactor.h"
#include <stdlib.h>

DWORD LaneFactor()
{
    char text[16] = "";
    DWORD length = GetEnvironmentVariableA("FERROWIN_TIME_FACTOR", text, sizeof text);
    if (length == 0 || length >= sizeof text)
        return 1;
    const long factor = strtol(text, nullptr, 10);
    return factor >= 1 && factor <= 20 ? static_cast<DWORD>(factor) : 1;
}
