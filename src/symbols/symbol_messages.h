// The refusal messages of the symbols beyond the four barcodes. A message that names data
// has the data directly after the fixed text, as the barcodes' do.
#pragma once

#include "common/text.h"

namespace vant {

inline constexpr TextView kNoPostcodeMessage = u"先頭に 7 桁の郵便番号がありません。";
inline constexpr TextView kCustomerPointsMessage =
    u"カスタマバーコードの大きさは 8 から 11.5 ポイントで指定してください。";
inline constexpr TextView kQrLevelMessage = u"誤り訂正レベルは L、M、Q、H のいずれかで指定してください。";
inline constexpr TextView kQrTooSmallMessage =
    u"QR コードの大きさが小さすぎます (1 モジュールが 1 ドットに満たなくなります)。";
inline constexpr TextView kItfOddMessage =
    u"ITF のデータは偶数桁か、チェックデジットを付ける 13 桁の数字で指定してください。";
inline constexpr TextView kTooLongMessage = u"データが長すぎて記号に収まりません。";
inline constexpr TextView kGs1FormMessage =
    u"GS1-128 のデータは (01)04912345678904 のように、括弧で囲んだアプリケーション識別子とデータを並べて指定してください。";
inline constexpr TextView kGs1RulesMessage = u"GS1 の規則に合わないデータです。";
inline constexpr TextView kGs1CheckDigitMessage = u"チェックデジットが正しくありません。";
inline constexpr TextView kNoEncoderMessage =
    u"この Vant3 には QR コード、GS1-128、Code 128、ITF を作る部品が組み込まれていません。";
inline constexpr TextView kEncoderFaultMessage = u"記号を作れませんでした。";

}  // namespace vant
