// Result codes of a download, from the package build and the device layer
// alike. 0 is success; every other code ends a download as a failure. Package
// codes are never shown to the user (the messages that go with some of them
// are shown through a MessageSink). System errors keep their Windows numbers
// on every backend so that the transport's retry rule reads the same
// everywhere; the Linux backend maps errno and host status onto them.
#pragma once

#include <cstdint>

namespace quillon {

using ResultCode = std::uint32_t;

inline constexpr ResultCode kSuccess = 0;

// System errors.
inline constexpr ResultCode kErrorFileNotFound = 2;
inline constexpr ResultCode kErrorAccessDenied = 5;
inline constexpr ResultCode kErrorInvalidHandle = 6;
inline constexpr ResultCode kErrorGenFailure = 31;
inline constexpr ResultCode kErrorDevNotExist = 55;
inline constexpr ResultCode kErrorInvalidParameter = 87;
inline constexpr ResultCode kErrorSemTimeout = 121;

// Discovery.
inline constexpr ResultCode kNotOnUsbBus = 0x411F;
inline constexpr ResultCode kInterfaceOpenFailed = 0x4120;
inline constexpr ResultCode kIdentityNotAccepted = 0x4121;

// Transport.
inline constexpr ResultCode kSlotNotZeroForSingleSlot = 0x4201;
inline constexpr ResultCode kSlotOutOfRange = 0x4202;

// Files: a configured file (firmware image, command file, voice file, RAM
// program, user image) is empty, or cannot be opened (while the image is filled
// or the device written).
inline constexpr ResultCode kFileEmpty = 0x5002;
inline constexpr ResultCode kFileOpenFailed = 0x5003;

// The package build.
inline constexpr ResultCode kResultTooManyEntries = 0x5004;      // more than the entry table holds
inline constexpr ResultCode kResultLengthMismatch = 0x5005;      // filled length differs from the layout
// The MCU image does not fit the region reserved for it before the table of
// contents; reported with a message naming the file and the limit.
inline constexpr ResultCode kResultMcuImageTooLarge = 0x5008;
// The image would cover more 64 KB blocks than its 16-bit block count holds.
inline constexpr ResultCode kResultImageTooLarge = 0x5009;
// A command file is larger than kMaxCommandFileBytes, or has more than
// kMaxCommandFileLines lines: refused before it is scanned.
inline constexpr ResultCode kResultCommandFileTooLarge = 0x5010;
inline constexpr ResultCode kResultTooManyLines = 0x5011;
inline constexpr ResultCode kResultFileMissing = 0x500D;
inline constexpr ResultCode kResultMcuImageUnreadable = 0x500E;
inline constexpr ResultCode kResultDspImageUnreadable = 0x500F;
inline constexpr ResultCode kResultImageFileUnreadable = 0x5012;  // dynamic image or voice file
inline constexpr ResultCode kResultCommandFileUnreadable = 0x5013;
inline constexpr ResultCode kResultGroupIdOutOfRange = 0x5014;  // GroupID outside 0 to 63
inline constexpr ResultCode kResultTooManySentences = 0x5015;
inline constexpr ResultCode kResultNoSentence = 0x5016;
inline constexpr ResultCode kResultSentenceCountMismatch = 0x5017;
inline constexpr ResultCode kResultUndecodableText = 0x5018;
inline constexpr ResultCode kResultSentenceRefused = 0x5019;
inline constexpr ResultCode kResultSentenceBlockTooLarge = 0x501A;
inline constexpr ResultCode kResultGroupDataTooLarge = 0x501B;
inline constexpr ResultCode kResultLanguageConflict = 0x501C;

// RAM program load and flash download.
inline constexpr ResultCode kEraseFailed = 0x5006;
inline constexpr ResultCode kWriteFailed = 0x5007;
inline constexpr ResultCode kFsmBeginFailed = 0x500A;
inline constexpr ResultCode kFsmDataFailed = 0x500B;
inline constexpr ResultCode kFsmEndFailed = 0x500C;
inline constexpr ResultCode kReadBackFailed = 0x501D;
inline constexpr ResultCode kReadBackMismatch = 0x501E;

}  // namespace quillon
