// vant: prints a host page's method list, shows the control, or its print preview; serves
// the control to a browser page as its native host.
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/browser/host_verb.h"
#include "app/browser/register_verb.h"
#include "app/check/check_verb.h"
#include "app/cli/command_line.h"
#include "app/process/run_heap.h"
#include "app/run/session.h"
#include "app/verbs.h"
#include "platform/host/host_page_errors.h"

namespace {

// The registration verbs' arguments as they take them.
std::vector<std::string> RegistrationArguments(const vant::app::CommandLine& line) {
  std::vector<std::string> args;
  if (line.system) args.emplace_back("--system");
  if (line.root) args.insert(args.end(), {"--root", line.root->string()});
  return args;
}

// The verbs that read one page, run it and end.
bool RunsOnePage(vant::app::Verb verb) {
  using enum vant::app::Verb;
  return verb == kPrint || verb == kPdf || verb == kMethods || verb == kRender || verb == kShow || verb == kPreview;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace vant::app;
  std::vector<std::string> args(argv + 1, argv + argc);
  // The command line speaks the language of the user's locale; the browser host's
  // diagnostics (to the browser's log) too.
  std::optional<Words> words;
  try {
    words.emplace(MessageLanguageOfEnvironment());
  } catch (const std::exception& e) {
    std::cerr << "vant: " << e.what() << '\n';
    return kExitStopped;
  }
  try {
    // The browser starts its native host with arguments of its own.
    if (IsBrowserInvocation(args)) return HostVerb(argc, argv, *words);
    const CommandLine line = ParseCommandLine(args, *words);
    if (line.answer) {
      std::cout << *line.answer;
      return kExitDone;
    }
    // A heap that cannot be prepared (under a sanitizer) only makes the run slower.
    if (RunsOnePage(line.verb)) PrepareHeapForOneRun();
    switch (line.verb) {
      case Verb::kPrint:
      case Verb::kPdf:
        return PrintVerb(argc, argv, line);
      case Verb::kMethods:
        return MethodsVerb(line);
      case Verb::kPrinters:
        return PrintersVerb(argc, argv, line);
      case Verb::kRender:
        return RenderVerb(argc, argv, line);
      case Verb::kShow:
        return ShowVerb(argc, argv, line);
      case Verb::kPreview:
        return PreviewVerb(argc, argv, line);
      case Verb::kHost:
        return HostVerb(argc, argv, *words);
      case Verb::kRegister:
        return RegisterVerb(RegistrationArguments(line), *words);
      case Verb::kUnregister:
        return UnregisterVerb(RegistrationArguments(line), *words);
      case Verb::kCheck:
        return CheckVerb(argc, argv, line);
    }
  } catch (const UsageError& e) {
    // An error found after the parsing (an unknown printer) is followed by the verb's usage too.
    const std::string verb = !e.VerbName().empty() || args.empty() ? e.VerbName() : args[0];
    std::cerr << "vant: " << e.what() << '\n' << UsageText(*words, verb);
    return kExitUsage;
  } catch (const NoDisplay& e) {
    std::cerr << "vant: " << e.what() << '\n';
    return kExitUsage;
  } catch (const vant::platform::HostPageUnreadable& e) {
    std::cerr << "vant: " << e.what() << '\n';
    return kExitUsage;
  } catch (const std::exception& e) {
    std::cerr << "vant: " << e.what() << '\n';
    return kExitStopped;
  }
  return kExitStopped;
}
