// Messages between windows and threads: posting, sending, retrieving and dispatching.
//
// How it works. Every thread that uses windows has a queue (thread_context.h). A posted
// message waits in its window's owner queue; a message sent from another thread waits in
// the owner's list of sent messages while the sender blocks. A queue is read in this
// order: sent messages (handled inside GetMessage/PeekMessage, never returned), posted
// messages in the order they were posted, the quit request, a paint from the hooks, and
// last a due timer (timers.h). A thread blocked in a cross-thread send keeps handling the
// messages sent to it, so two threads sending to each other cannot deadlock; a send to a
// stale handle, to a window destroyed before it was handled, or to a thread that has ended
// fails instead of blocking.
//
// How windows sit on top. A window object (CWnd) implements MessageTarget and owns the
// handle it gets from CreateWindowHandle; its WindowProc runs its message map and falls
// back to default handling; destroying it sends WM_DESTROY and then calls
// DestroyWindowHandle, so every later send or post to it fails cleanly. The window tree
// (parent, children, z-order, rectangles, shapes) lives in the window objects, not here;
// this layer knows only handles, owning threads and targets. All windows of one tree
// belong to the thread that created the top-level window, so a parent and its children
// never talk across threads; a window object destroys its handle before it is freed (or
// moves it to another object with SetWindowTarget). The window layer installs a
// MessageFilter per thread (dialog keys, an edit field's filter hook walk the parent chain
// there) and QueueHooks: FetchEvents turns backend input into posted mouse and keyboard
// messages, NextPaint produces WM_PAINT for damaged windows only when no posted message
// waits, and a backend watching a display connection from another thread (or any thread
// that damages a window of another thread) calls WakeThread so that a blocked GetMessage
// fetches again. Dialogs and pop-up lists run RunModalLoop (modal_loop.h) on their own
// handle; a dialog ended before its loop starts (during its initialisation) keeps that in
// its own state and skips the loop.
#pragma once

#include "platform/core/messages.h"
#include "platform/core/queue_hooks.h"

namespace plat {

inline constexpr UINT PM_NOREMOVE = 0x0000;
inline constexpr UINT PM_REMOVE = 0x0001;

DWORD GetCurrentThreadId();

// Queues a message for the window's thread; a null window posts a thread message to the
// calling thread. False for a stale handle or an ended thread.
bool PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
bool PostThreadMessage(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
// Asks the calling thread's message loop to end with `exitCode` once no posted message waits.
void PostQuitMessage(int exitCode);

// Calls the window's procedure: directly on its own thread, otherwise on its thread while
// the caller waits. Fails (returns false, *result untouched) for a stale handle, a window
// destroyed before the message was handled, or an ended thread.
bool TrySendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
// As TrySendMessage; 0 on failure.
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Sends without waiting for the result (directly when the window is the caller's own).
bool SendNotifyMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Blocks until a message for `filter` (nullptr: any window and thread messages) in the
// range [min, max] (0, 0: all) is there; false when it is WM_QUIT. The quit request is
// returned only to a retrieval without a window filter whose range includes it, so that a
// loop peeking at, say, mouse messages alone never swallows it.
bool GetMessage(MSG* msg, HWND filter, UINT min, UINT max);
bool PeekMessage(MSG* msg, HWND filter, UINT min, UINT max, UINT removeFlags);
// Blocks until the queue holds something new (or a timer is due).
void WaitMessage();
// Calls the procedure of the message's window; 0 for thread messages and stale windows.
LRESULT DispatchMessage(const MSG* msg);

// Pre-translation (the thread object, then the window filter) and dispatch of one message,
// as every message loop of the programs does it.
void PumpMessage(MSG& msg);
// The window filter's pre-translation alone.
bool PreTranslateWindowMessage(MSG& msg);
// GetMessage and PumpMessage until WM_QUIT; returns the quit's exit code.
int RunMessageLoop();

// Makes a thread blocked in GetMessage or WaitMessage look at its queue again (and call
// its hooks' FetchEvents). False for an unknown or ended thread.
bool WakeThread(DWORD threadId);

} // namespace plat
