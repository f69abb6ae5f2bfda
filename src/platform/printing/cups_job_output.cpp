#include "platform/printing/cups_job_output.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

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

// Bytes per write to the server.
constexpr qsizetype kChunk = 64 * 1024;

}  // namespace

CupsJobOutput::CupsJobOutput(std::unique_ptr<CupsDestination> destination)
    : destination_(std::move(destination)) {
  if (!destination_) throw std::invalid_argument("CupsJobOutput needs a destination");
}

void CupsJobOutput::RefuseWhenStopped(const Text& printer) const {
  // A stopped queue would hold the job without printing it: the run is told now.
  const std::string uri = destination_->Option("printer-uri-supported");
  if (uri.empty()) return;  // a destination without a queue URI cannot be asked either
  IppMessage request(ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES));
  ippAddString(request.get(), IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri.c_str());
  static const char* const kWanted[] = {"printer-state", "printer-state-message"};
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
  if (!response || cupsLastError() > IPP_STATUS_OK_CONFLICTING) return;
  ipp_attribute_t* state = ippFindAttribute(response.get(), "printer-state", IPP_TAG_ENUM);
  if (state == nullptr || ippGetInteger(state, 0) != IPP_PSTATE_STOPPED) return;
  Text reason = u"プリンターが停止しています。";
  if (ipp_attribute_t* message = ippFindAttribute(response.get(), "printer-state-message", IPP_TAG_TEXT)) {
    const char* text = ippGetString(message, 0, nullptr);
    if (text != nullptr && *text != '\0') reason += u" (" + FromUtf8(text) + u")";
  }
  throw JobFailure(printer, reason);
}

DeliveredDocument CupsJobOutput::Deliver(const PrintedDocument& document) {
  RefuseWhenStopped(document.printer);

  JobOptions options;
  const JobAttributes& a = document.attributes;
  if (!a.media.empty()) options.Add("media", a.media);
  options.Add("orientation-requested", std::to_string(a.orientation));
  if (a.quality) options.Add("print-quality", std::to_string(*a.quality));
  if (a.mediaSource) options.Add("media-source", *a.mediaSource);
  if (a.colorMode) options.Add("print-color-mode", *a.colorMode);
  options.Add("print-scaling", "none");

  http_t* http = destination_->Http();
  const CupsConnection& connection = destination_->Connection();
  cups_dest_t* dest = destination_->Dest();
  cups_dinfo_t* info = destination_->Info();
  const std::string title = ToUtf8(document.title);
  int jobId = 0;
  const ipp_status_t created = cupsCreateDestJob(http, dest, info, &jobId, title.c_str(),
                                                 options.Count(), options.Options());
  if (created > IPP_STATUS_OK_CONFLICTING || jobId <= 0) {
    throw JobFailure(document.printer, connection.FailureReason(created));
  }

  // The reason is taken before the cancel, whose own request would replace it; a server
  // that no longer answers is not waited on again for the cancel.
  const auto abandon = [&](const Text& reason) {
    if (!connection.TimedOut()) cupsCancelDestJob(http, dest, jobId);
    return JobFailure(document.printer, reason);
  };
  if (cupsStartDestDocument(http, dest, info, jobId, title.c_str(), CUPS_FORMAT_PDF, 0,
                            nullptr, 1) != HTTP_STATUS_CONTINUE) {
    throw abandon(connection.FailureReason(cupsLastError()));
  }
  for (qsizetype at = 0; at < document.pdf.size(); at += kChunk) {
    const qsizetype length = std::min(kChunk, document.pdf.size() - at);
    if (cupsWriteRequestData(http, document.pdf.constData() + at,
                             static_cast<size_t>(length)) != HTTP_STATUS_CONTINUE) {
      const Text reason = connection.FailureReason(cupsLastError());
      // The request is finished so that the connection can be used for the cancel.
      if (!connection.TimedOut()) cupsFinishDestDocument(http, dest, info);
      throw abandon(reason);
    }
  }
  if (const ipp_status_t finished = cupsFinishDestDocument(http, dest, info);
      finished > IPP_STATUS_OK_CONFLICTING) {
    throw abandon(connection.FailureReason(finished));
  }

  DeliveredDocument delivered;
  delivered.printer = document.printer;
  delivered.pages = document.pages;
  delivered.jobId = jobId;
  return delivered;
}

}  // namespace vant::printing
