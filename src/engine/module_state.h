// The module-level state: one set per thread, shared by every control on that thread
// (the last property reading wins). Declared here, below every layer that keeps a part of
// it: the control's intake fills the method list the run driver reads, the preview reads
// the pages the run built. Whoever owns the controls of a thread makes it once and hands
// it on in the Platform every control and run is given; nothing fetches it from anywhere.
#pragma once

#include <cstdint>

#include "common/method_rec.h"
#include "common/shared_text.h"
#include "common/text.h"
#include "engine/page_record.h"

namespace vant {

// The control's properties as the last property reading left them.
struct ControlState {
  bool paramsLoaded = false;       // true from the start of any property reading
  int16_t runMode = 0;             // 1: print when shown
  MethodArray methodList{1};       // positions 1..methodCount; position 0 is never filled
  int16_t methodCount = 0;
  SharedText printCaption;        // one text for every control of the thread
  int16_t printButtonWidth = 0;    // pixels; 0 means the default
  int16_t printButtonHeight = 0;   // pixels; 0 means the default
};

// The run's position and the preview pages it built.
struct EngineState {
  int16_t nextMethod = 0;          // position of the next method; 0 means the first
  PrinterGeometry printerGeometry;
  PageArray pageList{1};
  PageArray shownPageList{1};
};

struct ModuleState {
  ControlState control;
  EngineState engine;
  // True while the preview's wheel filter handles a message (no re-entry).
  bool wheelBusy = false;
};

// Entry page of the pages being built; outside them an index failure.
PageRec& BuiltPage(EngineState& engine, int16_t page);
// Entry page of the shown pages, numbered from 1; outside them an index failure.
const PageRec& ShownPage(const EngineState& engine, int16_t page);

}  // namespace vant
