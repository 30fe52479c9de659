#pragma once
// Joins the runtime to the host toolkit's event loop on the UI thread, so that the loop (and every
// nested loop) runs queued work, posted messages and timers. The application does it when it is
// initialised and undoes it when it ends.

namespace dsp {

void AttachEventLoop();
void DetachEventLoop();

// Runs the event loop once over whatever is pending, without waiting.
void ProcessPendingEvents();

}  // namespace dsp
