// The command line's own words (help, usage errors, what a verb reports on the terminal) in
// the user's language: written in English in the code, in Japanese in vant_ja.ts beside
// this file, which the build compiles into the program. The control's own texts (its
// message boxes, captions, the status bar) are Japanese in every locale and never pass here.
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

class QTranslator;

namespace vant::app {

enum class Language { kEnglish, kJapanese };

// The language the C library would speak its messages in: of LC_ALL, LC_MESSAGES and LANG
// the first that is set and not empty names the locale, and a locale of the language "ja"
// ("ja", "ja_JP", "ja_JP.UTF-8", "ja_JP.eucJP@…") is Japanese; any other, or none, English.
Language MessageLanguage(const char* lcAll, const char* lcMessages, const char* lang);
// The same, of this process's environment.
Language MessageLanguageOfEnvironment();

class Words {
 public:
  // Throws std::runtime_error when the Japanese catalogue built into the program cannot be
  // read (a broken build, never the user's doing).
  explicit Words(Language language = Language::kEnglish);

  Language Speaks() const { return language_; }
  // The text in the user's language; the English itself when no translation is kept. The
  // name and the literal arguments let lupdate find every text the code says.
  std::string translate(const char* context, const char* english) const;

 private:
  Language language_;
  std::shared_ptr<const QTranslator> japanese_;  // null for English
};

// The pattern with each %1 … %9 replaced by that argument, in one pass: an argument that
// itself holds "%2" (a file name, a page's text) stays as written. A number without an
// argument stays as written too.
std::string Fill(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace vant::app
