#include "app/session.h"
#include "app/thread_state.h"
#include "platform/host/charset_warning.h"
#include "platform/host/host_page_errors.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <stdexcept>

#include "common/failure.h"
#include "control/method_line.h"
#include "draw/method_commands.h"
#include "engine/setup_commands.h"
#include "platform/files/file_writing.h"
#include "platform/qt/qt_app.h"

namespace vant::app {

void WarnIfMisread(const std::filesystem::path& file, const platform::LoadedHostPage& page) {
  if (const auto warning = platform::CharsetWarning(file, page)) std::cerr << "vant: " << ToUtf8(*warning) << '\n';
}

platform::LoadedHostPage LoadCommandPage(const CommandLine& line) {
  std::optional<Text> id;
  if (line.objectId) id = FromUtf8(*line.objectId);
  try {
    if (line.PageFromStandardInput()) return platform::LoadHostPageFromStandardInput(id);
    platform::LoadedHostPage loaded = platform::LoadHostPage(line.page, id);
    WarnIfMisread(line.page, loaded);
    return loaded;
  } catch (const vant::platform::HostObjectNotFound& e) {
    throw UsageError(e.what());
  }
}

namespace {

std::optional<platform::LoadedHostPage> LoadPage(const CommandLine& line) {
  // `vant check` reads its pages itself, a batch at a time.
  if (line.verb == Verb::kPrinters || line.verb == Verb::kCheck) return std::nullopt;
  return LoadCommandPage(line);
}

// Qt aborts the program when the windowing system it is to use cannot be reached: a
// window verb started without a display says so and ends instead.
std::unique_ptr<QGuiApplication> StartQtOrSay(int& argc, char** argv, bool windowed) {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  if (windowed && !set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) {
    throw NoDisplay("画面に接続できません: DISPLAY も WAYLAND_DISPLAY も設定されていません");
  }
  return qt::StartQt(argc, argv, windowed);
}

// Whether a method line of the page changes printer: `vant pdf` asks the print server only
// then. Every PARAM's value is looked at, so that no list that changes printer is missed;
// the command table tells which commands choose the printer, under all their names.
bool PageChangesPrinter(const platform::LoadedHostPage& page) {
  if (!page.page.HasObject()) return false;
  for (const ParamElement& param : page.page.ObjectParams()) {
    const std::vector<Text> fields = SplitMethodLine(param.value);
    if (fields.empty()) continue;
    const CommandRow* command = FindCommand(MethodCommands(), fields[0]);
    if (command != nullptr && command->selectsPrinter) return true;
  }
  return false;
}

std::unique_ptr<printing::PrinterList> LoadPrinters(const CommandLine& line,
                                                    const std::optional<platform::LoadedHostPage>& page) {
  const bool pdfOnly = line.verb == Verb::kPdf && !line.printer && page && !PageChangesPrinter(*page);
  if (pdfOnly) return std::make_unique<printing::PrinterList>(std::vector<printing::InstalledQueue>{});
  return printing::PrinterList::FromCups();
}

bool NamesThePdfPrinter(const std::optional<std::string>& printer) {
  return printer && TrimBlanks(FromUtf8(*printer)) == u"Vant3 PDF";
}

}  // namespace

Session::Session(int& argc, char** argv, const CommandLine& line, bool windowed,
                 MessageBoxes& shown, std::unique_ptr<MousePointer> pointer)
    : page_(LoadPage(line)),
      qt_(StartQtOrSay(argc, argv, windowed)),
      printers_(LoadPrinters(line, page_)),
      printer_(std::make_unique<PrinterObject>(*printers_)),
      messages_(shown),
      pointer_(std::move(pointer)),
      platform_{*printer_, messages_, *pointer_, ThreadModuleState()} {
  // An unreachable print server is said once: as the reason `vant print` prints nothing,
  // or as a note among the problems.
  const auto& unreachable = printers_->ServerUnreachable();
  if (unreachable && line.verb == Verb::kPrint && !NamesThePdfPrinter(line.printer)) {
    printRefusal_ = *unreachable + u"印刷しませんでした (PDF ファイルに書くには vant pdf か --printer \"Vant3 PDF\" を使います)。";
  }
  for (const Text& problem : printers_->Problems()) {
    if (printRefusal_ && problem == *unreachable + printing::kPdfPrinterOnly) continue;
    std::cerr << "vant: " << ToUtf8(problem) << '\n';
  }
  if (page_ && !page_->baseName.empty()) printers_->SetDocumentName(FromUtf8(page_->baseName));
  if (line.title) printers_->SetDocumentTitle(FromUtf8(*line.title));
  printers_->SetCopies(line.copies);
  if (line.verb == Verb::kPdf) {
    printers_->MakeCurrent(printers_->Count() - 1);  // the built-in PDF printer is last
    if (line.OutputToStandardOutput()) {
      printers_->PdfOutput().SetStandardOutput();
    } else if (line.output) {
      printers_->PdfOutput().SetPath(*line.output);
    }
  }
  if (line.printer) {
    // The same comparison the "changeprinter" method makes; a name no printer has must
    // not pass silently on the command line.
    const Text wanted = TrimBlanks(FromUtf8(*line.printer));
    bool found = false;
    for (int i = 0; i < printers_->Count() && !found; ++i) {
      found = TrimBlanks(printers_->At(i).DeviceName()) == wanted;
    }
    if (!found) {
      throw UsageError("「" + *line.printer + "」という名前のプリンターはありません (vant printers で一覧を表示します)");
    }
    SelectPrinter(*printers_, wanted);
  }
  if (page_ && printers_->CurrentIndex() == printers_->Count() - 1) {
    // The working directory, the page's name or -o may hold bytes that are not UTF-8.
    const bool printing = line.verb == Verb::kPdf || line.verb == Verb::kPrint;
    if (printing && !line.output && line.PageFromStandardInput()) {
      throw UsageError("標準入力から読んだページの PDF ファイルは vant pdf -o で指定してください");
    }
    if (printing && !line.output && !IsUtf8(page_->baseName)) {
      throw UsageError("ページのファイル名が UTF-8 ではありません: PDF ファイルを vant pdf -o で指定してください");
    }
    const auto path = printers_->PdfOutput().Path();
    if (printing && path && !IsUtf8(path->string())) {
      throw UsageError("PDF ファイルのパスが UTF-8 ではありません (-o に UTF-8 のパスを指定してください): " +
                       path->string());
    }
    // A PDF written over the page itself (-o naming it, or a page whose name ends in .pdf
    // printed in its own folder) would lose the page.
    std::error_code notThere;
    if (path && !line.PageFromStandardInput() && std::filesystem::equivalent(*path, line.page, notThere)) {
      throw UsageError("PDF ファイルがページ自身を上書きしてしまいます: " + path->string());
    }
  }
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
  try {
    printers_->EndOpenDocuments();
  } catch (const Failure& failure) {
    messages_.Show(failure.Description(), MessageIcon::kCritical, u"エラー");
  }
  // Standard output may carry the PDF itself (-o -, or a path such as /dev/stdout): what
  // went where is then said on standard error.
  bool pdfOnStandardOutput = printers_->PdfOutput().ToStandardOutput();
  for (const auto& delivered : printers_->Delivered()) {
    pdfOnStandardOutput = pdfOnStandardOutput || (delivered.file && files::IsStandardOutput(*delivered.file));
  }
  std::ostream& said = pdfOnStandardOutput ? std::cerr : std::cout;
  for (const auto& delivered : printers_->Delivered()) said << ToUtf8(delivered.Description()) << '\n';
}

}  // namespace vant::app
