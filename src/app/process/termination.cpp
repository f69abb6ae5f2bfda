#include "app/process/termination.h"

#include <QCoreApplication>

namespace vant::app {

QuitOnTermination::QuitOnTermination()
    : notifier_(std::make_unique<QSocketNotifier>(signals_.WaitEnd(), QSocketNotifier::Read)) {
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    signals_.TakeOne();
    // Every running event loop returns, the modal preview's included.
    QCoreApplication::exit(0);
  });
}

// A signal after the notifier has gone ends the process as without this, rather than
// waiting unread in the pair.
QuitOnTermination::~QuitOnTermination() {
  signals_.PutBackDefaults();
  notifier_.reset();
}

}  // namespace vant::app
