#include "app/cli/words.h"

#include <QString>
#include <QTranslator>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace vant::app {
namespace {

// Where the build puts the compiled Japanese catalogue among the program's resources.
constexpr char kJapaneseCatalogue[] = ":/vant/translations/vant_ja.qm";

bool Set(const char* value) { return value != nullptr && *value != '\0'; }

}  // namespace

Language MessageLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : Set(lang) ? lang : "";
  const std::string_view name(locale);
  // The language is what stands before the territory, the codeset or the modifier.
  const std::string_view language = name.substr(0, name.find_first_of("_.@"));
  return language == "ja" ? Language::kJapanese : Language::kEnglish;
}

Language MessageLanguageOfEnvironment() {
  return MessageLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

Words::Words(Language language) : language_(language) {
  if (language != Language::kJapanese) return;
  auto japanese = std::make_shared<QTranslator>();
  if (!japanese->load(QString::fromLatin1(kJapaneseCatalogue))) {
    throw std::runtime_error("the Japanese catalogue of the command line is missing from the program");
  }
  japanese_ = std::move(japanese);
}

std::string Words::translate(const char* context, const char* english) const {
  if (japanese_ != nullptr) {
    const QString said = japanese_->translate(context, english);
    if (!said.isEmpty()) return said.toStdString();
  }
  return english;
}

std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args) {
  const std::vector<std::string_view> values(args);
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < values.size()) {
        out += values[n];
        ++i;
        continue;
      }
    }
    out += pattern[i];
  }
  return out;
}

}  // namespace vant::app
