#include "platform/symbols/zint_encoder.h"

#include <zint.h>

#include <memory>
#include <string>
#include <string_view>

namespace vant::symbols {
namespace {

// The library's messages are English: a refusal says in Japanese what is wrong, from the
// library's code and, for GS1 data, the application identifier it names.
inline constexpr TextView kTooLong = u"データが長すぎて記号に収まりません。";
inline constexpr TextView kInvalid = u"この記号に使えないデータです。";
inline constexpr TextView kGs1Rules = u"GS1 の規則に合わないデータです。";
inline constexpr TextView kCheckDigit = u"チェックデジットが正しくありません。";
inline constexpr TextView kFault = u"記号を作れませんでした。";

struct SymbolDeleter {
  void operator()(zint_symbol* s) const { ZBarcode_Delete(s); }
};
using SymbolPtr = std::unique_ptr<zint_symbol, SymbolDeleter>;

int SymbologyOf(EncodedKind kind) {
  switch (kind) {
    case EncodedKind::kQr: return BARCODE_QRCODE;
    case EncodedKind::kGs1_128: return BARCODE_GS1_128;
    case EncodedKind::kCode128: return BARCODE_CODE128;
    case EncodedKind::kItf: return BARCODE_C25INTER;
  }
  return BARCODE_CODE128;
}

// "AI (01)" in the library's message, as "(01)"; empty when it names none.
std::string AiNamed(std::string_view message) {
  const size_t at = message.find("AI (");
  if (at == std::string_view::npos) return {};
  const size_t close = message.find(')', at);
  if (close == std::string_view::npos) return {};
  return std::string(message.substr(at + 3, close - at - 2));
}

SymbolModules Refusal(EncodedKind kind, int code, const zint_symbol& symbol, TextView data) {
  SymbolModules refused;
  const std::string ai = kind == EncodedKind::kGs1_128 ? AiNamed(symbol.errtxt) : std::string();
  switch (code) {
    case ZINT_ERROR_TOO_LONG: refused.refusal = Text(kTooLong); break;
    case ZINT_ERROR_INVALID_CHECK: refused.refusal = Text(kCheckDigit) + Text(data); break;
    case ZINT_ERROR_INVALID_DATA:
      if (kind == EncodedKind::kGs1_128) {
        refused.refusal = Text(kGs1Rules) + (ai.empty() ? Text(data) : u"アプリケーション識別子 " + FromUtf8(ai));
      } else {
        refused.refusal = Text(kInvalid) + Text(data);
      }
      break;
    default: refused.refusal = Text(kFault); break;
  }
  return refused;
}

// One encoding; the code the library returned. A warning is no symbol for us (an ECI
// inserted, a symbol out of the standard) except where the caller says what it means.
int EncodeOnce(zint_symbol& symbol, EncodedKind kind, const std::string& bytes, int inputMode, QrLevel level,
               bool warningsFail = true) {
  ZBarcode_Clear(&symbol);
  symbol.symbology = SymbologyOf(kind);
  symbol.input_mode = inputMode;
  symbol.warn_level = warningsFail ? WARN_FAIL_ALL : WARN_DEFAULT;
  if (kind == EncodedKind::kQr) symbol.option_1 = static_cast<int>(level) + 1;  // 1 L .. 4 H
  return ZBarcode_Encode(&symbol, reinterpret_cast<const unsigned char*>(bytes.data()),
                         static_cast<int>(bytes.size()));
}

}  // namespace

SymbolModules ZintEncoder::Encode(EncodedKind kind, TextView data, QrLevel level) const {
  SymbolPtr symbol(ZBarcode_Create());
  if (symbol == nullptr) return SymbolModules{0, 0, {}, {}, Text(kFault)};
  const std::string bytes = ToUtf8(data);
  int code = 0;
  switch (kind) {
    case EncodedKind::kQr:
      // Text Shift_JIS holds goes in Kanji mode (the library converts it); other text as its
      // UTF-8 bytes, without an ECI that older readers show as text.
      // The library warns of Shift_JIS without an ECI (the standard's default is Latin-1),
      // which is what Japanese readers expect: that warning is the symbol we want. An ECI
      // it would insert means the text is not Shift_JIS: then the bytes.
      code = EncodeOnce(*symbol, kind, bytes, UNICODE_MODE, level, /*warningsFail=*/false);
      if (code == ZINT_WARN_NONCOMPLIANT) code = 0;
      if (code == ZINT_WARN_USES_ECI || code == ZINT_ERROR_INVALID_DATA) {
        code = EncodeOnce(*symbol, kind, bytes, DATA_MODE, level);
      }
      break;
    case EncodedKind::kGs1_128: code = EncodeOnce(*symbol, kind, bytes, GS1_MODE | GS1PARENS_MODE, level); break;
    case EncodedKind::kCode128:
    case EncodedKind::kItf: code = EncodeOnce(*symbol, kind, bytes, DATA_MODE, level); break;
  }
  if (code >= ZINT_ERROR) return Refusal(kind, code, *symbol, data);

  SymbolModules modules;
  modules.rows = symbol->rows;
  modules.columns = symbol->width;
  if (modules.rows < 1 || modules.rows > 200 || modules.columns < 1 || modules.columns > 144 * 8) {
    return SymbolModules{0, 0, {}, {}, Text(kFault)};
  }
  modules.dark.reserve(static_cast<size_t>(modules.rows) * static_cast<size_t>(modules.columns));
  for (int r = 0; r < modules.rows; ++r) {
    for (int c = 0; c < modules.columns; ++c) {
      // The library keeps eight modules a byte, the first in the lowest bit.
      modules.dark.push_back(static_cast<uint8_t>((symbol->encoded_data[r][c >> 3] >> (c & 7)) & 1));
    }
  }
  return modules;
}

}  // namespace vant::symbols
