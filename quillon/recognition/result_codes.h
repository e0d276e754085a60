// Result codes of the group data and package build. 0 is success; every other
// code ends a download as a failure and is never shown to the user (the
// messages that go with some of them are shown through a MessageSink).
#pragma once

namespace quillon {

inline constexpr int kResultOk = 0;
inline constexpr int kResultFileEmpty = 0x5002;
inline constexpr int kResultFileUnreadable = 0x5003;      // while the image is filled
inline constexpr int kResultTooManyEntries = 0x5004;      // more than the entry table holds
inline constexpr int kResultLengthMismatch = 0x5005;      // filled length differs from the layout
inline constexpr int kResultFileMissing = 0x500D;
inline constexpr int kResultMcuImageUnreadable = 0x500E;
inline constexpr int kResultDspImageUnreadable = 0x500F;
inline constexpr int kResultImageFileUnreadable = 0x5012;  // dynamic image or voice file
inline constexpr int kResultCommandFileUnreadable = 0x5013;
inline constexpr int kResultGroupIdOutOfRange = 0x5014;  // GroupID outside 0 to 63
inline constexpr int kResultTooManySentences = 0x5015;
inline constexpr int kResultNoSentence = 0x5016;
inline constexpr int kResultSentenceCountMismatch = 0x5017;
inline constexpr int kResultUndecodableText = 0x5018;
inline constexpr int kResultSentenceRefused = 0x5019;
inline constexpr int kResultSentenceBlockTooLarge = 0x501A;
inline constexpr int kResultGroupDataTooLarge = 0x501B;
inline constexpr int kResultLanguageConflict = 0x501C;
// The MCU image does not fit the region reserved for it before the table of
// contents; reported with a message naming the file and the limit.
inline constexpr int kResultMcuImageTooLarge = 0x5008;
// The image would cover more 64 KB blocks than its 16-bit block count holds.
inline constexpr int kResultImageTooLarge = 0x5009;

}  // namespace quillon
