#include "framework/WinThread.h"
#include <new>
#include <process.h>

const CRuntimeClass CWinThread::classCWinThread = {"CWinThread", sizeof(CWinThread), nullptr,
                                                   &CObject::classCObject};
const CRuntimeClass* CWinThread::GetRuntimeClass() const { return &classCWinThread; }

CWinThread::CWinThread(ThreadProcedure procedure, void* parameter)
    : thread(nullptr), threadId(0), procedure(procedure), parameter(parameter)
{
}

CWinThread::~CWinThread()
{
    if (thread)
        CloseHandle(thread);
}

BOOL CWinThread::CreateThread(int priority, UINT stackSize)
{
    if (thread || !procedure)
        return FALSE;
    // Suspended until the handle and id are stored: the thread deletes this object when it ends.
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(nullptr, stackSize, Start, this, CREATE_SUSPENDED, &id);
    if (!handle)
        return FALSE;
    thread = reinterpret_cast<HANDLE>(handle);
    threadId = id;
    if (priority != THREAD_PRIORITY_NORMAL)
        SetThreadPriority(thread, priority);
    HANDLE started = thread;
    if (ResumeThread(started) == static_cast<DWORD>(-1)) {
        TerminateThread(started, 1);   // never ran: nothing of it to clean up
        thread = nullptr;
        threadId = 0;
        CloseHandle(started);
        return FALSE;
    }
    return TRUE;
}

CWinThread* CWinThread::Begin(ThreadProcedure procedure, void* parameter, int priority, UINT stackSize)
{
    CWinThread* object = new (std::nothrow) CWinThread(procedure, parameter);
    if (!object)
        return nullptr;
    if (!object->CreateThread(priority, stackSize)) {
        delete object;
        return nullptr;
    }
    return object;
}

unsigned __stdcall CWinThread::Start(void* object)
{
    CWinThread* self = static_cast<CWinThread*>(object);
    UINT result = self->procedure(self->parameter);
    delete self;
    return result;
}
