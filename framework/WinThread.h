// CWinThread: a thread that runs one function with one argument and deletes its own object when the
// function returns.
#pragma once
#include "framework/Object.h"
#include <windows.h>

typedef UINT (*ThreadProcedure)(void* parameter);

class CWinThread : public CObject {
public:
    CWinThread(ThreadProcedure procedure, void* parameter);
    ~CWinThread() override;   // closes the thread handle

    // Starts the thread at once with the given priority and stack size (0: the default). FALSE when it
    // could not be started; the object then stays with the caller.
    BOOL CreateThread(int priority = THREAD_PRIORITY_NORMAL, UINT stackSize = 0);

    // new + CreateThread; null (and nothing left over) when the thread could not be started. The object
    // may be gone as soon as the procedure has returned: record the pointer before the procedure can end,
    // or use the two steps above and record it in between.
    static CWinThread* Begin(ThreadProcedure procedure, void* parameter, int priority = THREAD_PRIORITY_NORMAL,
                             UINT stackSize = 0);

    HANDLE thread;
    DWORD threadId;

    const CRuntimeClass* GetRuntimeClass() const override;
    static const CRuntimeClass classCWinThread;

private:
    static unsigned __stdcall Start(void* object);

    ThreadProcedure procedure;
    void* parameter;
};
