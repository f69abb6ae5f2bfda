// The Japanese catalogue holds every text the command line says, each translated, with the
// same placeholders as its English: lupdate reads the sources afresh and the kept catalogue
// is compared with what it finds.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QXmlStreamReader>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "vant_process.h"

namespace {

struct Message {
  std::string translation;
  bool finished = false;
};
// (context, English) → its translation.
using Catalogue = std::map<std::pair<std::string, std::string>, Message>;

Catalogue ReadCatalogue(const QString& file) {
  QFile in(file);
  if (!in.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + file.toStdString());
  QXmlStreamReader xml(&in);
  Catalogue catalogue;
  std::string context, source;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"name") {
      context = xml.readElementText().toStdString();
    } else if (xml.name() == u"source") {
      source = xml.readElementText().toStdString();
    } else if (xml.name() == u"translation") {
      const bool unfinished = xml.attributes().value("type") == u"unfinished";
      catalogue[{context, source}] = {xml.readElementText().toStdString(), !unfinished};
    }
  }
  if (xml.hasError()) throw std::runtime_error(file.toStdString() + ": " + xml.errorString().toStdString());
  return catalogue;
}

// The placeholders %1 … %9 a text holds.
std::multiset<std::string> Placeholders(const std::string& text) {
  std::multiset<std::string> found;
  static const QRegularExpression placeholder("%[1-9]");
  for (auto it = placeholder.globalMatch(QString::fromStdString(text)); it.hasNext();) {
    found.insert(it.next().captured().toStdString());
  }
  return found;
}

TEST(CommandLineCatalogue, HoldsEveryTextTheSourcesSayTranslatedWithTheirPlaceholders) {
  const vant::test::TempDir dir;
  const QString fresh = QString::fromStdString((dir / "fresh.ts").string());
  QProcess lupdate;
  lupdate.start(VANT_LUPDATE, {"-no-obsolete", "-locations", "none", VANT_APP_SOURCES, "-ts", fresh});
  ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish: " << VANT_LUPDATE;
  ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

  const Catalogue said = ReadCatalogue(fresh);
  const Catalogue kept = ReadCatalogue(VANT_CATALOGUE);
  ASSERT_GT(said.size(), 50u) << "lupdate found too few texts: are the calls still literal?";
  for (const auto& [key, message] : said) {
    const auto found = kept.find(key);
    ASSERT_NE(found, kept.end()) << "not in the catalogue: [" << key.first << "] " << key.second;
    EXPECT_TRUE(found->second.finished && !found->second.translation.empty())
        << "not translated: [" << key.first << "] " << key.second;
    EXPECT_EQ(Placeholders(found->second.translation), Placeholders(key.second))
        << "[" << key.first << "] " << key.second << " → " << found->second.translation;
  }
  for (const auto& [key, message] : kept) {
    EXPECT_TRUE(said.contains(key)) << "no longer said by the sources: [" << key.first << "] " << key.second;
  }
}

}  // namespace
