#pragma once
// Whether this process runs in a private network namespace, where loopback is the only network
// interface: programs that put addresses on the loopback or talk to a simulator run only there.

namespace dsp::realwindow {

bool NetworkIsPrivate();

}  // namespace dsp::realwindow
