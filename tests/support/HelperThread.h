// A test's helper thread and the data it works on, owned by the test and the thread together: whichever
// lets go last frees the data, so a test that returns early (a failed assertion, a time-out) never leaves
// the thread writing into freed memory. The destructor asks the thread to finish and waits for it.
#pragma once
#include <windows.h>
#include <memory>
#include <utility>

template <class Data>
class HelperThread {
public:
    typedef DWORD (*Procedure)(Data& data);
    typedef void (*Finish)(Data& data);

    // Starts procedure(data) on a thread of its own, data made from the arguments. finish, when given, runs
    // on the test's side before the destructor's wait: it tells the thread to end (sets an event, posts
    // WM_QUIT).
    template <class... Arguments>
    explicit HelperThread(Procedure procedure, Finish finish = nullptr, Arguments&&... arguments)
        : data(std::make_shared<Data>(std::forward<Arguments>(arguments)...)), finish(finish)
    {
        Start* start = new Start{data, procedure};
        thread = CreateThread(nullptr, 0, Run, start, 0, &threadId);
        if (!thread)
            delete start;
    }
    ~HelperThread()
    {
        if (!thread)
            return;
        if (finish)
            finish(*data);
        Join(joinTimeout);
        CloseHandle(thread);
    }
    HelperThread(const HelperThread&) = delete;
    HelperThread& operator=(const HelperThread&) = delete;

    bool Started() const { return thread != nullptr; }
    // True once the thread has ended.
    bool Join(DWORD timeout) { return thread && WaitForSingleObject(thread, timeout) == WAIT_OBJECT_0; }

    std::shared_ptr<Data> data;
    DWORD threadId = 0;

private:
    struct Start {
        std::shared_ptr<Data> data;
        Procedure procedure;
    };
    static DWORD WINAPI Run(void* parameter)
    {
        std::unique_ptr<Start> start(static_cast<Start*>(parameter));
        return start->procedure(*start->data);
    }

    static const DWORD joinTimeout = 10000;
    Finish finish;
    HANDLE thread = nullptr;
};
