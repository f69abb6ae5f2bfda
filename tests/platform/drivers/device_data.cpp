#include "device_data.h"

#include <cctype>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace vant::test::drivers {
namespace {

constexpr char kEsc = '\x1b';

[[noreturn]] void Fail(const std::string& what, size_t at) {
  throw std::runtime_error(what + " (at byte " + std::to_string(at) + ")");
}

// Sets the dots of row y from its bytes, most significant bit first; set bits are ink
// unless inverted.
void SetRow(InkImage& image, int y, const std::string& bytes, bool inverted) {
  if (y < 0 || y >= image.Height()) return;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    for (int bit = 0; bit < 8; ++bit) {
      const int x = static_cast<int>(i) * 8 + bit;
      if (x >= image.Width()) break;
      const bool set = ((b >> (7 - bit)) & 1) != 0;
      if (set != inverted) image.Set(x, y, true);
    }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string HexBytes(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes.push_back(static_cast<char>(HexValue(hex[i]) * 16 + HexValue(hex[i + 1])));
  }
  return bytes;
}

}  // namespace

InkImage ZplImage(const std::string& data, int width, int height) {
  const size_t header = data.find("~DGR:CUPS.GRF,");
  if (header == std::string::npos) Fail("no ~DG graphic field", 0);
  size_t at = data.find('\n', header);
  if (at == std::string::npos) Fail("a ~DG without its data", header);
  const std::string fields = data.substr(header + 14, at - header - 14);
  const size_t comma = fields.find(',');
  const long total = std::stol(fields.substr(0, comma));
  const long bytesPerRow = std::stol(fields.substr(comma + 1));
  if (bytesPerRow <= 0 || total % bytesPerRow != 0) Fail("a ~DG of " + fields, header);
  const size_t digits = static_cast<size_t>(bytesPerRow) * 2;
  InkImage image(width, height);
  std::string row, last;
  int y = 0, repeat = 0;
  const long rows = total / bytesPerRow;
  for (++at; at < data.size() && y < rows; ++at) {
    const char c = data[at];
    if (c == '\n' || c == '\r') continue;
    if (c == ':' && row.empty()) {
      row = last;
    } else if (c == ',') {
      row.append(digits - row.size(), '0');
    } else if (c >= 'G' && c <= 'Y') {
      repeat += c - 'F';
      continue;
    } else if (c >= 'g' && c <= 'z') {
      repeat += 20 * (c - 'f');
      continue;
    } else if (HexValue(c) >= 0) {
      row.append(static_cast<size_t>(repeat > 0 ? repeat : 1), c);
      repeat = 0;
    } else {
      Fail(std::string("an unexpected '") + c + "' in the ~DG data", at);
    }
    if (row.size() > digits) Fail("a ~DG row longer than " + std::to_string(bytesPerRow) + " bytes", at);
    if (row.size() == digits) {
      SetRow(image, y++, HexBytes(row), false);
      last = row;
      row.clear();
    }
  }
  if (y != rows) Fail("the ~DG data ends after " + std::to_string(y) + " of " + std::to_string(rows) + " rows", at);
  return image;
}

InkImage Epl2Image(const std::string& data, int width, int height) {
  InkImage image(width, height);
  for (size_t at = data.find("GW0,"); at != std::string::npos; at = data.find("GW0,", at)) {
    const size_t end = data.find('\n', at);
    if (end == std::string::npos) Fail("a GW line without its data", at);
    // GW x,y,bytes,1
    const std::string fields = data.substr(at + 4, end - at - 4);
    const size_t c1 = fields.find(','), c2 = fields.find(',', c1 + 1);
    const int y = std::stoi(fields.substr(0, c1));
    const size_t bytes = std::stoul(fields.substr(c1 + 1, c2 - c1 - 1));
    if (end + 1 + bytes > data.size()) Fail("a GW line cut short", at);
    // EPL prints the cleared bits.
    SetRow(image, y, data.substr(end + 1, bytes), true);
    at = end + 1 + bytes;
  }
  return image;
}

InkImage DymoImage(const std::string& data, int width, int height) {
  InkImage image(width, height);
  int bytesPerLine = -1, y = 0;
  for (size_t at = 0; at < data.size();) {
    const char c = data[at];
    if (c == '\x16') {
      if (bytesPerLine < 0) Fail("a line before ESC D set its length", at);
      if (at + 1 + static_cast<size_t>(bytesPerLine) > data.size()) Fail("a line cut short", at);
      SetRow(image, y++, data.substr(at + 1, static_cast<size_t>(bytesPerLine)), false);
      at += 1 + static_cast<size_t>(bytesPerLine);
      continue;
    }
    if (c != kEsc || at + 1 >= data.size()) Fail("a byte outside any command", at);
    const char command = data[at + 1];
    switch (command) {
      case 'L': at += 4; break;  // label length, two bytes
      case 'D': bytesPerLine = static_cast<unsigned char>(data[at + 2]); at += 3; break;
      case 'f': y += static_cast<unsigned char>(data[at + 3]); at += 4; break;  // feed n lines
      case 'q':  // roll, one digit
        at += 3;
        break;
      default:  // darkness (c..h) and the eject (E) take nothing
        at += 2;
        break;
    }
  }
  return image;
}

PclPage PclImage(const std::string& data, int width, int height) {
  PclPage page;
  page.image = InkImage(width, height);
  int y = 0, compression = 0;
  bool graphics = false;
  for (size_t at = 0; at < data.size();) {
    if (data[at] != kEsc) {
      ++at;
      continue;
    }
    if (at + 1 >= data.size()) break;
    const char parameter = data[at + 1];
    if (parameter < 0x21 || parameter > 0x2f) {  // a two-byte command (ESC E)
      at += 2;
      continue;
    }
    if (at + 2 >= data.size()) Fail("a PCL command cut short", at);
    const char group = data[at + 2];
    at += 3;
    for (;;) {  // values, each ended by its command letter; lower case goes on
      const size_t start = at;
      while (at < data.size() && (std::isdigit(static_cast<unsigned char>(data[at])) || data[at] == '-' ||
                                  data[at] == '+' || data[at] == '.')) {
        ++at;
      }
      if (at >= data.size()) Fail("a PCL value without its command", start);
      const long value = start == at ? 0 : std::stol(data.substr(start, at - start));
      const char letter = data[at++];
      const char command = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
      if (parameter == '&' && group == 'l' && command == 'H' && value > 0) page.mediaPosition = static_cast<int>(value);
      if (parameter == '*' && group == 'r' && command == 'A') graphics = true;
      if (parameter == '*' && group == 'b' && command == 'M') compression = static_cast<int>(value);
      if (parameter == '*' && group == 'b' && command == 'Y') y += static_cast<int>(value);
      // Data follows a W (a row after ESC*b, or another block) and a plane's row (ESC*b#V);
      // a V elsewhere is a position (ESC&a#V).
      const bool row = parameter == '*' && group == 'b';
      if (command == 'W' || (row && command == 'V')) {
        if (at + static_cast<size_t>(value) > data.size()) Fail("PCL data cut short", at);
        const std::string block = data.substr(at, static_cast<size_t>(value));
        at += static_cast<size_t>(value);
        if (row && graphics) {
          std::string bits;
          if (compression == 0) {
            bits = block;
          } else if (compression == 1) {  // pairs: count - 1, byte
            for (size_t i = 0; i + 1 < block.size(); i += 2) bits.append(static_cast<unsigned char>(block[i]) + 1u, block[i + 1]);
          } else if (compression == 2) {  // TIFF PackBits
            for (size_t i = 0; i < block.size();) {
              const auto n = static_cast<int8_t>(block[i++]);
              if (n >= 0) {
                bits.append(block, i, static_cast<size_t>(n) + 1);
                i += static_cast<size_t>(n) + 1;
              } else if (n != -128 && i < block.size()) {
                bits.append(static_cast<size_t>(1 - n), block[i++]);
              }
            }
          } else {
            Fail("PCL compression mode " + std::to_string(compression), at);
          }
          SetRow(page.image, y++, bits, false);
        }
      }
      if (!(letter >= 'a' && letter <= 'z')) break;
    }
  }
  return page;
}

}  // namespace vant::test::drivers
