// `vant register` and `vant unregister`, per user in a temporary HOME and for everyone under
// a temporary root: the manifests each browser reads, naming this vant and the extension's
// ids, removed again without touching anything else.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

#include "vant_process.h"

namespace vant::test {
namespace {

struct Place {
  const char* folder;   // under HOME or the root
  const char* allowed;  // the member naming who may start the host
  std::string id;
};
const std::string kChromium = "chrome-extension://" VANT_CHROMIUM_EXTENSION_ID "/";
const std::vector<Place> kUserPlaces = {{".config/chromium/NativeMessagingHosts", "allowed_origins", kChromium},
                                        {".config/google-chrome/NativeMessagingHosts", "allowed_origins", kChromium},
                                        {".mozilla/native-messaging-hosts", "allowed_extensions", "print@vant3"}};
const std::vector<Place> kSystemPlaces = {{"etc/chromium/native-messaging-hosts", "allowed_origins", kChromium},
                                          {"etc/opt/chrome/native-messaging-hosts", "allowed_origins", kChromium},
                                          {"usr/lib/mozilla/native-messaging-hosts", "allowed_extensions", "print@vant3"}};

// Every regular file under dir with its bytes.
std::map<std::string, std::string> Files(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (entry.is_regular_file()) files[entry.path().lexically_relative(dir).string()] = ReadFile(entry.path());
  }
  return files;
}

VantResult RunIn(const TempDir& home, const std::vector<std::string>& args) {
  VantOptions options;
  options.workDir = home.Path();
  options.env["HOME"] = home.Path().string();
  return RunVant(args, options);
}

void ExpectManifests(const std::filesystem::path& base, const std::vector<Place>& places) {
  for (const Place& place : places) {
    const std::filesystem::path file = base / place.folder / "vant3.host.json";
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file;
    const QJsonObject manifest = QJsonDocument::fromJson(QByteArray::fromStdString(ReadFile(file))).object();
    EXPECT_EQ(manifest["name"].toString(), "vant3.host") << file;
    EXPECT_EQ(manifest["type"].toString(), "stdio") << file;
    EXPECT_EQ(manifest["path"].toString().toStdString(), std::filesystem::canonical(VantBinary()).string()) << file;
    EXPECT_EQ(manifest[place.allowed].toArray(), QJsonArray{QString::fromStdString(place.id)}) << file;
    EXPECT_EQ(manifest.size(), 5) << file;  // name, description, path, type and the ids
    const auto perms = std::filesystem::status(file).permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none) << file;
  }
}

TEST(VantRegister, PerUserManifestsAreWrittenAndRemovedLeavingEverythingElse) {
  TempDir home;
  WriteFile(home / "keep.txt", "mine");
  std::filesystem::create_directories(home / ".mozilla/native-messaging-hosts");
  WriteFile(home / ".mozilla/native-messaging-hosts/other.host.json", "{\"name\":\"other.host\"}");
  const auto before = Files(home.Path());

  const VantResult registered = RunIn(home, {"register"});
  ASSERT_EQ(registered.status, 0) << registered.Describe();
  ExpectManifests(home.Path(), kUserPlaces);
  EXPECT_EQ(Files(home.Path()).size(), before.size() + 3);
  // Registering again changes nothing.
  ASSERT_EQ(RunIn(home, {"register"}).status, 0);
  EXPECT_EQ(Files(home.Path()).size(), before.size() + 3);

  const VantResult unregistered = RunIn(home, {"unregister"});
  ASSERT_EQ(unregistered.status, 0) << unregistered.Describe();
  EXPECT_EQ(Files(home.Path()), before);
}

TEST(VantRegister, SystemManifestsGoUnderTheRootAndLeaveHomeAlone) {
  TempDir home, root;
  const VantResult registered = RunIn(home, {"register", "--system", "--root", root.Path().string()});
  ASSERT_EQ(registered.status, 0) << registered.Describe();
  ExpectManifests(root.Path(), kSystemPlaces);
  EXPECT_EQ(Files(root.Path()).size(), 3u);
  EXPECT_TRUE(Files(home.Path()).empty());
  const VantResult unregistered = RunIn(home, {"unregister", "--system", "--root", root.Path().string()});
  ASSERT_EQ(unregistered.status, 0) << unregistered.Describe();
  EXPECT_TRUE(Files(root.Path()).empty());
}

TEST(VantRegister, ManifestsThatAreNotOursStay) {
  TempDir home;
  ASSERT_EQ(RunIn(home, {"register"}).status, 0);
  // One replaced by someone else's host of the same name, one naming another vant.
  const std::filesystem::path chromium = home / ".config/chromium/NativeMessagingHosts/vant3.host.json";
  WriteFile(chromium, "{\"name\":\"vant3.host\",\"path\":\"/opt/other\",\"type\":\"stdio\",\"allowed_origins\":[]}");
  const std::filesystem::path firefox = home / ".mozilla/native-messaging-hosts/vant3.host.json";
  std::string moved = ReadFile(firefox);
  moved.replace(moved.find(std::filesystem::canonical(VantBinary()).string()),
                std::filesystem::canonical(VantBinary()).string().size(), "/usr/bin/vant");
  WriteFile(firefox, moved);
  const VantResult unregistered = RunIn(home, {"unregister"});
  EXPECT_EQ(unregistered.status, 0) << unregistered.Describe();
  EXPECT_TRUE(std::filesystem::exists(chromium));
  EXPECT_NE(unregistered.err.find(chromium.string()), std::string::npos) << unregistered.Describe();
  EXPECT_FALSE(std::filesystem::exists(firefox));  // ours, whichever vant it names
  EXPECT_FALSE(std::filesystem::exists(home / ".config/google-chrome/NativeMessagingHosts/vant3.host.json"));
}

TEST(VantRegister, UsageErrors) {
  TempDir home;
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"register", "--root", "/tmp"}, {"register", "--system", "--root", "relative"},
        {"unregister", "--user"}, {"register", "--system", "--root"}}) {
    const VantResult result = RunIn(home, args);
    EXPECT_EQ(result.status, 2) << args.back() << ": " << result.Describe();
  }
  EXPECT_TRUE(Files(home.Path()).empty());
}

}  // namespace
}  // namespace vant::test
