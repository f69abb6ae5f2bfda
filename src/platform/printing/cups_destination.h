// A print server destination as libcups gives it: the destination record and its
// capability information (the media database, the *-supported and *-default attributes),
// owned together. Destinations are enumerated in the server's order.
#pragma once

#include <cups/cups.h>

#include <memory>
#include <string>
#include <vector>

#include "common/text.h"

namespace vant::printing {

class CupsDestination {
 public:
  // Copies the destination and reads its information; throws a Failure naming the
  // destination when the server gives none.
  explicit CupsDestination(const cups_dest_t& dest);

  // The destination's name (its device name).
  const std::string& Name() const { return name_; }
  bool IsDefault() const { return dest_->is_default != 0; }

  cups_dest_t* Dest() const { return dest_.get(); }
  cups_dinfo_t* Info() const { return info_.get(); }
  // A destination option cupsGetDests2 reported ("printer-uri-supported"); empty if none.
  std::string Option(const char* name) const;

 private:
  struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
  };
  struct InfoFree {
    void operator()(cups_dinfo_t* info) const { cupsFreeDestInfo(info); }
  };

  std::string name_;
  std::unique_ptr<cups_dest_t, DestFree> dest_;
  std::unique_ptr<cups_dinfo_t, InfoFree> info_;
};

// The destinations of the print server in its order: what could be read, and a Japanese
// description of each destination (or of the server) that could not.
struct CupsDestinations {
  std::vector<std::unique_ptr<CupsDestination>> destinations;
  std::vector<Text> problems;
};

// Named instances of a queue (lpoptions "name/instance") are left out: they are the same
// printer with saved options, and the device names are the queue names.
CupsDestinations ReadCupsDestinations();

// libcups's description of its last failure, as UTF-8 text.
Text LastCupsError();

}  // namespace vant::printing
