#include "platform/host/html_encoding.h"

#include "common/text.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace vant::platform {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

unsigned Byte(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// The sequence at the start of bytes: its length and whether it is a character. A sequence
// that is not ends before the first byte that cannot continue it (its lead byte alone at
// least), as the Encoding standard's UTF-8 decoder replaces it.
struct Utf8Sequence {
  std::size_t length;
  bool complete;
};
Utf8Sequence SequenceAt(std::string_view bytes) {
  const unsigned lead = Byte(bytes, 0);
  if (lead < 0x80) return {1, true};
  int needed = 0;
  unsigned lower = 0x80, upper = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    needed = 1;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    needed = 2;
    if (lead == 0xE0) lower = 0xA0;
    if (lead == 0xED) upper = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    needed = 3;
    if (lead == 0xF0) lower = 0x90;
    if (lead == 0xF4) upper = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return {1, false};
  }
  std::size_t end = 1;
  for (int k = 0; k < needed; ++k, ++end) {
    if (end >= bytes.size() || Byte(bytes, end) < lower || Byte(bytes, end) > upper) return {end, false};
    lower = 0x80, upper = 0xBF;
  }
  return {end, true};
}

// The end of the run of ASCII bytes from at.
std::size_t AsciiRunEnd(std::string_view bytes, std::size_t at) {
  while (at < bytes.size() && Byte(bytes, at) < 0x80) ++at;
  return at;
}

// UTF-8 checked as the Encoding standard decodes it: a sequence broken off by an
// unexpected byte is one U+FFFD, and that byte starts the next sequence.
DecodedText DecodeUtf8(std::string_view bytes) {
  DecodedText result;
  result.utf8.reserve(bytes.size());
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (Byte(bytes, at) < 0x80) {  // a run of ASCII goes over whole
      const std::size_t end = AsciiRunEnd(bytes, at);
      result.utf8.append(bytes.substr(at, end - at));
      at = end;
      continue;
    }
    const Utf8Sequence sequence = SequenceAt(bytes.substr(at));
    if (sequence.complete) {
      result.utf8.append(bytes.substr(at, sequence.length));
    } else {
      result.utf8.append(kReplacementUtf8);
      ++result.replacedSequences;
    }
    at += sequence.length;
  }
  return result;
}

DecodedText DecodeUtf16(std::string_view bytes, bool littleEndian) {
  DecodedText result;
  result.utf8.reserve(bytes.size());
  auto unit = [&](std::size_t at) -> char32_t {
    const unsigned first = Byte(bytes, at), second = Byte(bytes, at + 1);
    return littleEndian ? (second << 8 | first) : (first << 8 | second);
  };
  std::size_t at = 0;
  while (at + 1 < bytes.size()) {
    const char32_t u = unit(at);
    at += 2;
    if (u >= 0xD800 && u <= 0xDBFF && at + 1 < bytes.size() && unit(at) >= 0xDC00 &&
        unit(at) <= 0xDFFF) {
      AppendUtf8(result.utf8, 0x10000 + ((u - 0xD800) << 10) + (unit(at) - 0xDC00));
      at += 2;
    } else if (u >= 0xD800 && u <= 0xDFFF) {
      result.utf8.append(kReplacementUtf8);
      ++result.replacedSequences;
    } else {
      AppendUtf8(result.utf8, u);
    }
  }
  if (at < bytes.size()) {  // an odd last byte
    result.utf8.append(kReplacementUtf8);
    ++result.replacedSequences;
  }
  return result;
}

// How many bytes a refused double-byte sequence takes, the way the Encoding standard's
// decoders resume: a lead byte swallows a following non-ASCII byte with it, but an ASCII
// byte after it starts over as a character of its own.
std::size_t RefusedLength(std::string_view rest, PageEncoding encoding) {
  const unsigned lead = Byte(rest, 0);
  const bool isLead = encoding == PageEncoding::kShiftJis
                          ? ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))
                          : (lead == 0x8E || lead == 0x8F || (lead >= 0xA1 && lead <= 0xFE));
  if (!isLead || rest.size() < 2 || Byte(rest, 1) < 0x80) return 1;
  // EUC-JP's three-byte form (JIS X 0212): 0x8F and two bytes in A1..FE.
  if (encoding == PageEncoding::kEucJp && lead == 0x8F && Byte(rest, 1) >= 0xA1 &&
      Byte(rest, 1) <= 0xFE && rest.size() >= 3 && Byte(rest, 2) >= 0x80) {
    return 3;
  }
  return 2;
}

class IconvConverter {
 public:
  explicit IconvConverter(const char* from) : handle_(iconv_open("UTF-8", from)) {
    if (handle_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("文字コード変換を準備できません: ") + from);
    }
  }
  ~IconvConverter() { iconv_close(handle_); }
  IconvConverter(const IconvConverter&) = delete;
  IconvConverter& operator=(const IconvConverter&) = delete;

  iconv_t get() const { return handle_; }

 private:
  iconv_t handle_;
};

DecodedText DecodeWithIconv(std::string_view bytes, PageEncoding encoding) {
  const IconvConverter converter(encoding == PageEncoding::kShiftJis ? "CP932" : "EUC-JP-MS");
  DecodedText result;
  std::string buffer(4096, '\0');
  std::size_t at = 0;
  while (at < bytes.size()) {
    // iconv takes non-const pointers but does not write through the input one.
    char* in = const_cast<char*>(bytes.data() + at);
    std::size_t inLeft = bytes.size() - at;
    char* out = buffer.data();
    std::size_t outLeft = buffer.size();
    const std::size_t done = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    result.utf8.append(buffer.data(), buffer.size() - outLeft);
    at = bytes.size() - inLeft;
    if (done != static_cast<std::size_t>(-1)) break;
    if (error == E2BIG) continue;
    if (error != EILSEQ && error != EINVAL) {
      throw std::runtime_error("文字コード変換に失敗しました");
    }
    // EILSEQ: a refused sequence; EINVAL: a sequence cut off by the end of the page.
    result.utf8.append(kReplacementUtf8);
    ++result.replacedSequences;
    at += error == EINVAL ? inLeft : RefusedLength(bytes.substr(at), encoding);
    iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
  }
  return result;
}

}  // namespace

DecodedText DecodeToUtf8(std::string_view bytes, PageEncoding encoding) {
  switch (encoding) {
    case PageEncoding::kUtf8: return DecodeUtf8(bytes);
    case PageEncoding::kUtf16Le: return DecodeUtf16(bytes, true);
    case PageEncoding::kUtf16Be: return DecodeUtf16(bytes, false);
    case PageEncoding::kShiftJis:
    case PageEncoding::kEucJp: return DecodeWithIconv(bytes, encoding);
  }
  throw std::logic_error("unknown page encoding");
}

bool IsWellFormedUtf8(std::string_view bytes) {
  std::size_t at = AsciiRunEnd(bytes, 0);
  while (at < bytes.size()) {
    const Utf8Sequence sequence = SequenceAt(bytes.substr(at));
    if (!sequence.complete) return false;
    at = AsciiRunEnd(bytes, at + sequence.length);
  }
  return true;
}

namespace {

// Whether a character is of Japanese writing: CJK punctuation, kana, CJK ideographs (with
// extension A and the compatibility ones) and the half- and full-width forms.
bool IsJapaneseCharacter(char32_t c) {
  return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) ||
         (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFF00 && c <= 0xFFEF);
}

// The character a complete sequence of two to four bytes holds.
char32_t MultibyteCharacter(std::string_view sequence) {
  const unsigned lead = Byte(sequence, 0);
  char32_t c = lead & (sequence.size() == 2 ? 0x1F : sequence.size() == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < sequence.size(); ++k) c = (c << 6) | (Byte(sequence, k) & 0x3F);
  return c;
}

}  // namespace

bool IsJapaneseUtf8(std::string_view bytes) {
  std::size_t multibyte = 0, japanese = 0;
  std::size_t at = AsciiRunEnd(bytes, 0);
  while (at < bytes.size()) {
    const Utf8Sequence sequence = SequenceAt(bytes.substr(at));
    if (!sequence.complete) return false;
    ++multibyte;
    if (IsJapaneseCharacter(MultibyteCharacter(bytes.substr(at, sequence.length)))) ++japanese;
    at = AsciiRunEnd(bytes, at + sequence.length);
  }
  return japanese > 0 && japanese * 2 >= multibyte;
}

DecodedPage DecodeTakenPage(std::string&& bytes) {
  if (!DetectByteOrderMark(bytes) && DetectPageEncoding(bytes) == PageEncoding::kUtf8 && IsWellFormedUtf8(bytes)) {
    return {PageEncoding::kUtf8, {std::move(bytes), 0}};
  }
  return DecodePage(std::string_view(bytes));
}

DecodedPage DecodePage(std::string_view bytes) {
  if (auto mark = DetectByteOrderMark(bytes)) {
    return {mark->encoding, DecodeToUtf8(bytes.substr(mark->length), mark->encoding)};
  }
  const PageEncoding encoding = DetectPageEncoding(bytes);
  const bool legacy = encoding == PageEncoding::kShiftJis || encoding == PageEncoding::kEucJp;
  return {encoding, DecodeToUtf8(bytes, encoding), legacy && IsJapaneseUtf8(bytes)};
}

}  // namespace vant::platform
