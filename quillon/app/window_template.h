// The main window's template: every control with its id, caption and place in
// dialog units, in the order the controls are created (group boxes before what
// they frame, so the framed controls lie on top).
#pragma once

#include <array>
#include <string_view>

#include "quillon/app/dialog_units.h"

namespace quillon {

namespace control_id {
inline constexpr int kStatic = -1;  // group boxes that nothing addresses
inline constexpr int kInPlaceEditor = 1003;
inline constexpr int kDeleteFile = 1022;
inline constexpr int kDownload = 1023;
inline constexpr int kSaveList = 1024;
inline constexpr int kFileList = 1030;
inline constexpr int kProgressBar = 1061;
inline constexpr int kInformationBox = 1064;
inline constexpr int kInformationFrame = 1067;
inline constexpr int kAddFile = 1100;
inline constexpr int kSaveFile = 1109;
inline constexpr int kSentenceList = 1108;
}  // namespace control_id

enum class ControlKind { GroupBox, InformationBox, ComboBox, PushButton, ListView, Edit, Progress };

struct ControlTemplate {
  int id;
  ControlKind kind;
  std::u16string_view objectName;  // stable name for tests and style sheets
  std::u16string_view text;
  DialogRect place;
};

// The client area the controls are laid out in, in dialog units.
inline constexpr DialogRect kClientArea{0, 0, 424, 430};

inline constexpr std::array<ControlTemplate, 13> kMainWindowTemplate{{
    {control_id::kInformationFrame, ControlKind::GroupBox, u"informationFrame", u"Informations",
     {7, 7, 410, 48}},
    {control_id::kInformationBox, ControlKind::InformationBox, u"informationBox", u"",
     {13, 19, 398, 27}},
    {control_id::kStatic, ControlKind::GroupBox, u"fileListFrame", u"File List", {7, 59, 410, 49}},
    {control_id::kFileList, ControlKind::ComboBox, u"fileList", u"", {13, 71, 398, 30}},
    {control_id::kAddFile, ControlKind::PushButton, u"addFile", u"Add File", {13, 89, 79, 14}},
    {control_id::kDeleteFile, ControlKind::PushButton, u"deleteFile", u"Delete File",
     {172, 89, 79, 14}},
    {control_id::kSaveList, ControlKind::PushButton, u"saveList", u"Save List", {332, 89, 79, 14}},
    {control_id::kStatic, ControlKind::GroupBox, u"currentFileFrame", u"Current File",
     {7, 114, 410, 263}},
    {control_id::kSaveFile, ControlKind::PushButton, u"saveFile", u"Save File", {13, 126, 79, 14}},
    {control_id::kSentenceList, ControlKind::ListView, u"sentenceList", u"", {13, 147, 398, 223}},
    {control_id::kInPlaceEditor, ControlKind::Edit, u"inPlaceEditor", u"", {326, 125, 40, 14}},
    {control_id::kDownload, ControlKind::PushButton, u"download", u"Download", {7, 384, 410, 18}},
    {control_id::kProgressBar, ControlKind::Progress, u"progressBar", u"", {7, 404, 410, 19}},
}};

}  // namespace quillon
