// vant methods and vant printers: what the property reading produced, and the installed
// printers.
#include <iostream>
#include <utility>

#include "app/cli/words.h"
#include "app/process/thread_state.h"
#include "app/run/methods_json.h"
#include "app/run/session.h"
#include "app/verbs.h"
#include "common/json_writer.h"
#include "control/held_buttons.h"
#include "control/intake.h"
#include "engine/module_state.h"
#include "engine/papers.h"
#include "platform/printermap/name_lookup.h"
#include "platform/qt/qt_pointer.h"
#include "platform/qt/stderr_messages.h"

namespace vant::app {

int MethodsVerb(const CommandLine& line) {
  platform::LoadedHostPage loaded = LoadCommandPage(line);
  qt::StderrMessageBoxes boxes;
  CountingMessages messages(boxes);
  HeldButtonsView view;
  ControlState& state = ThreadModuleState().control;
  ReadProperties(state, loaded.page, loaded.page, view, messages);
  // A failed reading still shows what was stored, after its message; a page without OBJECT
  // has nothing to read, and no JSON says that something was loaded.
  if (loaded.page.HasObject()) std::cout << MethodsJson(state) << '\n';
  return messages.Critical() > 0 ? kExitStopped : kExitDone;
}

namespace {

// The map's entries for a printer, then its description (which has no file), as the names
// that reach it.
struct ReachingName {
  Text name;
  const printermap::MapEntry* entry = nullptr;  // none: the description
};

std::vector<ReachingName> NamesReaching(printing::PrinterList& printers, int index) {
  std::vector<ReachingName> names;
  const printing::PrinterCapabilities& caps = printers.Page(index).Capabilities();
  for (const printermap::MapEntry& entry : printers.Map().entries) {
    if (entry.queue == caps.name) names.push_back({entry.name, &entry});
  }
  if (!caps.description.empty() && !printermap::SamePrinterName(caps.description, caps.name)) {
    names.push_back({caps.description, nullptr});
  }
  return names;
}

// [{"name": "Label", "current": false, "description": "…" or null,
//   "names": [{"name": "\\\\PRTSRV01\\Label-3F", "source": "map", "file": "…", "line": 2},
//             {"name": "…", "source": "description"}]}, …] on one line.
std::string PrintersJson(printing::PrinterList& printers) {
  JsonWriter json;
  json.BeginArray();
  for (int i = 0; i < printers.Count(); ++i) {
    const printing::PrinterCapabilities& caps = printers.Page(i).Capabilities();
    json.BeginObject().Key("name").String(caps.name).Key("current").Bool(i == printers.CurrentIndex());
    json.Key("description");
    if (caps.description.empty()) {
      json.Null();
    } else {
      json.String(caps.description);
    }
    json.Key("names").BeginArray();
    for (const ReachingName& name : NamesReaching(printers, i)) {
      json.BeginObject().Key("name").String(name.name);
      if (name.entry != nullptr) {
        json.Key("source").StringUtf8("map").Key("file").StringUtf8(name.entry->file).Key("line").Int(name.entry->line);
      } else {
        json.Key("source").StringUtf8("description");
      }
      json.EndObject();
    }
    json.EndArray().EndObject();
  }
  json.EndArray();
  return std::move(json).Take();
}

}  // namespace

int PrintersVerb(int& argc, char** argv, const CommandLine& line) {
  qt::StderrMessageBoxes boxes;
  Session session(argc, argv, line, std::nullopt, {}, boxes, std::make_unique<qt::HeadlessMousePointer>());
  auto& printers = session.printers();
  if (line.json) {
    std::cout << PrintersJson(printers) << '\n';
    return kExitDone;
  }
  for (int i = 0; i < printers.Count(); ++i) {
    // The names as --printer compares them, for scripts and the shell's completion.
    if (line.names) {
      std::cout << ToUtf8(TrimBlanks(printers.At(i).DeviceName())) << '\n';
      continue;
    }
    std::cout << (i == printers.CurrentIndex() ? "* " : "  ") << ToUtf8(printers.At(i).DeviceName());
    // A default sheet no paper code stands for is named by its size.
    const printing::PrinterCapabilities& caps = printers.Page(i).Capabilities();
    if (caps.defaultPaper == kPaperUser) {
      const printing::SheetMm& sheet = caps.defaultMedia.sheet;
      std::cout << " (" << ToUtf8(UserSizeName(sheet.widthMm, sheet.heightMm, 2)) << ")";
    }
    std::cout << '\n';
    // Below the queue, indented past any name, the names that reach it.
    for (const ReachingName& name : NamesReaching(printers, i)) {
      std::cout << "    ← " << ToUtf8(name.name);
      if (name.entry != nullptr) {
        std::cout << " (" << name.entry->file << ':' << name.entry->line << ")\n";
      } else {
        std::cout << " (" << line.words.translate("vant printers", "description") << ")\n";
      }
    }
  }
  return kExitDone;
}

}  // namespace vant::app
