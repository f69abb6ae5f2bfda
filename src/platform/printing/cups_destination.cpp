#include "platform/printing/cups_destination.h"

#include <stdexcept>

#include "common/failure.h"

namespace vant::printing {

Text LastCupsError() {
  const char* message = cupsLastErrorString();
  return FromUtf8(message != nullptr ? message : "");
}

CupsDestination::CupsDestination(const cups_dest_t& dest, std::shared_ptr<CupsConnection> connection)
    : name_(dest.name != nullptr ? dest.name : ""), connection_(std::move(connection)) {
  if (!connection_) throw std::invalid_argument("a destination needs its server's connection");
  cups_dest_t* copy = nullptr;
  // cupsCopyDest takes a non-const source but does not change it.
  if (cupsCopyDest(const_cast<cups_dest_t*>(&dest), 0, &copy) != 1 || copy == nullptr) {
    throw Failure(u"プリンター「" + FromUtf8(name_) + u"」の情報を複製できません。");
  }
  dest_.reset(copy);
  info_.reset(cupsCopyDestInfo(connection_->Http(), dest_.get()));
  if (!info_) {
    throw Failure(u"プリンター「" + FromUtf8(name_) + u"」の情報を取得できません: " +
                  connection_->FailureReason(cupsLastError()));
  }
}

std::string CupsDestination::Option(const char* name) const {
  const char* value = cupsGetOption(name, dest_->num_options, dest_->options);
  return value != nullptr ? value : "";
}

CupsDestinations ReadCupsDestinations() {
  CupsDestinations result;
  const PrintServer server = ChosenPrintServer();
  // One plain sentence naming the server and why; the caller says what follows from it.
  const auto noList = [&](const Text& reason) {
    return u"印刷サーバー「" + FromUtf8(ServerAddress(server.name)) + u"」からプリンターの一覧を取得できません (" + reason + u")。";
  };
  const auto listFailure = [&](const Text& reason) { return noList(reason) + kPdfPrinterOnly; };
  Text unreachable;
  const std::shared_ptr<CupsConnection> connection = CupsConnection::Open(server.name, unreachable);
  if (!connection) {
    // A server nobody chose that is not there is no fault: the PDF printer is all there is.
    if (server.configured) result.unreachable = noList(unreachable);
    return result;
  }
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(connection->Http(), &dests);
  const ipp_status_t status = cupsLastError();
  if (count == 0 && (connection->TimedOut() || httpError(connection->Http()) != 0)) {
    cupsFreeDests(count, dests);
    if (server.configured) result.unreachable = noList(connection->FailureReason(status));
    return result;
  }
  if (count == 0 && status > IPP_STATUS_OK_CONFLICTING && status != IPP_STATUS_ERROR_NOT_FOUND) {
    result.problems.push_back(listFailure(connection->FailureReason(status)));
  }
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance != nullptr) continue;
    try {
      result.destinations.push_back(std::make_unique<CupsDestination>(dests[i], connection));
    } catch (const Failure& failure) {
      result.problems.push_back(failure.Description());
    }
  }
  cupsFreeDests(count, dests);
  return result;
}

}  // namespace vant::printing
