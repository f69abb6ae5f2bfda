#include "platform/printing/pdf_file_output.h"

#include <QSaveFile>
#include <QString>

#include <system_error>

#include "common/failure.h"
#include "platform/qt/qt_fonts.h"

namespace vant::printing {
namespace {

Failure WriteFailure(const std::filesystem::path& file, const QString& reason) {
  return Failure(u"PDF ファイル「" + FromUtf8(file.string()) + u"」を書き込めません: " +
                 qt::FromQString(reason));
}

std::filesystem::path Absolute(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) {
    throw Failure(u"PDF ファイルの出力先「" + FromUtf8(path.string()) + u"」を解決できません: " +
                  FromUtf8(error.message()));
  }
  return absolute;
}

}  // namespace

void PdfFileOutput::SetPath(const std::filesystem::path& path) {
  if (path.empty() || !path.has_filename()) {
    throw Failure(u"PDF ファイルの出力先「" + FromUtf8(path.string()) + u"」はファイル名ではありません。");
  }
  given_ = Absolute(path);
}

void PdfFileOutput::SetBaseName(const Text& baseName, const std::filesystem::path& folder) {
  if (baseName.empty()) throw Failure(u"PDF ファイルの名前が空です。");
  const std::filesystem::path name(ToUtf8(baseName) + ".pdf");
  if (name.has_parent_path()) {
    throw Failure(u"PDF ファイルの名前「" + baseName + u"」にディレクトリが含まれています。");
  }
  default_ = Absolute(folder / name);
}

std::optional<std::filesystem::path> PdfFileOutput::Path() const {
  return given_ ? given_ : default_;
}

std::filesystem::path PdfFileOutput::PathFor(int documentNumber) const {
  const std::optional<std::filesystem::path> first = Path();
  if (!first) throw Failure(u"PDF ファイルの出力先が指定されていません。");
  if (documentNumber <= 1) return *first;
  std::filesystem::path numbered = *first;
  numbered.replace_filename(first->stem().string() + "-" + std::to_string(documentNumber) +
                            first->extension().string());
  return numbered;
}

DeliveredDocument PdfFileOutput::Deliver(const PrintedDocument& document) {
  const std::filesystem::path file = PathFor(written_ + 1);
  QSaveFile out(QString::fromStdString(file.string()));
  if (!out.open(QIODevice::WriteOnly)) throw WriteFailure(file, out.errorString());
  if (out.write(document.pdf) != document.pdf.size()) {
    const QString reason = out.errorString();
    out.cancelWriting();
    throw WriteFailure(file, reason);
  }
  if (!out.commit()) throw WriteFailure(file, out.errorString());
  ++written_;
  DeliveredDocument delivered;
  delivered.printer = document.printer;
  delivered.pages = document.pages;
  delivered.file = file;
  return delivered;
}

}  // namespace vant::printing
