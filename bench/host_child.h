// A `vant host` started as a browser starts it, talked to through pipes: framed requests in,
// framed answers out. Only the PDF printer is installed (no print server), its files go to
// a scratch download folder, and no display is used.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace vant::bench {

class HostChild {
 public:
  // downloads: where the PDF printer writes (made by the caller).
  explicit HostChild(const std::filesystem::path& downloads);
  ~HostChild();  // closes the channel and waits for the host to end
  HostChild(const HostChild&) = delete;
  HostChild& operator=(const HostChild&) = delete;

  // Sends one request and returns its answer; throws when the host does not answer.
  std::string Ask(const std::string& json);
  // The host's resident memory, KiB (VmRSS), and the most it has had so far (VmHWM).
  long ResidentKiB() const;
  long PeakResidentKiB() const;

 private:
  pid_t pid_ = -1;
  int requests_ = -1;  // the host's standard input
  int answers_ = -1;   // its standard output
  std::filesystem::path config_;
};

// The document request for a page's OBJECT elements, each with its own PARAMs.
struct BenchObject {
  std::string id;
  std::vector<std::pair<std::string, std::string>> params;
};
std::string DocumentRequestJson(int id, const std::string& url, const std::vector<BenchObject>& objects);

}  // namespace vant::bench
