#include "quillon/device/pass_through_record.h"

namespace quillon::device {

PassThroughRecord VendorRecordTemplate() {
  PassThroughRecord record;
  record.targetId = 0;
  record.commandBlockLength = 16;
  record.senseLength = 24;
  record.timeoutSeconds = 6;
  return record;
}

PassThroughRecord StandardRecordTemplate() {
  PassThroughRecord record;
  record.targetId = 1;
  record.commandBlockLength = 6;
  record.senseLength = 0;
  record.timeoutSeconds = 8;
  return record;
}

}  // namespace quillon::device
