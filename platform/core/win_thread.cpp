// The user-interface thread's life and message loop.
#include "platform/core/win_thread.h"

#include "platform/core/thread_context.h"

namespace plat {

bool CWinThread::CreateThread() {
    if (!m_thread.Start([this] { return Life(); })) {
        return false;
    }
    m_threadId = m_thread.ThreadId();
    return true;
}

int CWinThread::RunOnCurrentThread() {
    m_threadId = GetCurrentThreadId();
    return Life();
}

int CWinThread::Life() {
    const auto context = detail::CurrentContext();
    CWinThread* const outer = context->winThread;
    context->winThread = this;
    const int code = InitInstance() ? Run() : ExitInstance();
    context->winThread = outer;
    return code;
}

int CWinThread::Run() {
    m_quitCode = RunMessageLoop();
    return ExitInstance();
}

bool CWinThread::PreTranslateMessage(MSG& msg) {
    if (!msg.hwnd) {
        OnThreadMessage(msg);
        return true;
    }
    return PreTranslateWindowMessage(msg);
}

bool CWinThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_threadId != 0 && plat::PostThreadMessage(m_threadId, message, wParam, lParam);
}

DWORD CWinThread::Wait(DWORD timeoutMs) {
    return WaitForSingleObject(m_thread, timeoutMs);
}

CWinThread* CWinThread::Current() {
    return detail::CurrentContext()->winThread;
}

} // namespace plat
