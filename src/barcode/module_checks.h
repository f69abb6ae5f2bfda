// Compile-time checks of module patterns, for the static_asserts that guard the tables.
#pragma once

#include <cstddef>

#include "barcode/module_string.h"

namespace vant::module_checks {

constexpr bool IsModules(TextView s) {
  for (char16_t c : s) {
    if (c != kBarModule && c != kSpaceModule) return false;
  }
  return true;
}

constexpr int CountBars(TextView s) {
  int count = 0;
  for (char16_t c : s) count += c == kBarModule ? 1 : 0;
  return count;
}

// Number of elements: runs of equal modules.
constexpr int CountElements(TextView s) {
  int count = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (i == 0 || s[i] != s[i - 1]) ++count;
  }
  return count;
}

// Width in modules of element k (from 0), or 0 when there is no such element.
constexpr int ElementWidth(TextView s, int k) {
  int element = -1;
  int width = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    if (i == 0 || s[i] != s[i - 1]) {
      if (element == k) return width;
      ++element;
      width = 0;
    }
    ++width;
  }
  return element == k ? width : 0;
}

constexpr bool IsComplement(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if ((a[i] == kBarModule) == (b[i] == kBarModule)) return false;
  }
  return true;
}

constexpr bool IsReverse(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] != b[b.size() - 1 - i]) return false;
  }
  return true;
}

template <typename Table>
constexpr bool AllDistinct(const Table& table) {
  for (size_t i = 0; i < table.size(); ++i) {
    for (size_t j = i + 1; j < table.size(); ++j) {
      if (table[i] == table[j]) return false;
    }
  }
  return true;
}

template <typename Table>
constexpr bool AllOfLength(const Table& table, size_t length) {
  for (const auto& entry : table) {
    if (entry.size() != length || !IsModules(entry)) return false;
  }
  return true;
}

}  // namespace vant::module_checks
