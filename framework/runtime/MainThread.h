#pragma once
// Work for the UI thread. Everything a worker thread hands to the UI thread goes through one
// queue, so it runs in the order it was handed over, whether posted (the worker goes on) or called
// (the worker waits until it has run). The UI thread's event loop runs the queue, nested loops of
// modal forms too; a UI thread that waits for a worker with TThread::WaitFor serves that worker's
// calls meanwhile, or cancels them.
//
// An exception that escapes queued work is handed to the unexpected-exception handler (the
// application's exception display) and goes no further.

#include <exception>
#include <functional>

namespace dsp {

// Queues work to run on the UI thread after everything queued before it. Any thread.
void PostToMainThread(std::function<void()> work);

// Runs work on the UI thread and returns when it has run: at once when called on the UI thread;
// from another thread, when the UI thread has taken it from the queue and run it. False when the
// call was cancelled instead (see TThread::WaitFor) and the work did not run and never will.
bool CallOnMainThread(std::function<void()> work);

// On the UI thread: runs everything queued so far, for code that has no event loop running.
// True when anything ran.
bool CheckSynchronize();

// Where exceptions that escape queued work, timers and message handlers go. The application
// installs its exception display; before that they are written to standard error.
using TUnexpectedExceptionHandler = std::function<void(std::exception_ptr)>;
void SetUnexpectedExceptionHandler(TUnexpectedExceptionHandler handler);
void HandleUnexpectedException(std::exception_ptr exception);

}  // namespace dsp
