// A print server destination as libcups gives it: the destination record and its
// capability information (the media database, the *-supported and *-default attributes),
// owned together. Destinations are enumerated in the server's order.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/text.h"
#include "platform/printing/cups_connection.h"

namespace vant::printing {

class CupsDestination {
 public:
  // Copies the destination and reads its information over the connection; throws a
  // Failure naming the destination when the server gives none.
  CupsDestination(const cups_dest_t& dest, std::shared_ptr<CupsConnection> connection);

  // The destination's name (its device name).
  const std::string& Name() const { return name_; }
  bool IsDefault() const { return dest_->is_default != 0; }

  cups_dest_t* Dest() const { return dest_.get(); }
  // The connection to the destination's server, for every request about it.
  http_t* Http() const { return connection_->Http(); }
  const CupsConnection& Connection() const { return *connection_; }
  cups_dinfo_t* Info() const { return info_.get(); }
  // A destination option cupsGetDests2 reported ("printer-uri-supported"); empty if none.
  std::string Option(const char* name) const;
  // The values the destination supports for a job option ("media-source"), and its default;
  // nothing when it says none.
  ipp_attribute_t* Supported(const char* option) const {
    return cupsFindDestSupported(CUPS_HTTP_DEFAULT, dest_.get(), info_.get(), option);
  }
  ipp_attribute_t* Default(const char* option) const {
    return cupsFindDestDefault(CUPS_HTTP_DEFAULT, dest_.get(), info_.get(), option);
  }

 private:
  struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
  };
  struct InfoFree {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
  };

  std::string name_;
  std::shared_ptr<CupsConnection> connection_;
  std::unique_ptr<cups_dest_t, DestFree> dest_;
  std::unique_ptr<cups_dinfo_t, InfoFree> info_;
};

// What follows when the print server's printers cannot be had (said for every verb but
// `vant print`, which prints nothing then).
inline constexpr char16_t kPdfPrinterOnly[] = u"組み込みの PDF プリンターだけを使います。";

// The destinations of the print server in its order: what could be read, and a Japanese
// description of each destination (or of the server) that could not.
struct CupsDestinations {
  std::vector<std::unique_ptr<CupsDestination>> destinations;
  std::vector<Text> problems;
  // Set when a server that was chosen (PrintServer::configured) could not be reached or
  // did not answer: one sentence naming it and why, instead of any other problem.
  std::optional<Text> unreachable;
};

// Asks the chosen print server, with every wait bounded. Named instances of a queue
// (lpoptions "name/instance") are left out: they are the same printer with saved options,
// and the device names are the queue names.
CupsDestinations ReadCupsDestinations();

// libcups's description of its last failure, as UTF-8 text.
Text LastCupsError();

}  // namespace vant::printing
