// vant: prints a host page's method list, shows the control, or its print preview; serves
// the control to a browser page as its native host.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/host_verb.h"
#include "app/register_verb.h"
#include "app/session.h"
#include "app/verbs.h"
#include "platform/host/host_page_errors.h"

int main(int argc, char** argv) {
  using namespace vant::app;
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    // The verbs whose arguments are their own: the browser's native host and its
    // registration.
    if (IsBrowserInvocation(args)) return HostVerb(argc, argv);
    if (!args.empty() && args[0] == "host") {
      if (args.size() > 1) throw UsageError("host は引数を取りません");
      return HostVerb(argc, argv);
    }
    const std::vector<std::string> rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (!args.empty() && args[0] == "register") return RegisterVerb(rest);
    if (!args.empty() && args[0] == "unregister") return UnregisterVerb(rest);
    const CommandLine line = ParseCommandLine(args);
    if (line.answer) {
      std::cout << *line.answer;
      return kExitDone;
    }
    switch (line.verb) {
      case Verb::kPrint:
      case Verb::kPdf: return PrintVerb(argc, argv, line);
      case Verb::kMethods: return MethodsVerb(line);
      case Verb::kPrinters: return PrintersVerb(argc, argv, line);
      case Verb::kRender: return RenderVerb(argc, argv, line);
      case Verb::kShow: return ShowVerb(argc, argv, line);
      case Verb::kPreview: return PreviewVerb(argc, argv, line);
    }
  } catch (const UsageError& e) {
    // An error found after the parsing (an unknown printer) is followed by the verb's usage too.
    const std::string verb = !e.VerbName().empty() || args.empty() ? e.VerbName() : args[0];
    std::cerr << "vant: " << e.what() << '\n' << UsageText(verb);
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
