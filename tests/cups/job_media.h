// The sheet and the paper source a finished job asked for: both travel in its media-col
// (cups_job_output.cpp), which the server keeps as one attribute.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cups_test_queues.h"

namespace vant::test::cups {

// A member of the job's media-col as the server writes it ("media-source" -> "manual");
// nothing when the job has no media-col or the media-col no such member. A member that is
// itself a collection comes back with its braces.
std::optional<std::string> MediaColMember(const FinishedJob& job, std::string_view member);

// The PWG name of the media-col's media-size ("iso_a4_210x297mm" for the 209.90 x 297.04 mm
// a PPD's A4 is); throws naming the job when it has none.
std::string JobSheetName(const FinishedJob& job);

}  // namespace vant::test::cups
