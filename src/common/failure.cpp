#include "common/failure.h"

namespace vant {

Failure::Failure(Text description)
    : description_(std::move(description)), utf8_(ToUtf8(description_)) {}

Failure Failure::Overflow() { return Failure(u"オーバーフローしました。"); }
Failure Failure::IndexOutOfRange() { return Failure(u"インデックスが有効範囲にありません。"); }
Failure Failure::InvalidPropertyValue() { return Failure(u"プロパティの値が不正です。"); }
Failure Failure::NotSupported() {
  return Failure(u"オブジェクトはこのプロパティまたはメソッドをサポートしていません。");
}

}  // namespace vant
