#include "app/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <charconv>

#include "app/command_table.h"
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

std::string Quoted(const std::string& text) { return "「" + text + "」"; }

// "-o, --output FILE" as the help and the usage show an option.
std::string Spelling(const OptionRow& row) {
  std::string out;
  if (!row.shortName.empty()) out += "-" + std::string(row.shortName) + ", ";
  out += "--" + std::string(row.longName);
  if (!row.valueName.empty()) out += " " + std::string(row.valueName);
  return out;
}

// The name as the user wrote it: one letter after one dash, a word after two.
std::string Dashed(std::string_view name) { return (name.size() == 1 ? "-" : "--") + std::string(name); }

int WholeOption(const std::string& option, const std::string& value, int min, int max) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < min || n > max) {
    throw UsageError(option + " には " + std::to_string(min) + " から " + std::to_string(max) +
                     " までの整数を指定してください (" + Quoted(value) + "は使えません)");
  }
  return n;
}

int ZoomOption(const std::string& value) {
  if (value == "auto") return 0;
  for (int z : {300, 200, 150, 100}) {
    if (value == std::to_string(z) || value == std::to_string(z) + "%") return z;
  }
  throw UsageError("--zoom には auto, 300, 200, 150, 100 のいずれかを指定してください (" + Quoted(value) +
                   "は使えません)");
}

void ViewportOption(const std::string& value, RenderOptions& render) {
  const auto x = value.find('x');
  if (x == std::string::npos) {
    throw UsageError("--viewport には 幅x高さ を指定してください (" + Quoted(value) + "は使えません)");
  }
  render.viewportWidth = WholeOption("--viewport", value.substr(0, x), 1, 32767);
  render.viewportHeight = WholeOption("--viewport", value.substr(x + 1), 1, 32767);
}

// The screens Qt knows run from 1 to a few device pixels per pixel, in steps such as 1.25.
constexpr double kMaxScale = 4;

double ScaleOption(const std::string& value) {
  double scale = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), scale,
                                         std::chars_format::fixed);
  if (ec != std::errc() || end != value.data() + value.size() || !(scale >= 1 && scale <= kMaxScale)) {
    throw UsageError("--scale には 1 から 4 までの数を指定してください (" + Quoted(value) + "は使えません)");
  }
  return scale;
}

std::string TitleOption(const std::string& value) {
  if (value.empty() || value.size() > kMaxTitleBytes || !IsUtf8(value)) {
    throw UsageError("--title には " + std::to_string(kMaxTitleBytes) +
                     " バイトまでの空でない UTF-8 の文字列を指定してください");
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

// The parser's refusal as a Japanese message naming the argument. Qt's own text is English
// and its reasons are not given apart, so the arguments are looked at again.
[[noreturn]] void Refuse(const QCommandLineParser& parser, const std::vector<std::string>& args,
                         const VerbRow& verb) {
  const std::string verbName(verb.name);
  if (!parser.unknownOptionNames().isEmpty()) {
    const std::string name = Dashed(S(parser.unknownOptionNames().first()));
    if (IsKnownOption(name.substr(name.find_first_not_of('-')))) {
      throw UsageError("オプション" + Quoted(name) + "は " + verbName + " には使えません", verbName);
    }
    throw UsageError("不明なオプション" + Quoted(name) + "です", verbName);
  }
  for (size_t i = 1; i < args.size() && args[i] != "--"; ++i) {
    const std::string& a = args[i];
    if (a.rfind("--", 0) == 0 && a.find('=') != std::string::npos) {
      const std::string name = a.substr(2, a.find('=') - 2);
      if (!TakesValue(name)) throw UsageError("オプション" + Quoted("--" + name) + "は値を取りません", verbName);
    }
  }
  const std::string& last = args.back();
  if (last.size() > 1 && last[0] == '-' && TakesValue(last.substr(last.find_first_not_of('-')))) {
    throw UsageError("オプション" + Quoted(last) + "に値を指定してください", verbName);
  }
  throw UsageError("コマンドラインを解釈できません: " + S(parser.errorText()), verbName);
}

void CheckOutput(const std::filesystem::path& output) {
  // A directory or nothing cannot receive the document; better said now than after a run.
  if (!output.has_filename() || output.filename() == "." || output.filename() == "..") {
    throw UsageError("-o にはファイル名を指定してください (" + Quoted(output.string()) + "は使えません)");
  }
}

// Reads one option's value into the command line.
void Take(OptionKey key, const std::string& value, CommandLine& line) {
  switch (key) {
    case OptionKey::kPrinter: line.printer = value; break;
    case OptionKey::kObject: line.objectId = value; break;
    case OptionKey::kPdfOutput:
      line.output = value;
      if (value != kStandardStream) CheckOutput(*line.output);
      break;
    case OptionKey::kPngOutput:
      line.output = value;
      CheckOutput(*line.output);
      line.render.output = value;
      break;
    case OptionKey::kPage: line.render.page = WholeOption("--page", value, 1, 32767); break;
    case OptionKey::kZoom: line.render.zoom = ZoomOption(value); break;
    case OptionKey::kViewport: ViewportOption(value, line.render); break;
    case OptionKey::kScale: line.render.scale = ScaleOption(value); break;
    case OptionKey::kStatus: line.render.status = true; break;
    case OptionKey::kCopies: line.copies = WholeOption("--copies", value, 1, kMaxCopies); break;
    case OptionKey::kTitle: line.title = TitleOption(value); break;
    case OptionKey::kSystem: line.system = true; break;
    case OptionKey::kRoot: line.root = value; break;
    case OptionKey::kJson:
    case OptionKey::kPrintersJson: line.json = true; break;
    case OptionKey::kNames: line.names = true; break;
  }
}

}  // namespace

bool IsUtf8(std::string_view bytes) { return ToUtf8(FromUtf8(bytes)) == bytes; }

namespace {

std::string UsageLines(const std::string& verbName) {
  std::string out;
  for (const VerbRow& verb : VerbTable()) {
    if (!verbName.empty() && FindVerb(verbName) != nullptr && verb.name != verbName) continue;
    out += out.empty() ? "使い方: vant " : "        vant ";
    out += verb.name;
    if (verb.pages == PageUse::kOne) out += " PAGE";
    if (verb.pages == PageUse::kMany) out += " PAGE...";
    for (const OptionKey key : verb.options) {
      const OptionRow& row = OptionOf(key);
      const bool required = key == OptionKey::kPngOutput;
      out += std::string(required ? " " : " [") + (row.shortName.empty() ? "--" + std::string(row.longName)
                                                                        : "-" + std::string(row.shortName));
      if (!row.valueName.empty()) out += " " + std::string(row.valueName);
      if (!required) out += "]";
    }
    out += "\n";
  }
  return out;
}

}  // namespace

std::string UsageText(const std::string& verbName) {
  return UsageLines(verbName) + "詳しくは vant --help、vant COMMAND --help をご覧ください。\n";
}

std::string HelpText(const std::string& verbName) {
  const VerbRow* verb = FindVerb(verbName);
  if (verb == nullptr) {
    std::string out =
        "使い方: vant COMMAND [オプション] [--] [PAGE]\n"
        "業務用の Web ページ (PAGE) が OBJECT の PARAM で渡す印刷メソッドの一覧を実行します。\n\nコマンド:\n";
    for (const VerbRow& row : VerbTable()) {
      std::string name(row.name);
      name.resize(std::max<size_t>(name.size() + 2, 12), ' ');
      out += "  " + name + std::string(row.summary) + "\n";
    }
    return out +
           "\nオプション:\n"
           "  -h, --help   この説明を書きます (vant COMMAND --help はコマンドの説明)\n"
           "  --version    バージョンを書きます\n"
           "\n終了ステータス: 0 どの実行も中断しなかった、1 実行が中断したかプロパティの読み込みに"
           "失敗した、2 使い方の誤り、読めないページ、画面がない。\n";
  }
  std::string out = UsageLines(verbName) + "\n" + std::string(verb->help) + "\n";
  if (verb->pages == PageUse::kOne) out += "PAGE に - を指定すると標準入力からページを読みます。\n";
  if (verb->pages == PageUse::kMany) out += "PAGE の 1 つに - を指定すると標準入力からそのページを読みます。\n";
  out += "\nオプション:\n";
  std::vector<std::pair<std::string, std::string>> rows;
  for (const OptionKey key : verb->options) rows.emplace_back(Spelling(OptionOf(key)), OptionOf(key).help);
  rows.emplace_back("-h, --help", "この説明を書きます。");
  size_t width = 0;
  for (const auto& row : rows) width = std::max(width, row.first.size());
  for (auto& [spelling, help] : rows) {
    spelling.resize(width, ' ');
    out += "  " + spelling + "  " + help + "\n";
  }
  return out;
}

std::string VersionText() {
  return "vant " VANT_VERSION "\nVant3 for Linux — MIT ライセンスのもとで配布されています。\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine line;
  if (args.empty()) throw UsageError("コマンドを指定してください");
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    line.answer = HelpText(args.size() > 1 && args[0] == "help" ? args[1] : std::string());
    return line;
  }
  if (args[0] == "--version") {
    line.answer = VersionText();
    return line;
  }
  const VerbRow* verb = FindVerb(args[0]);
  if (verb == nullptr) {
    if (args[0].size() > 1 && args[0][0] == '-') throw UsageError("不明なオプション" + Quoted(args[0]) + "です");
    throw UsageError("不明なコマンド" + Quoted(args[0]) + "です");
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
  if (!parser.parse(arguments)) Refuse(parser, args, *verb);
  if (parser.isSet(help)) {
    line.answer = HelpText(verbName);
    return line;
  }
  for (const OptionKey key : verb->options) {
    const OptionRow& row = OptionOf(key);
    if (!parser.isSet(Q(row.longName))) continue;
    const QStringList values = parser.values(Q(row.longName));
    if (values.size() > 1) throw UsageError("オプション" + Quoted("--" + std::string(row.longName)) + "が 2 回あります", verbName);
    try {
      Take(key, row.valueName.empty() ? std::string() : S(values.first()), line);
    } catch (const UsageError& e) {
      throw UsageError(e.what(), verbName);  // followed by this verb's usage
    }
  }

  const QStringList positional = parser.positionalArguments();
  if (verb->pages == PageUse::kOne && positional.size() != 1) {
    throw UsageError(verbName + " にはページ (PAGE) を 1 つ指定してください", verbName);
  }
  if (verb->pages == PageUse::kNone && !positional.isEmpty()) {
    throw UsageError(verbName + " は引数を取りません (" + Quoted(S(positional.first())) + ")", verbName);
  }
  if (verb->pages == PageUse::kMany && positional.isEmpty()) {
    throw UsageError(verbName + " にはページ (PAGE) を 1 つ以上指定してください", verbName);
  }
  if (verb->pages == PageUse::kOne) line.page = S(positional.first());
  if (verb->pages == PageUse::kMany) {
    for (const QString& page : positional) {
      if (S(page) == kStandardStream && std::count(line.pages.begin(), line.pages.end(), kStandardStream) > 0) {
        throw UsageError("標準入力 (-) から読めるページは 1 つだけです", verbName);
      }
      line.pages.emplace_back(S(page));
    }
  }
  if (line.verb == Verb::kRender && !line.output) throw UsageError("render には -o OUT.png を指定してください", verbName);
  return line;
}

}  // namespace vant::app
