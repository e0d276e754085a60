// A short English description of each result code of the group data and the
// package build, for tools that report a failure without a message box.
#pragma once

#include <string>

#include "quillon/recognition/result_codes.h"

namespace quillon {

// "0x5019: a sentence fails the content check or gives no unit codes", or
// "0xNNNN" for a code this layer does not produce.
std::string DescribeResultCode(ResultCode code);

}  // namespace quillon
