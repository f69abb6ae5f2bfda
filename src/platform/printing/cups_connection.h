// The connection to the print server that the printer list, the destinations and the jobs
// share, with a bound on every wait: a server that is down fails at once, one that hangs
// fails after kServerTimeout instead of after libcups's own minutes. Failure reasons come
// from what failed on this connection (the socket's error, the IPP status), never from a
// stale errno.
#pragma once

#include <cups/cups.h>

#include <chrono>
#include <memory>
#include <string>

#include "common/text.h"

namespace vant::printing {

// The longest wait for the server to accept a connection or answer one request.
inline constexpr std::chrono::seconds kServerTimeout{8};

// The print server libcups would ask, and whether the machine or the user chose it: the
// CUPS_SERVER variable, a ServerName in a client.conf, or a local scheduler socket. A
// server nobody chose (libcups's "localhost" fallback) being absent is no fault.
struct PrintServer {
  std::string name;
  bool configured = false;
};
PrintServer ChosenPrintServer();

// The server as the user names it: a socket's path, or the host with the port libcups uses
// ("print.example.com:631").
std::string ServerAddress(const std::string& name);

class CupsConnection {
 public:
  // Connects within kServerTimeout; nothing when the server cannot be reached, with the
  // reason in unreachable.
  static std::shared_ptr<CupsConnection> Open(const std::string& server, Text& unreachable);
  ~CupsConnection();
  CupsConnection(const CupsConnection&) = delete;
  CupsConnection& operator=(const CupsConnection&) = delete;

  http_t* Http() const { return http_; }
  // Whether a wait on the connection ran out of time.
  bool TimedOut() const { return timedOut_; }
  // Why the last request failed: the time out, the socket's error, or the IPP status with
  // the server's message.
  Text FailureReason(ipp_status_t status) const;
  // Whether another request can be sent: a connection that broke (the server closed it) is
  // made again, within kServerTimeout; one that ran out of time is not waited on again.
  // The handle stays the same; the reason of the failure is to be taken before.
  bool ReadyForAnotherRequest() const;

 private:
  explicit CupsConnection(http_t* http) : http_(http) {}
  static int GiveUp(http_t* http, void* self);

  http_t* http_;
  bool timedOut_ = false;
};

}  // namespace vant::printing
