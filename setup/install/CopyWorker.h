// Step 1 of the install run: the product's files copied into the destination folder on a worker thread,
// the uninstall log started, and the two settings files written.
#pragma once
#include <stddef.h>
#include "setup/install/InstallInputs.h"
#include <windows.h>

// The fixed file lists, in copying order.
extern const char* const mainFiles[12];
extern const char* const languageFiles[2];

// What the worker thread is given: the run's values and its shared state, both outliving the thread.
struct CopyWorkerJob {
    const InstallValues* values;
    SetupState* state;
};

// The worker's steps in order, on the calling thread: workerBusy 1, destination folder, log, copies,
// settings files, workerBusy 0.
void RunCopySteps(const InstallValues& values, SetupState& state);

// The thread procedure (argument: a CopyWorkerJob); returns 0.
unsigned __stdcall CopyWorker(void* job);

// Sets workerBusy and starts CopyWorker on a 64 KiB stack; the thread's handle, which the caller waits for
// before job goes and closes. When no thread can be started the steps run on the calling thread, so the
// run still installs, workerBusy is 0 on return, and the result is null.
HANDLE StartCopyWorker(CopyWorkerJob* job);
