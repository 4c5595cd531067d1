// A user-interface thread: its own message queue, an initialisation step, a message loop
// that hands thread messages (posted with no window) to the thread object, and an exit
// step whose result is the thread's exit code.
//
// Life: CreateThread starts the thread; on it InitInstance runs; when it returns true the
// message loop runs until WM_QUIT, then ExitInstance; when it returns false ExitInstance
// runs at once. Modal loops run inside InitInstance (a dialog shown modally) pump the
// thread messages the same way. The owner must see the thread end (Wait) before
// destroying the object.
#pragma once

#include "platform/core/message_queue.h"
#include "platform/core/thread.h"

namespace plat {

class CWinThread {
public:
    CWinThread() = default;
    virtual ~CWinThread() = default;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // False when the thread was already started.
    bool CreateThread();
    // Runs the same life on the calling thread (the program's main thread); returns the
    // exit code.
    int RunOnCurrentThread();

    virtual bool InitInstance() { return true; }
    virtual int Run();
    // Default: the exit code given to PostQuitMessage.
    virtual int ExitInstance() { return m_quitCode; }
    // Default: a thread message goes to OnThreadMessage; a window message to the window
    // filter. True when consumed.
    virtual bool PreTranslateMessage(MSG& msg);
    virtual void OnThreadMessage(const MSG& /*msg*/) {}

    bool PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam);
    DWORD ThreadId() const { return m_threadId; }
    // WAIT_OBJECT_0 once the thread has ended, WAIT_TIMEOUT if it did not within the time.
    DWORD Wait(DWORD timeoutMs);
    std::optional<int> ExitCode() { return m_thread.ExitCode(); }
    // For WaitForSingleObject.
    Waitable& Handle() { return m_thread; }

    // The object whose life runs on the calling thread, if any.
    static CWinThread* Current();

protected:
    int m_quitCode = 0;

private:
    int Life();

    Thread m_thread;
    DWORD m_threadId = 0;
};

} // namespace plat
