#include "app/run/output_targets.h"

#include "app/cli/words.h"
#include "common/text.h"
#include "platform/files/file_writing.h"

namespace vant::app {
namespace {

void Check(const std::filesystem::path& file, const Words& w) {
  try {
    files::CheckNamedTarget(file);
  } catch (const system::FileWriteFailure& failure) {
    throw UsageError(Fill(w.translate("vant print", "the output \"%1\" cannot be written: %2"),
                          {file.string(), ToUtf8(failure.Reason())}));
  }
}

}  // namespace

void CheckOutputTargets(const CommandLine& line) {
  if (line.verb == Verb::kPdf && line.output) Check(*line.output, line.words);
  if (line.verb == Verb::kRender) Check(line.render.output, line.words);
}

}  // namespace vant::app
