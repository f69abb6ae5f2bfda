#include "cups_test_queues.h"

#include "shell_command.h"

#include <cups/cups.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <thread>

namespace vant::test::cups {
namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') {
    throw std::runtime_error(std::string(name) +
                             " is not set: run this test through ctest (vant_cups_tests)");
  }
  return value;
}

struct IppFree {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using Ipp = std::unique_ptr<ipp_t, IppFree>;

Ipp Request(ipp_t* request, const char* what) {
  Ipp response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) {
    throw std::runtime_error(std::string(what) + " failed: " + cupsLastErrorString());
  }
  return response;
}

std::string PrinterUri(std::string_view queue) {
  return "ipp://localhost/printers/" + std::string(queue);
}

}  // namespace

void RequirePrivateServer() {
  const std::filesystem::path socket = Env("CUPS_SERVER");
  Env("VANT_CUPS_OUTPUT");
  if (!socket.is_absolute() || !std::filesystem::exists(socket)) {
    throw std::runtime_error("CUPS_SERVER " + socket.string() + " is not the private server's socket");
  }
}

std::filesystem::path QueueOutputDir() { return Env("VANT_CUPS_OUTPUT"); }

std::filesystem::path QueueOutputFile(std::string_view queue) {
  return QueueOutputDir() / (std::string(queue) + ".pdf");
}

void ClearQueueOutput(std::string_view queue) {
  std::filesystem::remove(QueueOutputFile(queue));
}

std::vector<int> JobIds(std::string_view queue) {
  Env("CUPS_SERVER");
  ipp_t* request = ippNewRequest(IPP_OP_GET_JOBS);
  const std::string uri = PrinterUri(queue);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "which-jobs", nullptr, "all");
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "job-id");
  const Ipp response = Request(request, "Get-Jobs");
  std::vector<int> ids;
  for (ipp_attribute_t* a = ippFindAttribute(response.get(), "job-id", IPP_TAG_INTEGER); a != nullptr;
       a = ippFindNextAttribute(response.get(), "job-id", IPP_TAG_INTEGER)) {
    ids.push_back(ippGetInteger(a, 0));
  }
  return ids;
}

const std::string& FinishedJob::Attribute(const std::string& name) const {
  const auto found = attributes.find(name);
  if (found == attributes.end()) throw std::runtime_error("job " + std::to_string(id) + " has no " + name);
  return found->second;
}

FinishedJob WaitForJob(int jobId, std::chrono::seconds timeout) {
  Env("CUPS_SERVER");
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const std::string uri = "ipp://localhost/jobs/" + std::to_string(jobId);
  for (;;) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri.c_str());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "all");
    const Ipp response = Request(request, ("Get-Job-Attributes of job " + std::to_string(jobId)).c_str());
    ipp_attribute_t* state = ippFindAttribute(response.get(), "job-state", IPP_TAG_ENUM);
    if (state == nullptr) throw std::runtime_error("job " + std::to_string(jobId) + " has no state");
    const int value = ippGetInteger(state, 0);
    if (value >= IPP_JSTATE_CANCELED) {
      FinishedJob job;
      job.id = jobId;
      job.state = ippEnumString("job-state", value);
      for (ipp_attribute_t* a = ippFirstAttribute(response.get()); a != nullptr; a = ippNextAttribute(response.get())) {
        const char* name = ippGetName(a);
        if (name == nullptr || ippGetGroupTag(a) != IPP_TAG_JOB) continue;
        std::array<char, 4096> text{};
        ippAttributeString(a, text.data(), text.size());
        job.attributes[name] = text.data();
      }
      const std::string& printer = job.Attribute("job-printer-uri");
      job.queue = printer.substr(printer.rfind('/') + 1);
      if (value == IPP_JSTATE_COMPLETED) {
        const std::string name = job.queue + "-job-" + std::to_string(jobId) + ".pdf";
        job.file = QueueOutputDir() / name;
        // A queue that keeps each job's file (Office-Filtered) is read from that copy: its
        // one output file may already hold the next job.
        const std::filesystem::path kept = QueueOutputDir() / "jobs" / name;
        const std::filesystem::path written = std::filesystem::exists(kept) ? kept : QueueOutputFile(job.queue);
        // A queue that sends its jobs on to a printer over IPP writes no file.
        if (std::filesystem::exists(written)) {
          std::filesystem::copy_file(written, job.file, std::filesystem::copy_options::overwrite_existing);
        } else {
          job.file.clear();
        }
      }
      return job;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      throw std::runtime_error("job " + std::to_string(jobId) + " did not finish in time (state " +
                               ippEnumString("job-state", value) + ")");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::string RunTool(const std::string& commandLine) {
  Env("CUPS_SERVER");
  return RunShell(commandLine);
}

QueueStopped::QueueStopped(std::string queue, std::string reason) : queue_(std::move(queue)) {
  RunTool("cupsdisable -r " + ShellQuoted(reason) + " " + ShellQuoted(queue_));
}

QueueStopped::~QueueStopped() {
  try {
    RunTool("cupsenable " + ShellQuoted(queue_));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "could not restart queue %s: %s\n", queue_.c_str(), e.what());
  }
}

QueueRejecting::QueueRejecting(std::string queue, std::string reason) : queue_(std::move(queue)) {
  RunTool("cupsreject -r " + ShellQuoted(reason) + " " + ShellQuoted(queue_));
}

QueueRejecting::~QueueRejecting() {
  try {
    RunTool("cupsaccept " + ShellQuoted(queue_));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "could not make queue %s accept again: %s\n", queue_.c_str(), e.what());
  }
}

}  // namespace vant::test::cups
