// `vant register` and `vant unregister`, per user in a temporary HOME and for everyone under
// a temporary root: the manifests each browser reads, naming this vant and the extension's
// ids, removed again without touching anything else.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

#include "contains.h"
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
                                        {".config/microsoft-edge/NativeMessagingHosts", "allowed_origins", kChromium},
                                        {".mozilla/native-messaging-hosts", "allowed_extensions", "print@vant3"}};
const std::vector<Place> kSystemPlaces = {{"etc/chromium/native-messaging-hosts", "allowed_origins", kChromium},
                                          {"etc/opt/chrome/native-messaging-hosts", "allowed_origins", kChromium},
                                          {"etc/opt/edge/native-messaging-hosts", "allowed_origins", kChromium},
                                          {"usr/lib/mozilla/native-messaging-hosts", "allowed_extensions", "print@vant3"}};

// Every regular file under dir with its bytes (symbolic links are not followed).
std::map<std::string, std::string> Files(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
    if (entry.symlink_status().type() == std::filesystem::file_type::regular) {
      files[entry.path().lexically_relative(dir).string()] = ReadFile(entry.path());
    }
  }
  return files;
}

// A folder for PATH holding a command of each browser (never run): every browser is there,
// whatever this machine has installed.
std::string EveryBrowserOnPath() {
  static const TempDir folder;
  for (const char* command : {"chromium", "google-chrome", "microsoft-edge", "firefox"}) {
    if (std::filesystem::exists(folder / command)) continue;
    WriteFile(folder / command, "#!/bin/sh\nexit 1\n");
    std::filesystem::permissions(folder / command, std::filesystem::perms(0755));
  }
  return folder.Path().string();
}

VantResult RunIn(const TempDir& home, const std::vector<std::string>& args,
                 const std::string& path = EveryBrowserOnPath()) {
  VantOptions options;
  options.workDir = home.Path();
  options.env["HOME"] = home.Path().string();
  options.env["PATH"] = path;
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
  EXPECT_EQ(Files(home.Path()).size(), before.size() + kUserPlaces.size());
  // Registering again changes nothing.
  ASSERT_EQ(RunIn(home, {"register"}).status, 0);
  EXPECT_EQ(Files(home.Path()).size(), before.size() + kUserPlaces.size());

  const VantResult unregistered = RunIn(home, {"unregister"});
  ASSERT_EQ(unregistered.status, 0) << unregistered.Describe();
  EXPECT_EQ(Files(home.Path()), before);
  EXPECT_FALSE(Contains(unregistered.out, "取り除くホスト定義はありません")) << unregistered.out;
  // A second unregister says there was nothing to remove, and succeeds.
  const VantResult again = RunIn(home, {"unregister"});
  EXPECT_EQ(again.status, 0) << again.Describe();
  EXPECT_EQ(again.out, "取り除くホスト定義はありません (この利用者のフォルダーに vant register が書いたものはありません)。\n");
  EXPECT_EQ(Files(home.Path()), before);
}

// Per user, a manifest is written only for a browser the user has: its folder in HOME or
// its command on PATH; each one left out is named.
TEST(VantRegister, PerUserManifestsAreWrittenOnlyForTheBrowsersThatAreThere) {
  struct Row {
    int line;
    std::vector<std::string> folders;   // under HOME
    std::vector<std::string> commands;  // on PATH
    std::vector<bool> written;          // Chromium, Google Chrome, Microsoft Edge, Firefox
  };
  const Row rows[] = {
      {__LINE__, {}, {}, {false, false, false, false}},
      {__LINE__, {".config/chromium"}, {}, {true, false, false, false}},
      {__LINE__, {".mozilla"}, {"google-chrome-stable"}, {false, true, false, true}},
      {__LINE__, {}, {"chromium-browser", "firefox-esr"}, {true, false, false, true}},
      {__LINE__, {".config/microsoft-edge"}, {}, {false, false, true, false}},
      {__LINE__, {}, {"microsoft-edge-stable"}, {false, false, true, false}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    TempDir home, bin;
    for (const std::string& folder : row.folders) std::filesystem::create_directories(home / folder);
    for (const std::string& command : row.commands) {
      WriteFile(bin / command, "#!/bin/sh\nexit 1\n");
      std::filesystem::permissions(bin / command, std::filesystem::perms(0755));
    }
    const VantResult r = RunIn(home, {"register"}, bin.Path().string());
    ASSERT_EQ(r.status, 0) << r.Describe();
    const char* browsers[] = {"Chromium", "Google Chrome", "Microsoft Edge", "Firefox"};
    ASSERT_EQ(kUserPlaces.size(), std::size(browsers));
    for (size_t i = 0; i < kUserPlaces.size(); ++i) {
      SCOPED_TRACE(browsers[i]);
      EXPECT_EQ(std::filesystem::exists(home / kUserPlaces[i].folder / "vant3.host.json"), row.written[i]);
      EXPECT_EQ(Contains(r.out, std::string(browsers[i]) + " 用のホスト定義「"), row.written[i]) << r.out;
      EXPECT_EQ(Contains(r.out, std::string(browsers[i]) + " が見つからないため"), !row.written[i]) << r.out;
    }
    // Nothing is made for a browser that is not there.
    if (!row.written[1]) {
      EXPECT_FALSE(std::filesystem::exists(home / ".config/google-chrome"));
    }
  }
}

TEST(VantRegister, SystemManifestsGoUnderTheRootAndLeaveHomeAlone) {
  TempDir home, root;
  // A packaging root that does not exist yet is made.
  const std::filesystem::path staged = root / "stage/tree";
  const VantResult staging = RunIn(home, {"register", "--system", "--root", staged.string()});
  ASSERT_EQ(staging.status, 0) << staging.Describe();
  ExpectManifests(staged, kSystemPlaces);
  std::filesystem::remove_all(root / "stage");

  const VantResult registered = RunIn(home, {"register", "--system", "--root", root.Path().string()});
  ASSERT_EQ(registered.status, 0) << registered.Describe();
  ExpectManifests(root.Path(), kSystemPlaces);
  EXPECT_EQ(Files(root.Path()).size(), kSystemPlaces.size());
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

TEST(VantRegister, ManifestsInTheLayoutOfAnEarlierVantAreOursToo) {
  TempDir home;
  // Indented, members sorted by name: as vant wrote them before its one-line layout.
  const std::filesystem::path firefox = home / ".mozilla/native-messaging-hosts/vant3.host.json";
  const std::filesystem::path chromium = home / ".config/chromium/NativeMessagingHosts/vant3.host.json";
  for (const auto& file : {firefox, chromium}) std::filesystem::create_directories(file.parent_path());
  WriteFile(firefox, "{\n    \"allowed_extensions\": [\n        \"print@vant3\"\n    ],\n"
                     "    \"description\": \"Vant3 印刷コントロール\",\n    \"name\": \"vant3.host\",\n"
                     "    \"path\": \"/usr/bin/vant\",\n    \"type\": \"stdio\"\n}\n");
  WriteFile(chromium, "{\"allowed_origins\":[\"" + kChromium +
                          "\"],\"description\":\"Vant3 印刷コントロール\",\"name\":\"vant3.host\","
                          "\"path\":\"/usr/bin/vant\",\"type\":\"stdio\"}");
  const VantResult unregistered = RunIn(home, {"unregister"});
  EXPECT_EQ(unregistered.status, 0) << unregistered.Describe();
  EXPECT_FALSE(std::filesystem::exists(firefox)) << unregistered.Describe();
  EXPECT_FALSE(std::filesystem::exists(chromium)) << unregistered.Describe();
}

std::filesystem::perms Mode(const std::filesystem::path& path) {
  return std::filesystem::symlink_status(path).permissions();
}

// A planted symbolic link where register or unregister would write or remove, per user (in
// HOME) and for everyone (under --root).
struct Planted {
  int line;
  bool system;
  const char* link;  // under HOME or the root: the manifest's name or a folder on the way
};

TEST(VantRegister, NeverWritesOrRemovesThroughASymbolicLink) {
  const std::vector<Planted> cases = {
      {__LINE__, false, ".mozilla/native-messaging-hosts/vant3.host.json"},
      {__LINE__, false, ".config/chromium/NativeMessagingHosts"},
      {__LINE__, false, ".config"},
      {__LINE__, true, "etc/chromium/native-messaging-hosts/vant3.host.json"},
      {__LINE__, true, "usr/lib/mozilla"},
      {__LINE__, true, "etc"},
  };
  // Our manifests, as a registration elsewhere writes them.
  TempDir fresh;
  ASSERT_EQ(RunIn(fresh, {"register"}).status, 0);
  for (const Planted& c : cases) {
    TempDir home, root, elsewhere;
    const std::filesystem::path base = c.system ? root.Path() : home.Path();
    const std::filesystem::path link = base / c.link;
    std::filesystem::create_directories(link.parent_path());
    // Where the link leads, each manifest that lies through it: one of ours, private (0600).
    const bool toFile = link.filename() == "vant3.host.json";
    std::filesystem::create_symlink(toFile ? elsewhere / "private" : elsewhere.Path(), link);
    std::size_t reached = 0;
    for (std::size_t i = 0; i < kUserPlaces.size(); ++i) {
      const std::filesystem::path manifest = base / (c.system ? kSystemPlaces : kUserPlaces)[i].folder / "vant3.host.json";
      const std::filesystem::path through = manifest.lexically_relative(link);
      if (through.empty() || *through.begin() == "..") continue;
      const std::filesystem::path target = toFile ? elsewhere / "private" : elsewhere / through;
      std::filesystem::create_directories(target.parent_path());
      WriteFile(target, ReadFile(fresh / kUserPlaces[i].folder / "vant3.host.json"));
      std::filesystem::permissions(target, std::filesystem::perms(0600));
      ++reached;
    }
    ASSERT_GT(reached, 0u) << "line " << c.line;
    const auto before = Files(elsewhere.Path());

    std::vector<std::string> where = {"register"};
    if (c.system) where.insert(where.end(), {"--system", "--root", root.Path().string()});
    const VantResult registered = RunIn(home, where);
    EXPECT_EQ(registered.status, 1) << "line " << c.line << ": " << registered.Describe();
    EXPECT_NE(registered.err.find(toFile ? link.string() + "」を書けません: シンボリックリンク" : "「" + link.string() + "」: シンボリックリンク"),
              std::string::npos) << "line " << c.line << ": the link is named: " << registered.err;
    // Nothing reached what the link leads to, and the link stays as it was.
    EXPECT_EQ(Files(elsewhere.Path()), before) << "line " << c.line;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(elsewhere.Path())) {
      if (entry.is_regular_file()) {
        EXPECT_EQ(Mode(entry.path()), std::filesystem::perms(0600)) << entry.path();
      }
    }
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "line " << c.line;
    // The manifests no link stands in the way of were written.
    EXPECT_EQ(Files(base).size(), kUserPlaces.size() - reached) << "line " << c.line << ": " << registered.Describe();

    where[0] = "unregister";
    const VantResult unregistered = RunIn(home, where);
    EXPECT_EQ(Files(elsewhere.Path()), before) << "line " << c.line << ": " << unregistered.Describe();
    EXPECT_TRUE(std::filesystem::is_symlink(link)) << "line " << c.line;
    EXPECT_TRUE(Files(base).empty()) << "line " << c.line << ": " << unregistered.Describe();
  }
}

TEST(VantRegister, ManifestsAreWrittenNewAndReadableByEveryBrowserWhateverTheUmask) {
  TempDir home, root;
  // A manifest's name sharing its file with another (a hard link): the other keeps its
  // bytes, and the name gets a file of its own.
  const std::filesystem::path folder = root / "etc/chromium/native-messaging-hosts";
  std::filesystem::create_directories(folder);
  WriteFile(root / "other", "someone else's");
  std::filesystem::permissions(root / "other", std::filesystem::perms(0600));
  std::filesystem::create_hard_link(root / "other", folder / "vant3.host.json");

  VantOptions options;
  options.workDir = home.Path();
  options.env["HOME"] = home.Path().string();
  options.env["PATH"] = EveryBrowserOnPath();
  options.umask = 077;
  const VantResult system = RunVant({"register", "--system", "--root", root.Path().string()}, options);
  ASSERT_EQ(system.status, 0) << system.Describe();
  EXPECT_EQ(ReadFile(root / "other"), "someone else's");
  EXPECT_EQ(std::filesystem::hard_link_count(root / "other"), 1u);
  ExpectManifests(root.Path(), kSystemPlaces);
  // Every folder made for everyone's browsers is readable by everyone; the manifests too.
  for (const char* made : {"etc/opt", "etc/opt/chrome", "etc/opt/chrome/native-messaging-hosts", "etc/opt/edge",
                           "etc/opt/edge/native-messaging-hosts", "usr",
                           "usr/lib/mozilla/native-messaging-hosts"}) {
    EXPECT_EQ(Mode(root / made), std::filesystem::perms(0755)) << made;
  }
  for (const Place& place : kSystemPlaces) {
    EXPECT_EQ(Mode(root / place.folder / "vant3.host.json"), std::filesystem::perms(0644)) << place.folder;
  }

  // Per user the folders keep the user's umask; the manifests are the browser's to read.
  const VantResult user = RunVant({"register"}, options);
  ASSERT_EQ(user.status, 0) << user.Describe();
  ExpectManifests(home.Path(), kUserPlaces);
  EXPECT_EQ(Mode(home / ".mozilla"), std::filesystem::perms(0700));
  for (const Place& place : kUserPlaces) {
    EXPECT_EQ(Mode(home / place.folder / "vant3.host.json"), std::filesystem::perms(0644)) << place.folder;
  }
  // No temporary file is left beside a manifest.
  for (const Place& place : kUserPlaces) {
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(home / place.folder), {}), 1) << place.folder;
  }
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
