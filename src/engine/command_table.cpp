#include "engine/command_table.h"

namespace vant {

const CommandRow* FindCommand(CommandTable table, TextView field0) {
  for (const CommandRow& row : table) {
    for (const TextView name : row.names) {
      if (!name.empty() && EqualsLowerCased(field0, name)) return &row;
    }
  }
  return nullptr;
}

bool ChoosesPrinter(CommandTable table, TextView field0) {
  const CommandRow* row = FindCommand(table, field0);
  return row != nullptr && row->selectsPrinter;
}

bool ChoosesPrinter(CommandTable table, const MethodRec& method, TextView printer) {
  return ChoosesPrinter(table, method.field[0]) && TrimBlanks(method.field[1]) == printer;
}

}  // namespace vant
