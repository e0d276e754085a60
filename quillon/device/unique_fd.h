// The device layer's descriptors are the platform's self-closing ones.
#pragma once

#include "platform/unique_fd.h"

namespace quillon::device {

using platform::UniqueFd;

}  // namespace quillon::device
