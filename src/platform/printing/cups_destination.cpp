#include "platform/printing/cups_destination.h"

#include "common/failure.h"

namespace vant::printing {

Text LastCupsError() {
  const char* message = cupsLastErrorString();
  return FromUtf8(message != nullptr ? message : "");
}

CupsDestination::CupsDestination(const cups_dest_t& dest) : name_(dest.name != nullptr ? dest.name : "") {
  cups_dest_t* copy = nullptr;
  // cupsCopyDest takes a non-const source but does not change it.
  if (cupsCopyDest(const_cast<cups_dest_t*>(&dest), 0, &copy) != 1 || copy == nullptr) {
    throw Failure(u"プリンター「" + FromUtf8(name_) + u"」の情報を複製できません。");
  }
  dest_.reset(copy);
  info_.reset(cupsCopyDestInfo(CUPS_HTTP_DEFAULT, dest_.get()));
  if (!info_) {
    throw Failure(u"プリンター「" + FromUtf8(name_) + u"」の情報を取得できません: " + LastCupsError());
  }
}

std::string CupsDestination::Option(const char* name) const {
  const char* value = cupsGetOption(name, dest_->num_options, dest_->options);
  return value != nullptr ? value : "";
}

CupsDestinations ReadCupsDestinations() {
  CupsDestinations result;
  cups_dest_t* dests = nullptr;
  const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
  const ipp_status_t status = cupsLastError();
  if (count == 0 && status > IPP_STATUS_OK_CONFLICTING && status != IPP_STATUS_ERROR_NOT_FOUND) {
    // Name the server: "Bad file descriptor" alone does not say that no server answered.
    result.problems.push_back(u"印刷サーバー「" + FromUtf8(cupsServer()) +
                              u"」からプリンターの一覧を取得できません (" + LastCupsError() +
                              u")。組み込みの PDF プリンターだけを使います。");
  }
  for (int i = 0; i < count; ++i) {
    if (dests[i].instance != nullptr) continue;
    try {
      result.destinations.push_back(std::make_unique<CupsDestination>(dests[i]));
    } catch (const Failure& failure) {
      result.problems.push_back(failure.Description());
    }
  }
  cupsFreeDests(count, dests);
  return result;
}

}  // namespace vant::printing
