// What a run needs from the system besides the surfaces: the installed printers, modal
// message boxes and the screen's mouse pointer. src/platform/ provides them on Linux.
#pragma once

#include <cstdint>

#include "common/text.h"
#include "engine/printer.h"

namespace vant {

enum class MessageIcon { kCritical, kInformation };

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // A modal message box with a single OK button; returns when it is dismissed.
  virtual void Show(const Text& text, MessageIcon icon, const Text& title) = 0;
};

// Mouse pointer codes.
inline constexpr int16_t kPointerDefault = 0;
inline constexpr int16_t kPointerHourglass = 11;

class MousePointer {
 public:
  virtual ~MousePointer() = default;
  virtual void Set(int16_t code) = 0;
  virtual int16_t Get() const = 0;
};

// What a printer choice naming no printer does: the current printer stays (the default), or
// the run stops.
enum class UnknownPrinter { kCurrent, kStop };

// The installed printers in the platform's order. Each printer object keeps its own
// settings and its own open document.
class InstalledPrinters {
 public:
  virtual ~InstalledPrinters() = default;
  virtual int Count() const = 0;
  virtual Printer& At(int index) = 0;
  virtual int CurrentIndex() const = 0;
  // Makes printer index current. A printer that becomes current with no document open
  // starts from its default settings (scale mode twips, its default paper).
  virtual void MakeCurrent(int index) = 0;
  // The printer a name no device name equals reaches in another way (a name the
  // administrator maps to it, its description), or -1. The name has no blanks at its ends.
  virtual int ReachedByName(TextView name) { return (void)name, -1; }
  // A printer choice of a run named no printer: what the run does. Told of each such choice,
  // so that a check can report it.
  virtual UnknownPrinter NamedNoPrinter(TextView name) { return (void)name, UnknownPrinter::kCurrent; }
};

// The title of message boxes that give none of their own: the library's name.
inline constexpr TextView kLibraryTitle = u"Vant3";

// The information box (without a title) of a button, a run or a preview that has nothing
// to print.
inline constexpr TextView kNothingToPrint = u"印刷対象がありません!";

}  // namespace vant
