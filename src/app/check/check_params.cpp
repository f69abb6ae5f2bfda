#include "app/check/check_params.h"

#include <algorithm>
#include <array>

#include "control/intake.h"
#include "control/method_line.h"
#include "draw/method_commands.h"

namespace vant::app {
namespace {

// Whether the property reading takes the PARAM as a method line: the rule of the intake.
bool IsReadAsMethod(const platform::HostPage& page, const ParamElement& param) {
  return IsMethodName(param.name) && page.Read(param.name).has_value();
}

// The edits (insertions, deletions, substitutions) between two short texts.
size_t EditDistance(TextView a, TextView b) {
  std::vector<size_t> row(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    size_t diagonal = row[0];
    row[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t above = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diagonal = above;
    }
  }
  return row[b.size()];
}

bool IsAsciiLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// A name an author meant as "method…" but mistyped: blanks before it, or the letters it
// starts with at most two edits from "method" (but not the count PARAM "methodcnt…").
bool IsNearMethodName(TextView name) {
  const size_t start = std::min(name.find_first_not_of(u" \t\u3000"), name.size());
  size_t end = start;
  while (end < name.size() && IsAsciiLetter(name[end])) ++end;
  const Text letters = LowerCase(name.substr(start, end - start));
  if (letters.starts_with(u"methodcnt") || letters.size() < 4 || letters.size() > 8) return false;
  return EditDistance(letters, u"method") <= 2;
}

// Whether the value is a method line whose command the method language has.
bool HoldsCommand(TextView value) {
  const std::vector<Text> fields = SplitMethodLine(value);
  return !fields.empty() && FindCommand(MethodCommands(), fields[0]) != nullptr;
}

}  // namespace

std::vector<uint32_t> MethodLines(const platform::HostPage& page) {
  std::vector<uint32_t> lines{0};
  if (!page.HasObject()) return lines;
  for (const ParamElement& param : page.ObjectParams()) {
    if (IsReadAsMethod(page, param)) lines.push_back(param.line);
  }
  return lines;
}

std::vector<UnreadParam> UnreadMethodParams(const platform::HostPage& page) {
  std::vector<UnreadParam> unread;
  if (!page.HasObject()) return unread;
  for (const ParamElement& param : page.ObjectParams()) {
    if (IsReadAsMethod(page, param)) continue;
    if (IsMethodName(param.name)) {
      unread.push_back({param.name, param.value, param.line, UnreadReason::kNotTheControl});
    } else if (IsNearMethodName(param.name) || HoldsCommand(param.value)) {
      unread.push_back({param.name, param.value, param.line, UnreadReason::kNotAMethodName});
    }
  }
  return unread;
}

}  // namespace vant::app
