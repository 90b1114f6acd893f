// The library's volume scale 0..65535 on the audio endpoint's scalar level 0.0..1.0.
#pragma once
#include <windows.h>

constexpr DWORD endpointVolumeMaximum = 65535;

// value / 65535. A value above 65535 gives a level above 1.0, which the endpoint itself refuses.
inline float ScalarFromVolume(DWORD value)
{
    return static_cast<float>(value) / static_cast<float>(endpointVolumeMaximum);
}

// level * 65535 rounded to the nearest step, halves up. The product is formed in double, where it is exact:
// the float level is v / 65535 within 2^-24 of itself, so the product is within 0.004 of v and a value set is
// the value read back. Levels below 0.0 (and NaN) read as 0, above 1.0 as 65535.
inline DWORD VolumeFromScalar(float level)
{
    if (!(level > 0.0f))
        return 0;
    if (level >= 1.0f)
        return endpointVolumeMaximum;
    return static_cast<DWORD>(static_cast<double>(level) * endpointVolumeMaximum + 0.5);
}
