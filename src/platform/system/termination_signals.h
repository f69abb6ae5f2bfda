// The termination signals (SIGTERM, SIGINT, SIGHUP) turned into a descriptor an event loop
// can wait on: a signal handler may only write to a descriptor, so each signal writes one
// byte into a socket pair whose other end the loop watches.
#pragma once

#include "platform/system/descriptor.h"

namespace vant::system {

class TerminationSignals {
 public:
  // Makes the pair and installs the handlers; one at a time in a process (the handlers
  // write into the one pair). Throws std::system_error with the cause when the pair cannot
  // be made, std::logic_error for a second one.
  TerminationSignals();
  // Puts the handlers back to the default, then closes the pair.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

  // The end that becomes readable when a signal came; held here, closed when this goes.
  int WaitEnd() const noexcept { return waitEnd_.Get(); }
  // Takes the byte of one signal from the wait end.
  void TakeOne() const noexcept;
  // The default handlers back already: a signal from now on ends the process as without
  // this. The destructor does it too.
  void PutBackDefaults() noexcept;

 private:
  Descriptor signalEnd_;  // written by the handlers
  Descriptor waitEnd_;    // read by the event loop
  bool installed_ = false;
};

}  // namespace vant::system
