// The texts the preview window shows in its message boxes.
#pragma once

#include <cstdint>

#include "common/failure.h"
#include "common/text.h"

namespace vant {

inline constexpr char16_t kNothingToPreview[] = u"プレビュー対象がありません!";
inline constexpr char16_t kPrintStopped[] = u"エラーが発生した為印刷を中止しました!";
inline constexpr char16_t kPrintStoppedTitle[] = u"印刷中止";
inline constexpr char16_t kErrorTitle[] = u"エラー";

// A failure that ends loading outside the run's own messages: its description, then the
// run's closing line for a preview.
Text LoadStopMessage(const Failure& failure);

// A page that cannot be rendered when the user turns to it or double-clicks it: the
// failure's description, then the page number.
Text PageRenderMessage(const Failure& failure, int16_t page);

}  // namespace vant
