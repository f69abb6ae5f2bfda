#include "app/run/session.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "app/cli/words.h"
#include "app/run/command_platform.h"
#include "common/failure.h"
#include "control/method_line.h"
#include "draw/method_commands.h"
#include "engine/setup_commands.h"
#include "platform/files/file_writing.h"
#include "platform/host/charset_warning.h"
#include "platform/host/host_page_errors.h"
#include "platform/printermap/map_files.h"
#include "platform/qt/qt_app.h"
#include "platform/system/display.h"

namespace vant::app {

std::optional<std::string> EncodingWarning(const std::string& file, const platform::LoadedHostPage& loaded,
                                           const Words& w) {
  if (!platform::MisreadEncoding(loaded)) return std::nullopt;
  const std::string encoding(platform::EncodingName(loaded.encoding));
  if (loaded.utf8Text) {
    return Fill(w.translate("vant page",
                            "The page \"%1\" declares %2 but is saved in UTF-8. Its text may be garbled (check "
                            "the encoding it declares)."),
                {file, encoding});
  }
  return Fill(w.translate("vant page",
                          "The page \"%1\" has %2 places that cannot be read as %3. Its text may be garbled (check "
                          "the encoding it declares)."),
              {file, std::to_string(loaded.replacedSequences), encoding});
}

void WarnIfMisread(const std::filesystem::path& file, const platform::LoadedHostPage& page, const Words& w) {
  if (const auto warning = EncodingWarning(file.string(), page, w)) std::cerr << "vant: " << *warning << '\n';
}

platform::LoadedHostPage LoadCommandPage(const CommandLine& line) {
  std::optional<Text> id;
  if (line.objectId) id = FromUtf8(*line.objectId);
  try {
    if (line.PageFromStandardInput()) return platform::LoadHostPageFromStandardInput(id);
    platform::LoadedHostPage loaded = platform::LoadHostPage(line.page, id);
    WarnIfMisread(line.page, loaded, line.words);
    return loaded;
  } catch (const vant::platform::HostObjectNotFound& e) {
    throw UsageError(e.what());
  }
}

namespace {

// Qt aborts the program when the windowing system it is to use cannot be reached: a
// window verb started without a display says so and ends instead.
std::unique_ptr<QGuiApplication> StartQtOrSay(int& argc, char** argv, bool windowed, const Words& w) {
  if (windowed) {
    const system::DisplayCheck display = system::CheckDisplay();
    if (display.kind == system::DisplayKind::kUnreachable) throw NoDisplay(display.reason);
    // No one would ever see the window, nor close it: the command would never end.
    if (display.kind == system::DisplayKind::kOffscreen) {
      const char* platform = std::getenv("QT_QPA_PLATFORM");
      throw NoDisplay(
          Fill(w.translate("vant print", "cannot reach the display: QT_QPA_PLATFORM=%1 shows no window on a screen"),
               {platform != nullptr ? platform : ""}));
    }
  }
  return qt::StartQt(argc, argv, windowed);
}

std::unique_ptr<printing::PrinterList> LoadPrinters(const SessionNeeds& needs) {
  if (!needs.printServer) return std::make_unique<printing::PrinterList>(std::vector<printing::InstalledQueue>{});
  auto printers = printing::PrinterList::FromCups();
  printers->UseMap(printermap::ReadMapFiles(printermap::MapFilesOfEnvironment()));
  return printers;
}

// The same lookup the "changeprinter" method makes (the queue's name, the printer map, the
// queue's description); a name no printer has must not pass silently on the command line.
void SelectNamedPrinter(printing::PrinterList& printers, const std::string& name, const Words& w) {
  if (!SelectPrinter(printers, TrimBlanks(FromUtf8(name)))) {
    throw UsageError(
        Fill(w.translate("vant print", "there is no printer named \"%1\" (vant printers lists them)"), {name}));
  }
}

}  // namespace

// Every PARAM's value is looked at, so that no list that changes printer is missed; only
// its command is read, and the command table tells which commands choose the printer,
// under all their names, as the run finds them (a blank before or after the name is no
// command: the run stops there before any printer changes).
bool PageChangesPrinter(const platform::LoadedHostPage& page) {
  if (!page.page.HasObject()) return false;
  for (const ParamElement& param : page.page.ObjectParams()) {
    if (ChoosesPrinter(MethodCommands(), TextView(param.value).substr(0, CommandEnd(param.value)))) return true;
  }
  return false;
}

Session::Session(int& argc, char** argv, const CommandLine& line, std::optional<platform::LoadedHostPage> page,
                 const SessionNeeds& needs, MessageBoxes& shown, std::unique_ptr<MousePointer> pointer)
    : page_(std::move(page)),
      qt_(StartQtOrSay(argc, argv, needs.windowed, line.words)),
      printers_(LoadPrinters(needs)),
      printer_(std::make_unique<PrinterObject>(*printers_)),
      stops_(&shown),
      messages_(stops_),
      pointer_(std::move(pointer)),
      platform_(CommandPlatform(*printer_, messages_, *pointer_, symbols_)) {
  const auto& unreachable = printers_->ServerUnreachable();
  for (const Text& problem : printers_->Problems()) {
    if (needs.saysUnreachableServer && unreachable && problem == *unreachable + printing::kPdfPrinterOnly) continue;
    std::cerr << "vant: " << ToUtf8(problem) << '\n';
  }
  if (page_ && !page_->baseName.empty()) printers_->SetDocumentName(FromUtf8(page_->baseName));
  if (line.title) printers_->SetDocumentTitle(FromUtf8(*line.title));
  printers_->SetCopies(line.copies);
  copies_ = line.copies;
  words_ = line.words;
  std::error_code noPath;
  const std::filesystem::path absolute =
      line.PageFromStandardInput() ? line.page : std::filesystem::absolute(line.page, noPath);
  logPage_ = line.PageFromStandardInput() ? Text(u"-") : FromUtf8(absolute.string());
  if (line.printer) SelectNamedPrinter(*printers_, *line.printer, line.words);
}

Session::~Session() {
  if (!finished_) {
    try {
      printers_->EndOpenDocuments();
    } catch (const Failure& f) {
      std::cerr << "vant: " << f.what() << '\n';
    }
  }
}

void Session::Finish() {
  finished_ = true;
  printers_->EndOpenDocumentsShowingFailure(messages_);
  // Standard output may carry the PDF itself (-o -, or a path such as /dev/stdout): what
  // went where is then said on standard error.
  bool pdfOnStandardOutput = printers_->PdfOutput().ToStandardOutput();
  for (const auto& delivered : printers_->Delivered()) {
    pdfOnStandardOutput = pdfOnStandardOutput || (delivered.file && files::IsStandardOutput(*delivered.file));
  }
  std::ostream& said = pdfOnStandardOutput ? std::cerr : std::cout;
  for (const auto& delivered : printers_->Delivered()) said << ToUtf8(delivered.Description()) << '\n';
  // A PDF file is written once, whatever --copies asks; said rather than ignored.
  const auto& delivered = printers_->Delivered();
  if (copies_ > 1 &&
      std::any_of(delivered.begin(), delivered.end(), [](const auto& d) { return d.file || d.standardOutput; })) {
    std::cerr << "vant: "
              << Fill(words_.translate("vant print",
                                       "--copies %1 is the number of copies of a print server's job; the PDF file "
                                       "was written once."),
                      {std::to_string(copies_)})
              << '\n';
  }
  printlog::SystemLog log;
  printlog::LogPrints(log, logPage_, printers_->Delivered(), copies_, stops_.Take());
}

}  // namespace vant::app
