// A printer as the run uses it: a drawing surface with page setup, paging and
// the device figures that the geometry reads.
#pragma once

#include <cstdint>

#include "engine/draw_target.h"
#include "engine/printer_setting.h"
#include "engine/setting_values.h"

namespace vant {

// Indices of the device figures, as the original control's GetDeviceCaps names them; each answer
// is in device pixels.
inline constexpr int kHorzRes = 8;           // printable width
inline constexpr int kVertRes = 10;          // printable height
inline constexpr int kPhysicalWidth = 110;   // sheet width
inline constexpr int kPhysicalHeight = 111;  // sheet height
inline constexpr int kPhysicalOffsetX = 112; // unprintable strip at the left
inline constexpr int kPhysicalOffsetY = 113; // unprintable strip at the top


class Printer : public virtual DrawTarget {
 public:
  TextView TypeName() const override { return kTypePrinter; }

  virtual Text DeviceName() const = 0;

  // A page setting (engine/printer_setting.h), the original control's codes. A value the
  // printer does not support is refused with a Failure whose description says so; the
  // setting keeps its value.
  virtual void Set(PrinterSetting setting, int16_t code) = 0;
  virtual int16_t Get(PrinterSetting setting) const = 0;

  // Ends the page; the next mark starts a new one.
  virtual void NewPage() = 0;
  // Completes the document and hands it to the spooler; a later drawing starts a new one.
  virtual void EndDoc() = 0;
  // Abandons the document in progress: nothing of it reaches the printer.
  virtual void KillDoc() = 0;
  // The document in progress: 0 when none is open, else a number this printer gave none of
  // its earlier documents, so that a run can tell the documents it opened from older ones.
  virtual uint64_t OpenDocumentId() const = 0;

  // A device figure (kHorzRes, kPhysicalWidth, ...) for the current paper and orientation.
  virtual int32_t DeviceCaps(int index) const = 0;
};

}  // namespace vant
