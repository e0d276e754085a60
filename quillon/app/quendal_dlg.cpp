// The main window's construction, event table, keyboard filtering, window
// menu and information box. The handlers live in the files named after their
// area: quendal_dlg_file_list.cpp, quendal_dlg_sentences.cpp,
// quendal_dlg_download.cpp, quendal_dlg_init.cpp.
#include "quillon/app/quendal_dlg.h"

#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSocketNotifier>

#include "quillon/app/about_dlg.h"
#include "quillon/app/app_icon.h"
#include "quillon/app/gradient_progress_ctrl.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/my_list_ctrl.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/qt_download_timers.h"
#include "quillon/app/qt_download_view.h"
#include "quillon/app/window_template.h"
#include "quillon/app/window_texts.h"
#include "quillon/device/download_controller.h"
#include "quillon/device/package_source.h"

namespace quillon {
namespace {

const char* const kControlIdProperty = "controlId";

QFont DialogFont() {
  QFont font(QStringLiteral("MS Shell Dlg"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(8);
  return font;
}

QWidget* MakeControl(const ControlTemplate& control, QWidget* parent) {
  const QString text = QString::fromStdU16String(std::u16string(control.text));
  switch (control.kind) {
    case ControlKind::GroupBox: return new QGroupBox(text, parent);
    case ControlKind::InformationBox: {
      auto* box = new QPlainTextEdit(parent);
      box->setReadOnly(true);
      box->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
      return box;
    }
    case ControlKind::ComboBox: return new QComboBox(parent);
    case ControlKind::PushButton: {
      auto* button = new QPushButton(text, parent);
      // Enter never presses a button: the window has no default action.
      button->setAutoDefault(false);
      return button;
    }
    case ControlKind::ListView: return new CMyListCtrl(parent);
    case ControlKind::Edit: return new InPlaceEditor(parent);
    case ControlKind::Progress: return new CGradientProgressCtrl(parent);
  }
  return nullptr;
}

}  // namespace

const std::array<CQuendalDlg::MessageMapEntry, 8> CQuendalDlg::kMessageMap{{
    {ControlEvent::Clicked, control_id::kDownload, &CQuendalDlg::OnDownload},
    {ControlEvent::SelectionChanged, control_id::kFileList, &CQuendalDlg::OnSelectGroup},
    {ControlEvent::Clicked, control_id::kAddFile, &CQuendalDlg::OnAddFile},
    {ControlEvent::Clicked, control_id::kDeleteFile, &CQuendalDlg::OnDeleteFile},
    {ControlEvent::Clicked, control_id::kSaveList, &CQuendalDlg::OnSaveList},
    {ControlEvent::Clicked, control_id::kSaveFile, &CQuendalDlg::OnSaveFile},
    {ControlEvent::DoubleClicked, control_id::kSentenceList, &CQuendalDlg::OnListDoubleClick},
    {ControlEvent::KillFocus, control_id::kInPlaceEditor, &CQuendalDlg::OnEditKillFocus},
}};

CQuendalDlg::CQuendalDlg(const Services& services, QWidget* parent)
    : QDialog(parent), services_(services) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(kWindowCaption);
  setWindowIcon(AppIcon());
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  CreateControls();
  BindMessageMap();
  qApp->installEventFilter(this);
}

CQuendalDlg::~CQuendalDlg() {
  qApp->removeEventFilter(this);
  // The dialog's own destructor hides the window, which takes the focus from
  // an open editor: its commit must not reach this half-destroyed window.
  inPlaceEditor_->OnFocusLost({});
  // A download worker may still be converting sentences: it ends before the
  // engine's tables go.
  downloadController_.reset();
  services_.engine->Release();
}

void CQuendalDlg::CreateControls() {
  const DialogUnits units(font());
  for (const ControlTemplate& control : kMainWindowTemplate) {
    QWidget* widget = MakeControl(control, this);
    widget->setObjectName(QString::fromStdU16String(std::u16string(control.objectName)));
    widget->setProperty(kControlIdProperty, control.id);
    QRect place = units.ToPixels(control.place);
    // A drop-down list's height includes its open list; the closed box is
    // as tall as its font needs.
    if (control.kind == ControlKind::ComboBox) place.setHeight(widget->sizeHint().height());
    widget->setGeometry(place);
  }
  setFixedSize(units.ToPixels(kClientArea).size());

  // Bound in the order the window has always exchanged its controls.
  progressBar_ = static_cast<CGradientProgressCtrl*>(Control(control_id::kProgressBar));
  informationBox_ = static_cast<QPlainTextEdit*>(Control(control_id::kInformationBox));
  downloadButton_ = static_cast<QPushButton*>(Control(control_id::kDownload));
  fileList_ = static_cast<QComboBox*>(Control(control_id::kFileList));
  sentenceList_ = static_cast<CMyListCtrl*>(Control(control_id::kSentenceList));
  addFile_ = static_cast<QPushButton*>(Control(control_id::kAddFile));
  inPlaceEditor_ = static_cast<InPlaceEditor*>(Control(control_id::kInPlaceEditor));
  saveFile_ = static_cast<QPushButton*>(Control(control_id::kSaveFile));
  deleteFile_ = static_cast<QPushButton*>(Control(control_id::kDeleteFile));
  saveList_ = static_cast<QPushButton*>(Control(control_id::kSaveList));
  informationFrame_ = static_cast<QGroupBox*>(Control(control_id::kInformationFrame));

  saveFile_->setEnabled(false);
  inPlaceEditor_->hide();
}

QWidget* CQuendalDlg::Control(int controlId) const {
  for (QWidget* child : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (child->property(kControlIdProperty).toInt() == controlId) return child;
  }
  return nullptr;
}

void CQuendalDlg::BindMessageMap() {
  for (const MessageMapEntry& entry : kMessageMap) {
    QWidget* control = Control(entry.controlId);
    const Handler handler = entry.handler;
    switch (entry.event) {
      case ControlEvent::Clicked:
        connect(static_cast<QPushButton*>(control), &QPushButton::clicked, this,
                [this, handler] { (this->*handler)({}); });
        break;
      case ControlEvent::SelectionChanged:
        // Only a choice by the user, as the list's selection-change
        // notification; the window's own selections do not load twice.
        connect(static_cast<QComboBox*>(control), &QComboBox::activated, this,
                [this, handler] { (this->*handler)({}); });
        break;
      case ControlEvent::DoubleClicked:
        connect(static_cast<CMyListCtrl*>(control), &QTableWidget::cellDoubleClicked, this,
                [this, handler](int row, int column) { (this->*handler)({row, column}); });
        break;
      case ControlEvent::KillFocus:
        static_cast<InPlaceEditor*>(control)->OnFocusLost([this, handler] { (this->*handler)({}); });
        break;
    }
  }
}

bool CQuendalDlg::eventFilter(QObject* target, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget != nullptr && widget->window() == this &&
        PreTranslateMessage(target, *static_cast<QKeyEvent*>(event))) {
      if (event->type() == QEvent::KeyPress) return true;
      event->accept();  // claim the key so no shortcut takes it either
      return true;
    }
  }
  return QDialog::eventFilter(target, event);
}

bool CQuendalDlg::PreTranslateMessage(QObject* target, const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Escape:
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (target == inPlaceEditor_ && key.type() == QEvent::KeyPress) {
        sentenceList_->setFocus(Qt::OtherFocusReason);
      }
      // Elsewhere Enter has no default action to run.
      return true;
    case Qt::Key_F4:
      return (key.modifiers() & Qt::AltModifier) != 0;
    case Qt::Key_F1:
      if (key.type() == QEvent::KeyPress) OnSysCommand(kAboutCommand, 0);
      return true;
    default:
      return false;
  }
}

std::unique_ptr<QMenu> CQuendalDlg::CreateSystemMenu() {
  auto menu = std::make_unique<QMenu>(this);
  menu->addAction(QStringLiteral("Mi&nimize"))->setData(kMinimizeCommand);
  menu->addAction(QStringLiteral("&Close"))->setData(kCloseCommand);
  menu->addSeparator();
  menu->addAction(kAboutMenuText)->setData(kAboutCommand);
  return menu;
}

void CQuendalDlg::contextMenuEvent(QContextMenuEvent* event) {
  const std::unique_ptr<QMenu> menu = CreateSystemMenu();
  if (const QAction* chosen = menu->exec(event->globalPos())) {
    OnSysCommand(chosen->data().toInt(), 0);
  }
}

void CQuendalDlg::OnSysCommand(int commandId, int) {
  switch (commandId & 0xFFF0) {
    case kAboutCommand: {
      CAboutDlg about(this);
      about.exec();
      break;
    }
    case kMinimizeCommand: showMinimized(); break;
    case kCloseCommand: close(); break;
    default: break;
  }
}

}  // namespace quillon
