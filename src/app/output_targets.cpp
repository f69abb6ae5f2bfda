#include "app/output_targets.h"

#include "common/text.h"
#include "platform/files/file_writing.h"

namespace vant::app {
namespace {

void Check(const std::filesystem::path& file) {
  try {
    files::CheckNamedTarget(file);
  } catch (const system::FileWriteFailure& failure) {
    throw UsageError("出力先「" + file.string() + "」に書き込めません: " + ToUtf8(failure.Reason()));
  }
}

}  // namespace

void CheckOutputTargets(const CommandLine& line) {
  if (line.verb == Verb::kPdf && line.output) Check(*line.output);
  if (line.verb == Verb::kRender) Check(line.render.output);
}

}  // namespace vant::app
