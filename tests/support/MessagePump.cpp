#include "MessagePump.h"

void Pump(DWORD milliseconds, int* threadTimers)
{
    double end = Now() + milliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (threadTimers && message.message == WM_TIMER && message.hwnd == nullptr)
                ++*threadTimers;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        double left = end - Now();
        if (left <= 0)
            return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
    }
}
