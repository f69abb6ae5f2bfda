// Every verb and option the command takes is in the man pages (English and Japanese) and
// the bash completion: a verb added to the command's table without them fails here.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "app/cli/command_line_table.h"
#include "contains.h"

namespace {

using vant::test::Contains;

std::string Read(const std::string& file) {
  std::ifstream in(file);
  if (!in) throw std::runtime_error("cannot read " + file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// troff writes a dash as \-.
std::string Troff(std::string_view option) {
  std::string out;
  for (char c : option) out += c == '-' ? std::string("\\-") : std::string(1, c);
  return out;
}

TEST(CommandDocs, TheManPagesAndTheCompletionNameEveryVerbAndOption) {
  const std::string completion = Read(VANT_PACKAGING_DIR "/vant.bash-completion");
  const std::string verbList = completion.substr(0, completion.find("--help --version"));
  for (const char* page : {"vant.1", "vant.ja.1"}) {
    SCOPED_TRACE(page);
    const std::string man = Read(VANT_PACKAGING_DIR "/" + std::string(page));
    for (const vant::app::VerbRow& verb : vant::app::VerbTable()) {
      SCOPED_TRACE(std::string(verb.name));
      const std::string name(verb.name);
      EXPECT_TRUE(Contains(man, "\n.B " + name + "\n") || Contains(man, "\n.BI \"" + name + " ") ||
                  Contains(man, "\n.BR " + name + " "))
          << "the man page has no entry for the verb";
      for (const vant::app::OptionKey key : verb.options) {
        const std::string longName = "--" + std::string(vant::app::OptionOf(key).longName);
        EXPECT_TRUE(Contains(man, Troff(longName))) << longName << " is not in the man page";
      }
    }
  }
  for (const vant::app::VerbRow& verb : vant::app::VerbTable()) {
    SCOPED_TRACE(std::string(verb.name));
    const std::string name(verb.name);
    EXPECT_TRUE(Contains(verbList, " " + name + " ") || Contains(verbList, "\"" + name + " "))
        << "the completion does not offer the verb";
    for (const vant::app::OptionKey key : verb.options) {
      const std::string longName = "--" + std::string(vant::app::OptionOf(key).longName);
      EXPECT_TRUE(Contains(completion, longName)) << longName << " is not in the completion";
    }
  }
}

}  // namespace
