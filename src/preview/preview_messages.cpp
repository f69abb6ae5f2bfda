#include "preview/preview_messages.h"

namespace vant {

Text LoadStopMessage(const Failure& failure) {
  return failure.Description() + u"\r\n" + u"プレビューを中断しました!";
}

Text PageRenderMessage(const Failure& failure, int16_t page) {
  return failure.Description() + u"\r\n" + DecimalText(page) + u"ページ目を表示できません!";
}

}  // namespace vant
