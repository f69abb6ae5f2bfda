// Ending the windowed verbs on SIGTERM, SIGINT and SIGHUP the way closing the window ends
// them: the event loops return, and the documents still open are ended afterwards.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include "platform/system/termination_signals.h"

namespace vant::app {

class QuitOnTermination final : public QObject {
 public:
  // Installs the handlers; they are put back to the default when this goes.
  QuitOnTermination();
  ~QuitOnTermination() override;
  QuitOnTermination(const QuitOnTermination&) = delete;
  QuitOnTermination& operator=(const QuitOnTermination&) = delete;

 private:
  system::TerminationSignals signals_;
  std::unique_ptr<QSocketNotifier> notifier_;  // on signals_'s wait end
};

}  // namespace vant::app
