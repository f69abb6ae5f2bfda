#include "platform/qt/font_faces.h"

#include <fontconfig/fontconfig.h>

#include <QFontInfo>

#include <memory>
#include <string>
#include <vector>

#include "platform/qt/qt_fonts.h"
#include "platform/qt/windows_fonts.h"

namespace vant::qt {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;
struct FontSetDeleter {
  void operator()(FcFontSet* set) const { FcFontSetDestroy(set); }
};
struct ObjectSetDeleter {
  void operator()(FcObjectSet* set) const { FcObjectSetDestroy(set); }
};

const FcChar8* Bytes(const std::string& utf8) { return reinterpret_cast<const FcChar8*>(utf8.c_str()); }

// The families the configuration puts in place of the name as its equals: the name itself
// and every family an alias bound "same" substitutes for it. Such a family takes the name's
// own (strong) binding; the generic fallbacks the configuration appends are bound weakly.
std::vector<std::string> EqualFamilies(const std::string& name) {
  std::vector<std::string> equals{name};
  const Pattern pattern(FcPatternCreate());
  if (!pattern || !FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(name))) return equals;
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return equals;
  FcPatternIter iter;
  FcPatternIterStart(pattern.get(), &iter);
  if (!FcPatternFindIter(pattern.get(), &iter, FC_FAMILY)) return equals;
  const int count = FcPatternIterValueCount(pattern.get(), &iter);
  for (int i = 0; i < count; ++i) {
    FcValue value;
    FcValueBinding binding;
    if (FcPatternIterGetValue(pattern.get(), &iter, i, &value, &binding) != FcResultMatch) continue;
    if (value.type == FcTypeString && binding != FcValueBindingWeak) {
      equals.emplace_back(reinterpret_cast<const char*>(value.u.s));
    }
  }
  return equals;
}

// Every family name of the installed fonts whose family is face (a font may be known by
// several, such as "IPAMincho" and "IPA明朝").
std::vector<std::string> NamesOfFace(const std::string& face) {
  std::vector<std::string> names{face};
  const Pattern pattern(FcPatternCreate());
  if (!pattern || !FcPatternAddString(pattern.get(), FC_FAMILY, Bytes(face))) return names;
  const std::unique_ptr<FcObjectSet, ObjectSetDeleter> wanted(FcObjectSetBuild(FC_FAMILY, nullptr));
  const std::unique_ptr<FcFontSet, FontSetDeleter> fonts(FcFontList(nullptr, pattern.get(), wanted.get()));
  if (!fonts) return names;
  for (int f = 0; f < fonts->nfont; ++f) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(fonts->fonts[f], FC_FAMILY, i, &family) == FcResultMatch; ++i) {
      names.emplace_back(reinterpret_cast<const char*>(family));
    }
  }
  return names;
}

bool SameFamily(std::string_view a, std::string_view b) { return FoldedFamily(a) == FoldedFamily(b); }

bool AnySame(const std::vector<std::string>& names, std::string_view family) {
  for (const std::string& name : names) {
    if (SameFamily(name, family)) return true;
  }
  return false;
}

// A name of the Windows font table: its face is the row's, another of the row's design
// (the row's face is not installed), or one of another design.
FaceMatch TableMatch(const WindowsFont& font, const std::vector<std::string>& faceNames) {
  if (AnySame(faceNames, font.face)) return font.fit == FaceFit::kMetric ? FaceMatch::kOwn : FaceMatch::kSameDesign;
  for (const std::string& name : faceNames) {
    if (DesignOfFace(name) == font.design) return FaceMatch::kSameDesign;
  }
  return FaceMatch::kOtherDesign;
}

}  // namespace

FaceResolution FontFaces::Resolve(TextView name) {
  const std::lock_guard lock(mutex_);
  const auto known = resolved_.find(Text(name));
  if (known != resolved_.end()) return known->second;

  FaceResolution resolution;
  // The face Qt realises for the name, exactly as a printer's font is made.
  const QFontInfo info(FontFromSpec(FontSpec{Text(name), 12, false, false}));
  // Qt tells apart two installs of one family by their foundry: "C059 [UKWN]".
  QString family = info.family();
  const qsizetype foundry = family.lastIndexOf(QStringLiteral(" ["));
  if (foundry > 0 && family.endsWith(u']')) family.truncate(foundry);
  resolution.face = FromQString(family);
  const std::string face = ToUtf8(resolution.face);
  const std::vector<std::string> faceNames = NamesOfFace(face);
  const std::string utf8 = ToUtf8(name);
  if (const WindowsFont* font = FindWindowsFont(utf8)) {
    resolution.match = TableMatch(*font, faceNames);
  } else {
    bool own = false;
    for (const std::string& equal : EqualFamilies(utf8)) own = own || AnySame(faceNames, equal);
    resolution.match = own ? FaceMatch::kOwn : FaceMatch::kOtherDesign;
  }
  resolved_.emplace(Text(name), resolution);
  return resolution;
}

}  // namespace vant::qt
