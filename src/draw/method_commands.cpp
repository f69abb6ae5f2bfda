#include "draw/method_commands.h"

#include <type_traits>
#include <utility>

#include "barcode/barcode_commands.h"
#include "barcode/barcode_fields.h"
#include "draw/shape_commands.h"
#include "draw/text_command.h"
#include "symbols/symbol_commands.h"

namespace vant {
namespace {

// A command that puts a mark on a page, from its four parts:
//   Read(method) -> Args                            its argument reader
//   Draw(printer, Args)                             what it draws on paper; a barcode returns
//                                                   the refusal of its data
//   Record(printer, picture, page, Args) -> Mark    what it records for the preview
//   Replay(picture, Mark) or Replay(surfaces, Mark) how a preview page replays the mark
// Draw and Record take the run's SymbolEncoder as well when they encode with one.
template <auto Read, auto Draw, auto Record, auto Replay>
struct MarkParts {
  using Args = std::invoke_result_t<decltype(Read), const MethodRec&>;
  static constexpr bool kEncodes = std::is_invocable_v<decltype(Draw), DrawTarget&, const Args&, const SymbolEncoder*>;
  using Mark = std::conditional_t<
      kEncodes,
      std::invoke_result<decltype(Record), const Printer&, DrawTarget&, PageRec&, const Args&, const SymbolEncoder*>,
      std::invoke_result<decltype(Record), const Printer&, DrawTarget&, PageRec&, const Args&>>::type;

  static std::optional<Text> Print(DrawTarget& printer, const MethodRec& method, const SymbolEncoder* symbols) {
    if constexpr (kEncodes) {
      return Draw(printer, Read(method), symbols);
    } else if constexpr (std::is_void_v<std::invoke_result_t<decltype(Draw), DrawTarget&, const Args&>>) {
      Draw(printer, Read(method));
      return std::nullopt;
    } else {
      return Draw(printer, Read(method));
    }
  }
  static MarkValues Recorded(const Printer& printer, DrawTarget& picture, PageRec& page,
                             const MethodRec& method, const SymbolEncoder* symbols) {
    if constexpr (kEncodes) {
      return Record(printer, picture, page, Read(method), symbols);
    } else {
      return Record(printer, picture, page, Read(method));
    }
  }
  static MarkValues Typed(const MethodRec& method) {
    Args args = Read(method);
    if constexpr (std::is_same_v<Args, TextValues<TextView>>) {
      // A text's views into the method become texts of its own.
      return TextMark{args.x, args.y, Text(args.text), Text(args.fontName), args.fontSize,
                      args.italic, args.bold, args.colour};
    } else {
      return args;
    }
  }
  static void Replayed(const MarkValues& values, const ReplaySurfaces& surfaces) {
    const Mark& mark = std::get<Mark>(values);
    if constexpr (std::is_invocable_v<decltype(Replay), DrawTarget&, const Mark&>) {
      Replay(surfaces.picture, mark);
    } else {
      Replay(surfaces, mark);
    }
  }
  static constexpr MarkCommand kCommand{&Print, &Recorded, &Replayed, &Typed};
};

template <auto Read, auto Draw, auto Record, auto Replay>
constexpr const MarkCommand* Marks() {
  return &MarkParts<Read, Draw, Record, Replay>::kCommand;
}

// The barcode commands, one symbology each.
template <Symbology kSymbology>
BarcodeFields ReadSymbol(const MethodRec& method) {
  return ReadBarcodeFields(kSymbology, method);
}
template <Symbology kSymbology>
std::optional<Text> PrintSymbol(DrawTarget& printer, const BarcodeFields& fields) {
  return DrawSymbol(kSymbology, printer, fields);
}
template <Symbology kSymbology>
void ReplaySymbol(const ReplaySurfaces& surfaces, const BarcodeFields& mark) {
  RenderBarcode(kSymbology, mark, surfaces.page, surfaces.picture, surfaces.scratch);
}
template <Symbology kSymbology>
constexpr const MarkCommand* SymbolMarks() {
  return Marks<&ReadSymbol<kSymbology>, &PrintSymbol<kSymbology>, &RecordBarcode, &ReplaySymbol<kSymbology>>();
}

// The symbols beyond the four barcodes, one command each.
template <SymbolCommand kCommand>
SymbolValues ReadSymbolCommand(const MethodRec& method) {
  return ReadSymbolValues(kCommand, method);
}
template <SymbolCommand kCommand>
std::optional<Text> PrintSymbolCommand(DrawTarget& printer, const SymbolValues& values, const SymbolEncoder* symbols) {
  return DrawSymbolCommand(kCommand, printer, values, symbols);
}
template <SymbolCommand kCommand>
SymbolValues RecordSymbolCommand(const Printer& printer, DrawTarget& picture, PageRec& page, const SymbolValues& values,
                                 const SymbolEncoder* symbols) {
  return RecordSymbol(kCommand, printer, picture, page, values, symbols);
}
template <SymbolCommand kCommand>
void ReplaySymbolMark(const ReplaySurfaces& surfaces, const SymbolValues& mark) {
  ReplaySymbolCommand(kCommand, mark, surfaces);
}
template <SymbolCommand kCommand>
constexpr const MarkCommand* SymbolCommandMarks() {
  return Marks<&ReadSymbolCommand<kCommand>, &PrintSymbolCommand<kCommand>, &RecordSymbolCommand<kCommand>,
               &ReplaySymbolMark<kCommand>>();
}

// After the setup and paging commands, in the order the control compares them.
constexpr std::array<CommandRow, 13> kMarkCommands = {{
    {.names = {u"prntextout", u"prntext"}, .kind = CommandKind::kDrawing,
     .marks = Marks<&ReadTextArgs, &DrawText, &RecordText, &ReplayText>()},
    {.names = {u"prnbox", u""}, .kind = CommandKind::kDrawing,
     .marks = Marks<&ReadBoxArgs, &DrawBox, &RecordShape, &DrawBox>()},
    {.names = {u"prnline", u""}, .kind = CommandKind::kDrawing,
     .marks = Marks<&ReadBoxArgs, &DrawLine, &RecordShape, &DrawLine>()},
    {.names = {u"prncircle", u""}, .kind = CommandKind::kDrawing,
     .marks = Marks<&ReadCircleArgs, &DrawCircle, &RecordCircle, &DrawCircle>()},
    {.names = {u"prnjan13", u""}, .kind = CommandKind::kBarcode, .marks = SymbolMarks<Symbology::kJan13>()},
    {.names = {u"prnjan8", u""}, .kind = CommandKind::kBarcode, .marks = SymbolMarks<Symbology::kJan8>()},
    {.names = {u"prnnw7", u""}, .kind = CommandKind::kBarcode, .marks = SymbolMarks<Symbology::kNw7>()},
    {.names = {u"prncode39", u""}, .kind = CommandKind::kBarcode, .marks = SymbolMarks<Symbology::kCode39>()},
    {.names = {u"prnqr", u""}, .kind = CommandKind::kBarcode, .marks = SymbolCommandMarks<SymbolCommand::kQr>()},
    {.names = {u"prngs1128", u""}, .kind = CommandKind::kBarcode, .marks = SymbolCommandMarks<SymbolCommand::kGs1_128>()},
    {.names = {u"prncode128", u""}, .kind = CommandKind::kBarcode, .marks = SymbolCommandMarks<SymbolCommand::kCode128>()},
    {.names = {u"prnitf", u""}, .kind = CommandKind::kBarcode, .marks = SymbolCommandMarks<SymbolCommand::kItf>()},
    {.names = {u"prncustomer", u""}, .kind = CommandKind::kBarcode, .marks = SymbolCommandMarks<SymbolCommand::kCustomer>()},
}};

// The engine's rows, then these.
constexpr const CommandRow& RowAt(size_t i) {
  return i < kSetupAndPagingCommands.size() ? kSetupAndPagingCommands[i]
                                            : kMarkCommands[i - kSetupAndPagingCommands.size()];
}
template <size_t... I>
constexpr std::array<CommandRow, sizeof...(I)> Joined(std::index_sequence<I...>) {
  return {RowAt(I)...};
}
constexpr auto kCommands =
    Joined(std::make_index_sequence<kSetupAndPagingCommands.size() + kMarkCommands.size()>());

constexpr bool IsLowerCaseName(TextView name) {
  for (const char16_t c : name) {
    if (!(c >= u'a' && c <= u'z') && !(c >= u'0' && c <= u'9')) return false;
  }
  return true;
}

// How many names of the rows are name.
constexpr int CountOf(std::span<const CommandRow> rows, TextView name) {
  int count = 0;
  for (const CommandRow& row : rows) {
    for (const TextView other : row.names) count += other == name ? 1 : 0;
  }
  return count;
}

constexpr bool NamesAreUniqueAndLowerCase(std::span<const CommandRow> rows) {
  for (const CommandRow& row : rows) {
    for (const TextView name : row.names) {
      if (!name.empty() && (!IsLowerCaseName(name) || CountOf(rows, name) != 1)) return false;
    }
  }
  return true;
}
static_assert(NamesAreUniqueAndLowerCase(kCommands), "every command name is lower-case and names one row");

}  // namespace

CommandTable MethodCommands() { return kCommands; }

std::optional<Symbology> SymbologyOf(const CommandRow& row) {
  if (row.marks == SymbolMarks<Symbology::kJan13>()) return Symbology::kJan13;
  if (row.marks == SymbolMarks<Symbology::kJan8>()) return Symbology::kJan8;
  if (row.marks == SymbolMarks<Symbology::kNw7>()) return Symbology::kNw7;
  if (row.marks == SymbolMarks<Symbology::kCode39>()) return Symbology::kCode39;
  return std::nullopt;
}

}  // namespace vant
