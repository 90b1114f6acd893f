// The horizontal repeat: while a scroll-left or scroll-right button is held, a thread timer of the
// thread that ran the hook procedure posts one WM_HSCROLL line step every 50 ms to the target (from NT 6.0
// on, to a target without horizontal scroll bars, one horizontal wheel notch instead).
#pragma once
#include <windows.h>

// button: 1 scrolls left, 2 right; point: where the button went down (screen coordinates).
void StartScrollRepeat(int button, POINT point);
// Ends the repeat: the timers of this thread at once, those of other threads and processes at their next
// tick.
void StopScrollRepeat();
// The hook was stopped: the reference that keeps the library in this process for its repeat timers goes
// as soon as no timer is left, instead of after the pause that lets presses in a row share it.
void GiveBackPinWhenIdle();
