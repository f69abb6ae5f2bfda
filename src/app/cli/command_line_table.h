// The vant command's verbs and options, one row each: what the parser accepts, the help
// and the usage lines are all made from these tables.
#pragma once

#include <span>
#include <string_view>

namespace vant::app {

// The verbs, one a row of the verb table.
enum class Verb { kPrint, kPdf, kShow, kPreview, kMethods, kPrinters, kRender, kHost, kRegister, kUnregister, kCheck };

enum class OptionKey {
  kPrinter,
  kObject,
  kPdfOutput,
  kPngOutput,
  kPage,
  kZoom,
  kViewport,
  kScale,
  kStatus,
  kCopies,
  kTitle,
  kSystem,
  kRoot,
  kJson,
  kNames,
  kPrintersJson
};

struct OptionRow {
  OptionKey key;
  std::string_view shortName;  // "" when the option has no one-letter name
  std::string_view longName;
  std::string_view valueName;  // "" for a flag
  std::string_view help;       // one sentence, English: translated in the context "vant options"
};

// How many PAGE arguments a verb takes.
enum class PageUse { kNone, kOne, kMany };

struct VerbRow {
  std::string_view name;
  Verb verb;
  PageUse pages;
  bool windowed;  // needs a display
  // English, translated in the context "vant verbs".
  std::string_view summary;  // the line in `vant --help`
  std::string_view help;     // what `vant VERB --help` says the verb does
  std::span<const OptionKey> options;
};

std::span<const OptionRow> OptionTable();
std::span<const VerbRow> VerbTable();

const OptionRow& OptionOf(OptionKey key);
// The row of the verb with this name; nullptr when there is none.
const VerbRow* FindVerb(std::string_view name);

}  // namespace vant::app
