// Writes a context-unit model file ("AE_RCD134.model", "CE_RCD134.model") in
// the layout the engine reads: one line per phone record with its member
// count, then one line per member with its contexts.
#pragma once

#include <string>
#include <system_error>
#include <vector>

#include "phonwright/core/context_unit_model.h"

namespace phonwright::data {

// Records are written as given; the unused numbers are written as 0.
std::string FormatContextUnitRecords(const std::vector<ContextUnitModel::Record>& records);

std::error_code WriteContextUnitModel(const std::string& path,
                                      const std::vector<ContextUnitModel::Record>& records);

}  // namespace phonwright::data
