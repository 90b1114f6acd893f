// An object made before the program starts and never destroyed, for what a thread may still use while the
// process's static destructors run (a pad thread that outlived the frame's wait for it).
#pragma once

template <typename T>
union ProcessLifetime {
    ProcessLifetime() : object() {}
    ~ProcessLifetime() {}
    T object;
};
