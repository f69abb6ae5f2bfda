// The ways a host page can fail to load, each its own type so that the command line can
// answer with its own exit status. The messages are in Japanese and name the page or id.
#pragma once

#include <stdexcept>
#include <string>

namespace vant::platform {

// The page cannot be read (missing, a folder, no permission, too large) or is not text.
class HostPageUnreadable : public std::runtime_error {
 public:
  HostPageUnreadable(std::string path, const std::string& message)
      : std::runtime_error(message), path_(std::move(path)) {}
  const std::string& Path() const noexcept { return path_; }

 private:
  std::string path_;
};

// The id asked for names no OBJECT element of the page: a usage error.
class HostObjectNotFound : public std::runtime_error {
 public:
  HostObjectNotFound(std::string id, const std::string& message)
      : std::runtime_error(message), id_(std::move(id)) {}
  const std::string& Id() const noexcept { return id_; }  // UTF-8

 private:
  std::string id_;
};

}  // namespace vant::platform
