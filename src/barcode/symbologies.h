// The four symbologies, one row each: how its data field is read, whether it takes a
// check-character flag, its encoder and the layout of its human-readable text. The barcode commands read every
// symbology fact from here and paint every symbol the same way; the command table names the command that draws each.
#pragma once

#include <cstdint>
#include <optional>

#include "barcode/encoded_symbol.h"
#include "common/text.h"

namespace vant {

enum class Symbology { kJan13, kJan8, kNw7, kCode39 };

// How field 3, the data, is read: as written, or as a number, whose decimal text is
// encoded (leading zeros are lost, a field without a number becomes 0).
enum class DataReading { kAsWritten, kAsNumber };

struct SymbologyRow {
  Symbology symbology;
  DataReading data;
  bool checkCharacter;  // takes the check-character flag of field 7
  // The modules and the text as encoded, or the refusal. check is false for the JAN
  // symbologies, whose check digit is always computed.
  EncodedSymbol (*encode)(TextView data, bool check);
  int16_t textLayout;  // kTextJan13, kTextJan8 or kTextCentred
};

// The row of a symbology.
const SymbologyRow& RowOf(Symbology symbology);

// NW-7 and Code 39 take the check-character flag of field 7.
bool HasCheckCharacter(Symbology symbology);

}  // namespace vant
