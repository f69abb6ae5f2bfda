#include "app/command_line.h"

#include <charconv>

#include "common/text.h"

namespace vant::app {
namespace {

struct VerbName {
  const char* name;
  Verb verb;
};
constexpr VerbName kVerbs[] = {
    {"print", Verb::kPrint},     {"pdf", Verb::kPdf},         {"show", Verb::kShow},
    {"preview", Verb::kPreview}, {"methods", Verb::kMethods}, {"printers", Verb::kPrinters},
    {"render", Verb::kRender},
};

int WholeOption(const std::string& option, const std::string& value, int min, int max) {
  int n = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
  if (ec != std::errc() || end != value.data() + value.size() || n < min || n > max) {
    throw UsageError(option + " takes a whole number from " + std::to_string(min) + " to " +
                     std::to_string(max) + ", not \"" + value + "\"");
  }
  return n;
}

int ZoomOption(const std::string& value) {
  if (value == "auto") return 0;
  for (int z : {300, 200, 150, 100}) {
    if (value == std::to_string(z) || value == std::to_string(z) + "%") return z;
  }
  throw UsageError("--zoom takes auto, 300, 200, 150 or 100, not \"" + value + "\"");
}

void ViewportOption(const std::string& value, RenderOptions& render) {
  const auto x = value.find('x');
  if (x == std::string::npos) throw UsageError("--viewport takes WIDTHxHEIGHT, not \"" + value + "\"");
  render.viewportWidth = WholeOption("--viewport", value.substr(0, x), 1, 32767);
  render.viewportHeight = WholeOption("--viewport", value.substr(x + 1), 1, 32767);
}

}  // namespace

bool IsUtf8(std::string_view bytes) { return ToUtf8(FromUtf8(bytes)) == bytes; }

std::string UsageText() {
  return "usage: vant print PAGE [--printer NAME] [--object ID]\n"
         "       vant pdf PAGE [-o FILE.pdf] [--object ID]\n"
         "       vant show PAGE [--printer NAME] [--object ID]\n"
         "       vant preview PAGE [--printer NAME] [--object ID]\n"
         "       vant render PAGE -o OUT.png [--page N] [--zoom auto|300|200|150|100]\n"
         "                   [--viewport WxH] [--status] [--printer NAME] [--object ID]\n"
         "       vant methods PAGE [--object ID]\n"
         "       vant printers\n"
         "       vant host                      (started by the browser extension)\n"
         "       vant register [--system [--root DIR]]\n"
         "       vant unregister [--system [--root DIR]]\n";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  if (args.empty()) throw UsageError("a verb is needed");
  CommandLine line;
  bool known = false;
  for (const auto& v : kVerbs) {
    if (args[0] == v.name) line.verb = v.verb, known = true;
  }
  if (!known) throw UsageError("unknown verb \"" + args[0] + "\"");

  std::vector<std::string> positional;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= args.size()) throw UsageError(a + " needs a value");
      return args[++i];
    };
    if (a == "--printer") {
      line.printer = value();
    } else if (a == "--object") {
      line.objectId = value();
    } else if (a == "-o" || a == "--output") {
      line.output = value();
    } else if (a == "--page" && line.verb == Verb::kRender) {
      line.render.page = WholeOption(a, value(), 1, 32767);
    } else if (a == "--zoom" && line.verb == Verb::kRender) {
      line.render.zoom = ZoomOption(value());
    } else if (a == "--viewport" && line.verb == Verb::kRender) {
      ViewportOption(value(), line.render);
    } else if (a == "--status" && line.verb == Verb::kRender) {
      line.render.status = true;
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError("unknown option \"" + a + "\" for " + args[0]);
    } else {
      positional.push_back(a);
    }
  }

  const bool needsPage = line.verb != Verb::kPrinters;
  if (needsPage && positional.size() != 1) throw UsageError(args[0] + " takes one PAGE");
  if (!needsPage && !positional.empty()) throw UsageError("printers takes no PAGE");
  if (needsPage) line.page = positional[0];
  if (line.output && line.verb != Verb::kPdf && line.verb != Verb::kRender)
    throw UsageError("-o is for pdf and render");
  // A directory or nothing cannot receive the document; better said now than after a run.
  if (line.output && (!line.output->has_filename() || line.output->filename() == "." ||
                      line.output->filename() == ".."))
    throw UsageError("-o takes a file name, not \"" + line.output->string() + "\"");
  if (line.verb == Verb::kRender) {
    if (!line.output) throw UsageError("render needs -o OUT.png");
    line.render.output = *line.output;
  }
  if (line.printer && (line.verb == Verb::kPdf || line.verb == Verb::kMethods || line.verb == Verb::kPrinters))
    throw UsageError("--printer is not for " + args[0]);
  if (line.objectId && line.verb == Verb::kPrinters) throw UsageError("--object is not for printers");
  return line;
}

}  // namespace vant::app
