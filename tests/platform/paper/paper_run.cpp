#include "paper_run.h"

#include <cstdlib>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "control/method_line.h"
#include "draw/method_commands.h"
#include "engine/module_state.h"
#include "engine/run_driver.h"
#include "shell_command.h"

namespace vant::test::paper {

namespace queues = vant::test::cups;

PaperDir::PaperDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "vant-paper-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  path_ = pattern;
}

PaperDir::~PaperDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

namespace {
std::unique_ptr<printing::PrinterList> ServerPrinters() {
  queues::RequirePrivateServer();
  return printing::PrinterList::FromCups();
}
}  // namespace

PaperTest::PaperTest() : list_(ServerPrinters()), printer_(*list_), platform_{printer_, messages_, pointer_, state_, nullptr, &symbols_} {
  queues::ClearQueueOutput("Office");
}

void PaperTest::Load(const std::vector<std::string>& lines) {
  auto& state = state_.control;
  state.paramsLoaded = true;
  state.methodList.assign(lines.size() + 1, MethodRec{});
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto fields = SplitMethodLine(FromUtf8(lines[i]));
    for (size_t f = 0; f < std::min<size_t>(fields.size(), kMethodFields); ++f)
      state.methodList[i + 1].field[f] = fields[f];
  }
  state.methodCount = static_cast<int16_t>(lines.size());
  state_.engine.nextMethod = 0;
}

int16_t PaperTest::Run() { return RunMethods(platform_, printer_, 0, MethodCommands()); }

std::filesystem::path PaperTest::PrintOnOffice(std::vector<std::string> lines) {
  lines.insert(lines.begin(), "changeprinter,Office");
  lines.push_back("enddoc");
  Load(lines);
  const size_t before = list_->Delivered().size();
  if (Run() != kRunCompleted) {
    throw std::runtime_error("the run stopped: " + (messages_.shown.empty() ? "" : messages_.shown.back()));
  }
  if (list_->Delivered().size() != before + 1 || !list_->Delivered().back().jobId) {
    throw std::runtime_error("the run delivered no job to Office");
  }
  const auto job = queues::WaitForJob(*list_->Delivered().back().jobId);
  if (job.state != "completed") throw std::runtime_error("the Office job ended " + job.state);
  return job.file;
}

std::filesystem::path PaperTest::PrintOnPdf(std::vector<std::string> lines, const std::filesystem::path& file) {
  list_->PdfOutput().SetPath(file);
  lines.insert(lines.begin(), "changeprinter,Vant3 PDF");
  lines.push_back("enddoc");
  Load(lines);
  if (Run() != kRunCompleted) {
    throw std::runtime_error("the run stopped: " + (messages_.shown.empty() ? "" : messages_.shown.back()));
  }
  if (!std::filesystem::exists(file)) throw std::runtime_error("the PDF printer wrote no " + file.string());
  return file;
}

std::vector<PdfWord> PdfWords(const std::filesystem::path& pdf, int page) {
  const std::string number = std::to_string(page);
  const std::string html = RunShell("pdftotext -bbox -f " + number + " -l " + number + " " +
                                    ShellQuoted(pdf.string()) + " -");
  static const std::regex word(
      R"re(<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re");
  std::vector<PdfWord> words;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), word); it != std::sregex_iterator(); ++it) {
    const auto& m = *it;
    words.push_back({m[5].str(), std::stod(m[1].str()), std::stod(m[2].str()), std::stod(m[3].str()),
                     std::stod(m[4].str())});
  }
  return words;
}

PdfWord WordNamed(const std::vector<PdfWord>& words, const std::string& text) {
  for (const auto& w : words) {
    if (w.text == text) return w;
  }
  std::string seen;
  for (const auto& w : words) seen += " [" + w.text + "]";
  throw std::runtime_error("no word " + text + " on the page; words:" + seen);
}

std::vector<PdfFont> PdfFonts(const std::filesystem::path& pdf) {
  std::istringstream lines(RunShell("pdffonts " + ShellQuoted(pdf.string())));
  std::vector<PdfFont> fonts;
  std::string line;
  int row = 0;
  while (std::getline(lines, line)) {
    if (++row <= 2) continue;  // the heading and its rule
    // name type encoding emb sub uni object ID: the name has no blanks; emb is the third
    // yes/no column from the right of "object ID".
    std::istringstream cells(line);
    std::vector<std::string> cell;
    for (std::string c; cells >> c;) cell.push_back(c);
    if (cell.size() < 6) continue;
    const size_t emb = cell.size() - 5;
    fonts.push_back({cell[0], cell[emb] == "yes"});
  }
  return fonts;
}

}  // namespace vant::test::paper
