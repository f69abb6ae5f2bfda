#include "platform/printing/pdf_file_output.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string_view>
#include <system_error>

#include "common/failure.h"
#include "platform/files/file_errors.h"
#include "platform/files/file_writing.h"

namespace vant::printing {
namespace {

Failure WriteFailure(const std::filesystem::path& file, const Text& reason) {
  return Failure(u"PDF ファイル「" + FromUtf8(file.string()) + u"」を書き込めません: " + reason);
}

std::filesystem::path Absolute(const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) {
    throw Failure(u"PDF ファイルの出力先「" + FromUtf8(path.string()) + u"」を解決できません: " +
                  files::ErrnoReason(error.value()));
  }
  return absolute;
}

}  // namespace

DeliveredDocument PdfFileOutput::DeliverToStandardOutput(const PrintedDocument& document) {
  // Two PDF files one after the other would read as one damaged file.
  if (written_ > 0) {
    throw Failure(u"標準出力には PDF を 1 つしか書き出せません。2 つ目の文書は -o でファイルに書き出してください。");
  }
  std::fflush(stdout);
  const char* at = document.pdf.constData();
  size_t left = static_cast<size_t>(document.pdf.size());
  while (left > 0) {
    const ssize_t wrote = write(STDOUT_FILENO, at, left);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      throw Failure(u"PDF を標準出力に書き込めません: " + files::ErrnoReason(errno));
    }
    at += wrote;
    left -= static_cast<size_t>(wrote);
  }
  ++written_;
  DeliveredDocument delivered;
  delivered.printer = document.printer;
  delivered.pages = document.pages;
  delivered.standardOutput = true;
  return delivered;
}

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
  if (standardOutput_) return std::nullopt;
  return given_ ? given_ : default_;
}

DeliveredDocument PdfFileOutput::Deliver(const PrintedDocument& document) {
  if (refusal_) throw Failure(*refusal_);
  if (standardOutput_) return DeliverToStandardOutput(document);
  const std::optional<std::filesystem::path> first = Path();
  if (!first) throw Failure(u"PDF ファイルの出力先が指定されていません。");
  const std::string_view bytes(document.pdf.constData(), static_cast<std::size_t>(document.pdf.size()));
  std::filesystem::path file;
  try {
    if (given_ && (written_ == 0 || streaming_)) {
      streaming_ = files::WriteNamedFile(*given_, bytes) == files::NamedTarget::kStream;
      file = *given_;
    } else {
      // The named file is number 1 of its series; the default name has none of its own.
      const files::NewFile made = files::WriteNewNumberedFile(*first, nextNumber_.value_or(given_ ? 2 : 1), bytes);
      nextNumber_ = made.number + 1;
      file = made.file;
    }
  } catch (const files::FileWriteFailure& failure) {
    throw WriteFailure(failure.File(), failure.Reason());
  }
  ++written_;
  DeliveredDocument delivered;
  delivered.printer = document.printer;
  delivered.pages = document.pages;
  delivered.file = file;
  return delivered;
}

}  // namespace vant::printing
