#include "platform/printing/cups_job_output.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"

namespace vant::printing {
namespace {

struct IppFree {
  void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppMessage = std::unique_ptr<ipp_t, IppFree>;

// The options of a job, owned.
class JobOptions {
 public:
  JobOptions() = default;
  JobOptions(const JobOptions&) = delete;
  JobOptions& operator=(const JobOptions&) = delete;
  ~JobOptions() { cupsFreeOptions(count_, options_); }
  void Add(const char* name, const std::string& value) {
    count_ = cupsAddOption(name, value.c_str(), count_, &options_);
  }
  int Count() const { return count_; }
  cups_option_t* Options() const { return options_; }

 private:
  int count_ = 0;
  cups_option_t* options_ = nullptr;
};

Failure JobFailure(const Text& printer, const Text& reason) {
  return Failure(u"プリンター「" + printer + u"」に印刷ジョブを送れません: " + reason);
}

// The refusal of a queue that takes no jobs, in the program's own words.
constexpr TextView kNotAccepting = u"プリンターが印刷ジョブを受け付けていません。";
// A queue the server reported without a URI the document could be sent to.
constexpr TextView kNoQueueUri = u"プリンターの URI が不明です。";

// Why a request of a job failed; a queue that takes no jobs is said in the program's own
// words.
Text JobErrorReason(const CupsConnection& connection, ipp_status_t status) {
  if (status == IPP_STATUS_ERROR_NOT_ACCEPTING_JOBS) return Text(kNotAccepting);
  return connection.FailureReason(status);
}

// The sheet and the source as one media-col: a print server honours the source only there
// for a queue with a driver (it becomes the PPD's InputSlot), and the sheet's strips pick
// the very size the queue lists. Empty when the printer names no sheet; without the size
// when withSize is false.
std::string MediaCol(const JobAttributes& a, bool withSize) {
  std::string col;
  if (withSize && a.media.width > 0 && a.media.length > 0) {
    const ServerMedia& m = a.media;
    col += "media-size={x-dimension=" + std::to_string(m.width) + " y-dimension=" + std::to_string(m.length) + "}";
    col += " media-left-margin=" + std::to_string(m.left) + " media-right-margin=" + std::to_string(m.right);
    col += " media-top-margin=" + std::to_string(m.top) + " media-bottom-margin=" + std::to_string(m.bottom);
  }
  // The settings whose attributes go inside media-col.
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    const std::optional<std::string>& value = a.Value(row.id);
    if (!row.inMediaCol || row.jobValue == JobValueKind::kMedia || !value) continue;
    if (!col.empty()) col += " ";
    col += std::string(row.jobAttribute) + "=" + *value;
  }
  return col.empty() ? col : "{" + col + "}";
}

// Hundredths of a millimetre as a PPD size's figure: "50", "28.58".
std::string MmFigure(int32_t hundredths) {
  std::string text = std::to_string(hundredths / 100);
  if (const int32_t rest = hundredths % 100; rest != 0) {
    text += '.' + std::to_string(rest / 10) + (rest % 10 != 0 ? std::to_string(rest % 10) : "");
  }
  return text;
}

// Bytes per write to the server.
constexpr qsizetype kChunk = 64 * 1024;

// Where the requests of a queue go: its URI and the resource of that URI ("/printers/Office").
struct QueueAddress {
  std::string uri, resource;
};

// The queue's address, from the URI the server reported for it; nothing when it reported
// none or one that cannot be read.
std::optional<QueueAddress> AddressOf(const std::string& uri) {
  if (uri.empty()) return std::nullopt;
  std::array<char, 32> scheme{};
  std::array<char, 256> user{}, host{};
  std::array<char, 1024> resource{};
  int port = 0;
  if (httpSeparateURI(HTTP_URI_CODING_ALL, uri.c_str(), scheme.data(), scheme.size(), user.data(), user.size(),
                      host.data(), host.size(), &port, resource.data(), resource.size()) < HTTP_URI_STATUS_OK) {
    return std::nullopt;
  }
  return QueueAddress{uri, resource.data()};
}

// Starts the job's one document, announcing its length. A print server takes a chunked
// body whose connection ends inside a chunk's size line for the whole document and prints
// the part that came; a body shorter than its stated length it throws away. The document's bytes (length of
// them) follow through cupsWriteRequestData, the answer through cupsGetResponse.
http_status_t StartDocument(http_t* http, const QueueAddress& queue, int jobId, const std::string& title,
                            qsizetype length) {
  ipp_t* request = ippNewRequest(IPP_OP_SEND_DOCUMENT);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, queue.uri.c_str());
  ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "document-name", nullptr, title.c_str());
  ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_MIMETYPE, "document-format", nullptr, CUPS_FORMAT_PDF);
  ippAddBoolean(request, IPP_TAG_OPERATION, "last-document", 1);
  const IppMessage owned(request);
  // The length covers the request's attributes and the document both.
  return cupsSendRequest(http, owned.get(), queue.resource.c_str(), ippLength(request) + static_cast<size_t>(length));
}

// One job of a document: created, its PDF sent as its one document. A job of a document
// in several parts is held until every part is in, so that no part prints before all are
// there and the parts print one after the other.
int SendJob(http_t* http, const CupsConnection& connection, cups_dest_t* dest, cups_dinfo_t* info,
            const QueueAddress& queue, const PrintedDocument& part, bool held, bool ppdSizes) {
  JobOptions options;
  const JobAttributes& a = part.attributes;
  // A size of its own goes to a queue with a PPD as the PPD's custom size: the server would
  // take a stock within 1.76 mm of it for a media-size (a 50 x 30 mm label on 2 x 1.25 in).
  const bool customPageSize = ppdSizes && a.customMedia && a.media.width > 0 && a.media.length > 0;
  if (customPageSize) options.Add("PageSize", "Custom." + MmFigure(a.media.width) + "x" + MmFigure(a.media.length) + "mm");
  if (const std::string mediaCol = MediaCol(a, !customPageSize); !mediaCol.empty()) options.Add("media-col", mediaCol);
  for (const PrinterSettingRow& row : PrinterSettingRows()) {
    if (const std::optional<std::string>& value = a.Value(row.id); value && !row.inMediaCol) {
      options.Add(std::string(row.jobAttribute).c_str(), *value);
    }
  }
  options.Add("print-scaling", "none");
  if (part.copies > 1) options.Add("copies", std::to_string(part.copies));
  if (held) options.Add("job-hold-until", "indefinite");

  const std::string title = ToUtf8(part.title);
  int jobId = 0;
  const ipp_status_t created = cupsCreateDestJob(http, dest, info, &jobId, title.c_str(),
                                                 options.Count(), options.Options());
  if (created > IPP_STATUS_OK_CONFLICTING || jobId <= 0) {
    throw JobFailure(part.printer, JobErrorReason(connection, created));
  }

  // The reason is taken before the cancel, whose own request would replace it. A server
  // that closed the connection is asked again, so that it does not keep a job waiting for
  // a document that never comes; one that no longer answers is not waited on again.
  const auto abandon = [&](const Text& reason) {
    if (connection.ReadyForAnotherRequest()) cupsCancelDestJob(http, dest, jobId);
    return JobFailure(part.printer, reason);
  };
  if (StartDocument(http, queue, jobId, title, part.pdf.size()) != HTTP_STATUS_CONTINUE) {
    throw abandon(JobErrorReason(connection, cupsLastError()));
  }
  for (qsizetype at = 0; at < part.pdf.size(); at += kChunk) {
    const qsizetype length = std::min(kChunk, part.pdf.size() - at);
    if (cupsWriteRequestData(http, part.pdf.constData() + at,
                             static_cast<size_t>(length)) != HTTP_STATUS_CONTINUE) {
      const Text reason = JobErrorReason(connection, cupsLastError());
      // The request is finished so that the connection can be used for the cancel.
      if (!connection.TimedOut() && httpError(http) == 0) IppMessage(cupsGetResponse(http, queue.resource.c_str()));
      throw abandon(reason);
    }
  }
  const IppMessage response(cupsGetResponse(http, queue.resource.c_str()));
  if (const ipp_status_t finished = cupsLastError(); !response || finished > IPP_STATUS_OK_CONFLICTING) {
    throw abandon(JobErrorReason(connection, finished));
  }
  return jobId;
}

// Lets a held job print. False when the server refuses.
bool ReleaseJob(http_t* http, const std::string& printerUri, int jobId) {
  IppMessage request(ippNewRequest(IPP_OP_RELEASE_JOB));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri.c_str());
  ippAddInteger(request.get(), IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", jobId);
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
  // cupsDoRequest consumes the request.
  IppMessage response(cupsDoRequest(http, request.release(), "/jobs/"));
  return response && cupsLastError() <= IPP_STATUS_OK_CONFLICTING;
}

}  // namespace

CupsJobOutput::CupsJobOutput(std::unique_ptr<CupsDestination> destination)
    : destination_(std::move(destination)) {
  if (!destination_) throw std::invalid_argument("CupsJobOutput needs a destination");
}

bool CupsJobOutput::CheckQueue(const Text& printer) const {
  const std::string uri = destination_->Option("printer-uri-supported");
  if (uri.empty()) return false;  // a destination without a queue URI cannot be asked either
  IppMessage request(ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  static const char* const kWanted[] = {"printer-state", "printer-is-accepting-jobs"};
  ippAddStrings(request.get(), IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2,
                nullptr, kWanted);
  // cupsDoRequest consumes the request. A server that cannot say (a destination it knows
  // only by discovery) is asked no further: submitting the job reports any refusal.
  IppMessage response(cupsDoRequest(destination_->Http(), request.release(), "/"));
  // A server that does not answer at all will not take the job either: said now, with why.
  const CupsConnection& connection = destination_->Connection();
  if (!response && (connection.TimedOut() || httpError(destination_->Http()) != 0)) {
    throw JobFailure(printer, connection.FailureReason(cupsLastError()));
  }
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) return false;
  ipp_attribute_t* accepting = ippFindAttribute(response.get(), "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
  if (accepting != nullptr && !ippGetBoolean(accepting, 0)) throw JobFailure(printer, Text(kNotAccepting));
  // A paused queue that accepts jobs keeps them until it is resumed, as for any client.
  ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
  return state != nullptr && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED;
}

const std::optional<QueuePpd>& CupsJobOutput::Ppd() {
  if (!ppd_) ppd_ = FetchQueuePpd(*destination_);
  return *ppd_;
}

SheetGrid CupsJobOutput::GridFor(const PrinterMedia& media) {
  const auto& ppd = Ppd();
  return {AnchorOf(ppd), ppd ? ExactSheet(*ppd, media) : media};
}

DeliveredDocument CupsJobOutput::Deliver(const PrintedDocument& document) {
  return DeliverParts({document});
}

DeliveredDocument CupsJobOutput::DeliverParts(const std::vector<PrintedDocument>& parts) {
  if (parts.empty()) throw std::logic_error("a document without parts");
  const Text& printer = parts.front().printer;
  const bool stopped = CheckQueue(printer);

  http_t* http = destination_->Http();
  const CupsConnection& connection = destination_->Connection();
  cups_dest_t* dest = destination_->Dest();
  cups_dinfo_t* info = destination_->Info();
  const std::optional<QueueAddress> queue = AddressOf(destination_->Option("printer-uri-supported"));
  if (!queue) throw JobFailure(printer, Text(kNoQueueUri));
  const bool held = parts.size() > 1;
  std::vector<int> jobs;
  const auto cancelAll = [&] {
    if (jobs.empty() || !connection.ReadyForAnotherRequest()) return;
    for (const int job : jobs) cupsCancelDestJob(http, dest, job);
  };
  try {
    for (const PrintedDocument& part : parts) {
      jobs.push_back(SendJob(http, connection, dest, info, *queue, part, held, part.attributes.customMedia && HasPpd()));
    }
  } catch (...) {
    // The parts sent so far are held: none of them prints.
    cancelAll();
    throw;
  }
  if (held) {
    for (const int job : jobs) {
      if (!ReleaseJob(http, queue->uri, job)) {
        const Text reason = JobErrorReason(connection, cupsLastError());
        cancelAll();
        throw JobFailure(printer, reason);
      }
    }
  }

  DeliveredDocument delivered;
  delivered.printer = printer;
  for (const PrintedDocument& part : parts) delivered.pages += part.pages;
  delivered.jobId = jobs.front();
  delivered.laterJobIds.assign(jobs.begin() + 1, jobs.end());
  delivered.printerStopped = stopped;
  return delivered;
}

}  // namespace vant::printing
