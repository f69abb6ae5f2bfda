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

}  // namespace vant
