#include "preview_fixture.h"

#include "engine/module_state.h"
#include "engine/page_record.h"

namespace vant::test {

void SetMethods(ModuleState& state, std::initializer_list<std::string_view> lines) {
  auto& control = state.control;
  control.methodList = MethodArray(1);
  for (std::string_view line : lines) {
    MethodRec method;
    const auto fields = SplitAt(FromUtf8(line), u',');
    for (size_t i = 0; i < fields.size() && i < method.field.size(); ++i) method.field[i] = fields[i];
    control.methodList.push_back(method);
  }
  control.methodCount = static_cast<int16_t>(control.methodList.size() - 1);
  control.paramsLoaded = true;
}

PrinterSpec TestPrinter() {
  PrinterSpec spec;
  spec.name = u"Office";
  spec.marginLeftMm = spec.marginTopMm = spec.marginRightMm = spec.marginBottomMm = 4;
  return spec;
}

PageRec ShownPageOf(int32_t printableWidth, int32_t printableHeight, int32_t left, int32_t top,
                    int32_t right, int32_t bottom) {
  PageRec page;
  page.printableWidth = printableWidth;
  page.printableHeight = printableHeight;
  page.offsetLeft = left;
  page.offsetTop = top;
  page.marginRight = right;
  page.marginBottom = bottom;
  page.paperWidth = printableWidth + left + right;
  page.paperHeight = printableHeight + top + bottom;
  page.paperSize = 9;
  page.orientation = 1;
  page.shown = true;
  page.printerName = u"Office";
  return page;
}

const Mark* PreviewTest::LastCopy() const {
  const auto& marks = view.image.device.marks;
  for (auto it = marks.rbegin(); it != marks.rend(); ++it) {
    if (it->kind == Mark::kStretch) return &*it;
  }
  return nullptr;
}

}  // namespace vant::test
