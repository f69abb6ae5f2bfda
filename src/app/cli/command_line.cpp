#include "app/cli/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <charconv>

#include "app/cli/command_line_table.h"
#include "app/cli/words.h"
#include "common/text.h"

namespace vant::app {
namespace {

// The longest job name a print server takes (IPP name values), in bytes.
constexpr size_t kMaxTitleBytes = 255;
constexpr int kMaxCopies = 9999;

// Arguments go through the parser byte for byte, one character per byte: a file name need
// not be UTF-8, and the option names are ASCII.
QString Q(std::string_view bytes) { return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())); }
std::string S(const QString& bytes) { return bytes.toLatin1().toStdString(); }

// "-o, --output FILE" as the help and the usage show an option.
std::string Spelling(const OptionRow& row) {
  std::string out;
  if (!row.shortName.empty()) out += "-" + std::string(row.shortName) + ", ";
  out += "--" + std::string(row.longName);
  if (!row.valueName.empty()) out += " " + std::string(row.valueName);
  return out;
}

// How many columns of a terminal the text takes: a character of three or four UTF-8 bytes
// (the Japanese ones the usage line's words hold) two, any other one.
size_t Columns(std::string_view text) {
  size_t columns = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    columns += byte >= 0xE0 ? 2 : 1;
  }
  return columns;
}

// The name as the user wrote it: one letter after one dash, a word after two.
std::string Dashed(std::string_view name) { return (name.size() == 1 ? "-" : "--") + std::string(name); }

int WholeOption(const std::string& option, const std::string& value, int min, int max, const Words& w) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < min || n > max) {
    throw UsageError(Fill(w.translate("vant command line", "%1 takes a whole number from %2 to %3 (not \"%4\")"),
                          {option, std::to_string(min), std::to_string(max), value}));
  }
  return n;
}

int ZoomOption(const std::string& value, const Words& w) {
  if (value == "auto") return 0;
  for (int z : {300, 200, 150, 100}) {
    if (value == std::to_string(z) || value == std::to_string(z) + "%") return z;
  }
  throw UsageError(
      Fill(w.translate("vant command line", "--zoom takes one of auto, 300, 200, 150, 100 (not \"%1\")"), {value}));
}

void ViewportOption(const std::string& value, RenderOptions& render, const Words& w) {
  const auto x = value.find('x');
  if (x == std::string::npos) {
    throw UsageError(Fill(w.translate("vant command line", "--viewport takes WIDTHxHEIGHT (not \"%1\")"), {value}));
  }
  render.viewportWidth = WholeOption("--viewport", value.substr(0, x), 1, 32767, w);
  render.viewportHeight = WholeOption("--viewport", value.substr(x + 1), 1, 32767, w);
}

// The screens Qt knows run from 1 to a few device pixels per pixel, in steps such as 1.25.
constexpr double kMaxScale = 4;

double ScaleOption(const std::string& value, const Words& w) {
  double scale = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), scale, std::chars_format::fixed);
  if (ec != std::errc() || end != value.data() + value.size() || !(scale >= 1 && scale <= kMaxScale)) {
    throw UsageError(
        Fill(w.translate("vant command line", "--scale takes a number from 1 to 4 (not \"%1\")"), {value}));
  }
  return scale;
}

std::string TitleOption(const std::string& value, const Words& w) {
  if (value.empty() || value.size() > kMaxTitleBytes || !IsUtf8(value)) {
    throw UsageError(Fill(w.translate("vant command line", "--title takes UTF-8 text, not empty, of up to %1 bytes"),
                          {std::to_string(kMaxTitleBytes)}));
  }
  return value;
}

bool TakesValue(std::string_view name) {
  return std::any_of(OptionTable().begin(), OptionTable().end(), [&](const OptionRow& row) {
    return (row.shortName == name || row.longName == name) && !row.valueName.empty();
  });
}
bool IsKnownOption(std::string_view name) {
  return name == "h" || name == "help" ||
         std::any_of(OptionTable().begin(), OptionTable().end(),
                     [&](const OptionRow& row) { return row.shortName == name || row.longName == name; });
}

// The parser's refusal in the user's language, naming the argument. Qt's own text is
// English only and its reasons are not given apart, so the arguments are looked at again.
[[noreturn]] void Refuse(const QCommandLineParser& parser, const std::vector<std::string>& args, const VerbRow& verb,
                         const Words& w) {
  const std::string verbName(verb.name);
  if (!parser.unknownOptionNames().isEmpty()) {
    const std::string name = Dashed(S(parser.unknownOptionNames().first()));
    if (IsKnownOption(name.substr(name.find_first_not_of('-')))) {
      throw UsageError(Fill(w.translate("vant command line", "the option \"%1\" is not for %2"), {name, verbName}),
                       verbName);
    }
    throw UsageError(Fill(w.translate("vant command line", "unknown option \"%1\""), {name}), verbName);
  }
  for (size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
      const std::string name = a.substr(2, a.find('=') - 2);
      if (!TakesValue(name)) {
        throw UsageError(Fill(w.translate("vant command line", "the option \"%1\" takes no value"), {"--" + name}),
                         verbName);
      }
    }
  }
  const std::string& last = args.back();
  if (last.size() > 1 && last[0] == '-' && TakesValue(last.substr(last.find_first_not_of('-')))) {
    throw UsageError(Fill(w.translate("vant command line", "the option \"%1\" needs a value"), {last}), verbName);
  }
  throw UsageError(
      Fill(w.translate("vant command line", "the command line cannot be read: %1"), {S(parser.errorText())}), verbName);
}

void CheckOutput(const std::filesystem::path& output, const Words& w) {
  // A directory or nothing cannot receive the document; better said now than after a run.
  if (!output.has_filename() || output.filename() == "." || output.filename() == "..") {
    throw UsageError(Fill(w.translate("vant command line", "-o takes a file name (not \"%1\")"), {output.string()}));
  }
}

// Reads one option's value into the command line.
void Take(OptionKey key, const std::string& value, CommandLine& line, const Words& w) {
  switch (key) {
    case OptionKey::kPrinter:
      line.printer = value;
      break;
    case OptionKey::kObject:
      line.objectId = value;
      break;
    case OptionKey::kPdfOutput:
      line.output = value;
      if (value != kStandardStream) CheckOutput(*line.output, w);
      break;
    case OptionKey::kPngOutput:
      line.output = value;
      CheckOutput(*line.output, w);
      line.render.output = value;
      break;
    case OptionKey::kPage:
      line.render.page = WholeOption("--page", value, 1, 32767, w);
      break;
    case OptionKey::kZoom:
      line.render.zoom = ZoomOption(value, w);
      break;
    case OptionKey::kViewport:
      ViewportOption(value, line.render, w);
      break;
    case OptionKey::kScale:
      line.render.scale = ScaleOption(value, w);
      break;
    case OptionKey::kStatus:
      line.render.status = true;
      break;
    case OptionKey::kCopies:
      line.copies = WholeOption("--copies", value, 1, kMaxCopies, w);
      break;
    case OptionKey::kTitle:
      line.title = TitleOption(value, w);
      break;
    case OptionKey::kSystem:
      line.system = true;
      break;
    case OptionKey::kRoot:
      line.root = value;
      break;
    case OptionKey::kJson:
    case OptionKey::kPrintersJson:
      line.json = true;
      break;
    case OptionKey::kNames:
      line.names = true;
      break;
  }
}

}  // namespace

bool IsUtf8(std::string_view bytes) { return ToUtf8(FromUtf8(bytes)) == bytes; }

namespace {

std::string UsageLines(const std::string& verbName, const Words& w) {
  // The first line's lead and the blanks that put the next lines under its verb.
  const std::string usage = w.translate("vant command line", "Usage:");
  const std::string lead = usage + " vant ";
  const std::string under(Columns(usage) + 1, ' ');
  std::string out;
  for (const VerbRow& verb : VerbTable()) {
    if (!verbName.empty() && FindVerb(verbName) != nullptr && verb.name != verbName) continue;
    out += out.empty() ? lead : under + "vant ";
    out += verb.name;
    if (verb.pages == PageUse::kOne) out += " PAGE";
    if (verb.pages == PageUse::kMany) out += " PAGE...";
    for (const OptionKey key : verb.options) {
      const OptionRow& row = OptionOf(key);
      const bool required = key == OptionKey::kPngOutput;
      out += std::string(required ? " " : " [") +
             (row.shortName.empty() ? "--" + std::string(row.longName) : "-" + std::string(row.shortName));
      if (!row.valueName.empty()) out += " " + std::string(row.valueName);
      if (!required) out += "]";
    }
    out += "\n";
  }
  return out;
}

}  // namespace

std::string UsageText(const Words& w, const std::string& verbName) {
  return UsageLines(verbName, w) + w.translate("vant command line", "See vant --help and vant COMMAND --help.") + "\n";
}

std::string HelpText(const Words& w, const std::string& verbName) {
  const VerbRow* verb = FindVerb(verbName);
  if (verb == nullptr) {
    std::string out = w.translate("vant command line", "Usage: vant COMMAND [OPTION]... [--] [PAGE]") + "\n" +
                      w.translate("vant command line",
                                  "Runs the list of print methods that a business web page (PAGE) gives in the "
                                  "PARAMs of an OBJECT.") +
                      "\n\n" + w.translate("vant command line", "Commands:") + "\n";
    for (const VerbRow& row : VerbTable()) {
      std::string name(row.name);
      name.resize(std::max<size_t>(name.size() + 2, 12), ' ');
      out += "  " + name + w.translate("vant verbs", row.summary.data()) + "\n";
    }
    return out + "\n" + w.translate("vant command line", "Options:") + "\n" + "  -h, --help   " +
           w.translate("vant command line", "Writes this help (vant COMMAND --help: the command's help)") + "\n" +
           "  --version    " + w.translate("vant command line", "Writes the version") + "\n\n" +
           w.translate("vant command line",
                       "Exit status: 0 no run stopped, 1 a run stopped or reading the properties failed, 2 a "
                       "wrong command line, a page that cannot be read, no display.") +
           "\n";
  }
  std::string out = UsageLines(verbName, w) + "\n" + w.translate("vant verbs", verb->help.data()) + "\n";
  if (verb->pages == PageUse::kOne)
    out += w.translate("vant command line", "A PAGE of - reads the page from standard input.") + "\n";
  if (verb->pages == PageUse::kMany) {
    out += w.translate("vant command line", "One PAGE of - reads that page from standard input.") + "\n";
  }
  out += "\n" + w.translate("vant command line", "Options:") + "\n";
  std::vector<std::pair<std::string, std::string>> rows;
  for (const OptionKey key : verb->options) {
    rows.emplace_back(Spelling(OptionOf(key)), w.translate("vant options", OptionOf(key).help.data()));
  }
  rows.emplace_back("-h, --help", w.translate("vant command line", "Writes this help."));
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  for (auto& [spelling, help] : rows) {
    spelling.resize(width, ' ');
    out += "  " + spelling + "  " + help + "\n";
  }
  return out;
}

std::string VersionText(const Words& w) {
  return "vant " VANT_VERSION "\n" +
         w.translate("vant command line", "Vant3 for Linux, distributed under the MIT licence.") + "\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, const Words& w) {
  CommandLine line;
  line.words = w;
  if (args.empty()) throw UsageError(w.translate("vant command line", "give a command"));
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    line.answer = HelpText(w, args.size() > 1 && args[0] == "help" ? args[1] : std::string());
    return line;
  }
  if (args[0] == "--version") {
    line.answer = VersionText(w);
    return line;
  }
  const VerbRow* verb = FindVerb(args[0]);
  if (verb == nullptr) {
    if (args[0].size() > 1 && args[0][0] == '-') {
      throw UsageError(Fill(w.translate("vant command line", "unknown option \"%1\""), {args[0]}));
    }
    throw UsageError(Fill(w.translate("vant command line", "unknown command \"%1\""), {args[0]}));
  }
  line.verb = verb->verb;
  const std::string verbName(verb->name);

  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsCompactedShortOptions);
  const QCommandLineOption help(QStringList{"h", "help"}, {});
  parser.addOption(help);
  for (const OptionKey key : verb->options) {
    const OptionRow& row = OptionOf(key);
    QStringList names;
    if (!row.shortName.empty()) names << Q(row.shortName);
    names << Q(row.longName);
    parser.addOption(QCommandLineOption(names, {}, Q(row.valueName)));
  }
  QStringList arguments;
  for (const std::string& a : args) arguments << Q(a);  // the verb stands where the program name would be
  if (!parser.parse(arguments)) Refuse(parser, args, *verb, w);
  if (parser.isSet(help)) {
    line.answer = HelpText(w, verbName);
    return line;
  }
  for (const OptionKey key : verb->options) {
    const OptionRow& row = OptionOf(key);
    if (!parser.isSet(Q(row.longName))) continue;
    const QStringList values = parser.values(Q(row.longName));
    if (values.size() > 1) {
      throw UsageError(Fill(w.translate("vant command line", "the option \"%1\" is given twice"),
                            {"--" + std::string(row.longName)}),
                       verbName);
    }
    try {
      Take(key, row.valueName.empty() ? std::string() : S(values.first()), line, w);
    } catch (const UsageError& e) {
      throw UsageError(e.what(), verbName);  // followed by this verb's usage
    }
  }

  const QStringList positional = parser.positionalArguments();
  if (verb->pages == PageUse::kOne && positional.size() != 1) {
    throw UsageError(Fill(w.translate("vant command line", "%1 takes one page (PAGE)"), {verbName}), verbName);
  }
  if (verb->pages == PageUse::kNone && !positional.isEmpty()) {
    throw UsageError(
        Fill(w.translate("vant command line", "%1 takes no arguments (\"%2\")"), {verbName, S(positional.first())}),
        verbName);
  }
  if (verb->pages == PageUse::kMany && positional.isEmpty()) {
    throw UsageError(Fill(w.translate("vant command line", "%1 takes one page (PAGE) or more"), {verbName}), verbName);
  }
  if (verb->pages == PageUse::kOne) line.page = S(positional.first());
  if (verb->pages == PageUse::kMany) {
    for (const QString& page : positional) {
      if (S(page) == kStandardStream && std::count(line.pages.begin(), line.pages.end(), kStandardStream) > 0) {
        throw UsageError(w.translate("vant command line", "only one page can be read from standard input (-)"),
                         verbName);
      }
      line.pages.emplace_back(S(page));
    }
  }
  if (line.verb == Verb::kRender && !line.output) {
    throw UsageError(w.translate("vant command line", "render needs -o OUT.png"), verbName);
  }
  return line;
}

}  // namespace vant::app
