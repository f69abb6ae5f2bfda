// Helpers for tests that print on the private print server (cups.cmake): where the queues
// write, the jobs of a queue, waiting for a job and fetching the file its queue wrote,
// the job's attributes as the server keeps them, and stopping or rejecting a queue for
// the length of a test. Every helper fails loudly (std::runtime_error) when the server
// or its environment is missing.
#pragma once

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vant::test::cups {

// Throws unless the test runs against the private print server (CUPS_SERVER and
// VANT_CUPS_OUTPUT set, as vant_cups_tests sets them): a test run by hand must not print
// on the machine's own printers.
void RequirePrivateServer();

// VANT_CUPS_OUTPUT: the directory of the queues' files.
std::filesystem::path QueueOutputDir();
// The file a queue writes each job to (overwritten by the next job).
std::filesystem::path QueueOutputFile(std::string_view queue);
// Removes the queue's file, so that a test sees only what it printed itself.
void ClearQueueOutput(std::string_view queue);

// The ids of every job the queue holds or has held (completed ones included).
std::vector<int> JobIds(std::string_view queue);

struct FinishedJob {
  int id = 0;
  std::string queue;
  std::string state;  // "completed", "aborted" or "canceled"
  // Every job attribute the server keeps, as ippAttributeString writes it
  // ("media" -> "iso_a3_297x420mm", "orientation-requested" -> "landscape").
  std::map<std::string, std::string> attributes;
  // A copy of the file the queue wrote for this job (QUEUE-job-ID.pdf beside it; taken from
  // jobs/QUEUE-job-ID.pdf for a queue that keeps one per job); empty when the job did not
  // complete or its queue writes no file.
  std::filesystem::path file;

  // The attribute's value; throws naming it when the job has none.
  const std::string& Attribute(const std::string& name) const;
};

// Waits until the job has finished (completed, aborted or canceled) and fetches its file.
FinishedJob WaitForJob(int jobId, std::chrono::seconds timeout = std::chrono::seconds(30));

// Runs an lp tool (cupsdisable, cupsenable, cupsreject, cupsaccept, lpstat ...) against the
// private server; returns its standard output, throws with its output when it fails.
std::string RunTool(const std::string& commandLine);

// Stops (cupsdisable) or rejects jobs on (cupsreject) a queue until the guard goes.
class QueueStopped {
 public:
  explicit QueueStopped(std::string queue, std::string reason = "stopped by a test");
  ~QueueStopped();
  QueueStopped(const QueueStopped&) = delete;
  QueueStopped& operator=(const QueueStopped&) = delete;

 private:
  std::string queue_;
};

class QueueRejecting {
 public:
  explicit QueueRejecting(std::string queue, std::string reason = "rejecting for a test");
  ~QueueRejecting();
  QueueRejecting(const QueueRejecting&) = delete;
  QueueRejecting& operator=(const QueueRejecting&) = delete;

 private:
  std::string queue_;
};

}  // namespace vant::test::cups
