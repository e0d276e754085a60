// What the download controller needs from the main window. The window
// implements it with its widgets; tests and quillon-cli record or print.
//
// Threads: every method except Show() is called on the user-interface thread
// only. Show() (inherited from MessageSink) is also called by the download
// worker for the package builder's error messages; it must then run the
// message box on the user-interface thread (for Qt, a blocking queued call)
// and return only when the user has dismissed it.
#pragma once

#include <string_view>

#include "quillon/config/user_message.h"

namespace quillon::device {

// Ids of the main window's controls that the download enables and disables.
namespace control_id {
inline constexpr int kInPlaceEditor = 1003;
inline constexpr int kDeleteFile = 1022;
inline constexpr int kDownload = 1023;
inline constexpr int kSaveList = 1024;
inline constexpr int kFileList = 1030;
inline constexpr int kAddFile = 1100;
inline constexpr int kSentenceList = 1108;
inline constexpr int kSaveFile = 1109;
}  // namespace control_id

class DownloadView : public MessageSink {
 public:
  // Enables or disables the control with the given id (control_id above).
  virtual void SetControlEnabled(int controlId, bool enabled) = 0;
  // Replaces the text of the information box.
  virtual void SetInformationText(std::u16string_view text) = 0;
  // Moves the progress bar to `position` (0 to 100) and repaints it.
  virtual void SetProgressPosition(int position) = 0;
};

}  // namespace quillon::device
