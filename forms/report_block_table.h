#pragma once

#include <string_view>
#include <vector>

#include "control_row.h"
#include "report_block.h"

namespace vardex {

// The eight controls of one report block, in the order they stand in its row:
// Dest, Path(n-N), n, N, Rate [RF], Rate [IS], RF, IS. Their labels are
// `rowName` followed by the column's words.
inline constexpr int kReportBlockControlCount = 8;
void AppendReportBlockRows(std::vector<ControlRow>& rows, ReportBlockInstance instance,
                           std::string_view rowName);

}  // namespace vardex
