// The main window's construction: controls in layouts, menus, status bar, tab
// order, keyboard filtering and the About box. The handlers live in the files
// named after their area: main_window_file_list.cpp,
// main_window_sentences.cpp, main_window_download.cpp, main_window_init.cpp.
#include "quillon/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QUndoGroup>
#include <QVBoxLayout>

#include "quillon/app/about_dialog.h"
#include "quillon/app/action_follows_control.h"
#include "quillon/app/app_icon.h"
#include "quillon/app/command_file_document.h"
#include "quillon/app/gradient_progress_bar.h"
#include "quillon/app/in_place_editor.h"
#include "quillon/app/pronunciation_column.h"
#include "quillon/app/pronunciation_engine.h"
#include "quillon/app/sentence_table.h"
#include "quillon/app/window_texts.h"
#include "quillon/device/package_source.h"

namespace quillon {
namespace {

// The information box stands out a little from the rest of the window, in the
// desktop's own fixed-pitch font.
QFont InformationFont(const QFont& windowFont) {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSizeF(windowFont.pointSizeF() * 1.2);
  font.setWeight(QFont::DemiBold);
  return font;
}

QPushButton* MakeButton(const QString& caption, const char* objectName, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(objectName));
  // Enter never presses a button: the window has no default action.
  button->setAutoDefault(false);
  return button;
}

QGroupBox* MakeFrame(const QString& caption, const char* objectName, QWidget* parent) {
  auto* frame = new QGroupBox(caption, parent);
  frame->setObjectName(QString::fromLatin1(objectName));
  return frame;
}

// Margins and spacing a little tighter than the style's, so that every
// control still shows at a large scale on a small screen.
constexpr int kMargin = 6;
constexpr int kSpacing = 4;

void Tighten(QBoxLayout& layout) {
  layout.setContentsMargins(kMargin, kSpacing, kMargin, kSpacing);
  layout.setSpacing(kSpacing);
}

QVBoxLayout* FrameLayout(QGroupBox& frame) {
  auto* layout = new QVBoxLayout(&frame);
  layout->setContentsMargins(kMargin, kSpacing / 2, kMargin, kMargin);
  layout->setSpacing(kSpacing);
  return layout;
}

// Add File, Delete File and Save List are as wide as each other, at the
// left, the middle and the right of their row.
QHBoxLayout* SpreadButtons(std::initializer_list<QPushButton*> buttons) {
  int width = 0;
  for (QPushButton* button : buttons) width = std::max(width, button->sizeHint().width());
  auto* row = new QHBoxLayout;
  bool first = true;
  for (QPushButton* button : buttons) {
    if (!first) row->addStretch(1);
    first = false;
    button->setMinimumWidth(width);
    row->addWidget(button);
  }
  return row;
}

// Sizes as a share of the window font, so the window scales with it.
constexpr int kPreferredWidthInCharacters = 100;
constexpr int kPreferredHeightInLines = 44;
// Room left for the desktop's panels and the window frame.
constexpr double kScreenShare = 0.92;

}  // namespace

MainWindow::MainWindow(const Services& services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName(QStringLiteral("mainWindow"));
  // "[*]" shows as "*" while the shown file has unsaved edits.
  setWindowTitle(kWindowCaption + QStringLiteral("[*]"));
  setWindowIcon(AppIcon());
  CreateControls();
  CreateEditing();
  CreateActions();
  CreateMenus();
  CreateStatusBar();
  SetTabOrder();
  ResizeToFitScreen();
  qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // Destroying the window hides it, which takes the focus from an open
  // editor: its commit must not reach this half-destroyed window.
  inPlaceEditor_->OnFocusLost({});
  // A download worker may still be converting sentences: it ends before the
  // engine's tables go.
  downloadPresenter_.reset();
  services_.engine->Release();
}

void MainWindow::CreateControls() {
  auto* content = new QWidget;
  auto* layout = new QVBoxLayout(content);
  Tighten(*layout);

  QGroupBox* informationFrame = MakeFrame(kInformationsCaption, "informationFrame", content);
  informationBox_ = new QPlainTextEdit(informationFrame);
  informationBox_->setObjectName(QStringLiteral("informationBox"));
  informationBox_->setReadOnly(true);
  informationBox_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  informationBox_->setTabChangesFocus(true);
  informationBox_->setFocusPolicy(Qt::StrongFocus);
  informationBox_->setFont(InformationFont(font()));
  // Two lines of text, as the box has always shown, or one on a short
  // screen; more scroll.
  const int lineHeight = QFontMetrics(informationBox_->font()).lineSpacing();
  const int boxMargins = 2 * (informationBox_->frameWidth() +
                              static_cast<int>(informationBox_->document()->documentMargin()));
  informationBox_->setMinimumHeight(lineHeight + boxMargins);
  informationBox_->setMaximumHeight(2 * lineHeight + boxMargins);
  FrameLayout(*informationFrame)->addWidget(informationBox_);
  layout->addWidget(informationFrame);

  QGroupBox* fileListFrame = MakeFrame(kFileListCaption, "fileListFrame", content);
  fileList_ = new QComboBox(fileListFrame);
  fileList_->setObjectName(QStringLiteral("fileList"));
  fileList_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  addFile_ = MakeButton(kAddFileCaption, "addFile", fileListFrame);
  deleteFile_ = MakeButton(kDeleteFileCaption, "deleteFile", fileListFrame);
  saveList_ = MakeButton(kSaveListCaption, "saveList", fileListFrame);
  QVBoxLayout* fileListLayout = FrameLayout(*fileListFrame);
  fileListLayout->addWidget(fileList_);
  fileListLayout->addLayout(SpreadButtons({addFile_, deleteFile_, saveList_}));
  layout->addWidget(fileListFrame);

  QGroupBox* currentFileFrame = MakeFrame(kCurrentFileCaption, "currentFileFrame", content);
  saveFile_ = MakeButton(kSaveFileCaption, "saveFile", currentFileFrame);
  saveFile_->setMinimumWidth(addFile_->minimumWidth());
  saveFile_->setEnabled(false);
  sentenceTable_ = new SentenceTable(currentFileFrame);
  sentenceTable_->setObjectName(QStringLiteral("sentenceTable"));
  inPlaceEditor_ = new InPlaceEditor(sentenceTable_->viewport());
  inPlaceEditor_->setObjectName(QStringLiteral("inPlaceEditor"));
  inPlaceEditor_->hide();
  addSentence_ = MakeButton(kAddSentenceCaption, "addSentence", currentFileFrame);
  deleteSentence_ = MakeButton(kDeleteSentenceCaption, "deleteSentence", currentFileFrame);
  addSentence_->setEnabled(false);
  deleteSentence_->setEnabled(false);
  auto* saveFileRow = new QHBoxLayout;
  saveFileRow->addWidget(saveFile_);
  saveFileRow->addStretch(1);
  saveFileRow->addWidget(addSentence_);
  saveFileRow->addWidget(deleteSentence_);
  QVBoxLayout* currentFileLayout = FrameLayout(*currentFileFrame);
  currentFileLayout->addLayout(saveFileRow);
  currentFileLayout->addWidget(sentenceTable_, 1);
  layout->addWidget(currentFileFrame, 1);

  downloadButton_ = MakeButton(kDownloadCaption, "download", content);
  layout->addWidget(downloadButton_);
  progressBar_ = new GradientProgressBar(content);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  layout->addWidget(progressBar_);

  // On a screen too short for every control at its least size (a large
  // scale on a small screen, tall panels) the controls scroll rather than
  // fall off the window.
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName(QStringLiteral("contentScroller"));
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setFocusPolicy(Qt::NoFocus);  // Tab goes from control to control
  scroller->setWidgetResizable(true);
  scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  scroller->setWidget(content);
  setCentralWidget(scroller);

  connect(fileList_, &QComboBox::activated, this, [this] { OnSelectGroup(); });
  connect(addFile_, &QPushButton::clicked, this, [this] { OnAddFile(); });
  connect(deleteFile_, &QPushButton::clicked, this, [this] { OnDeleteFile(); });
  connect(saveList_, &QPushButton::clicked, this, [this] { OnSaveList(); });
  connect(saveFile_, &QPushButton::clicked, this, [this] { OnSaveFile(); });
  connect(addSentence_, &QPushButton::clicked, this, [this] { OnAddSentence(); });
  connect(deleteSentence_, &QPushButton::clicked, this, [this] { OnDeleteSentence(); });
  // Command files dropped on the list are added as Add File adds them.
  fileList_->setAcceptDrops(true);
  connect(sentenceTable_, &SentenceTable::cellDoubleClicked, this, &MainWindow::OnListDoubleClick);
  connect(sentenceTable_, &SentenceTable::itemSelectionChanged, this, [this] { ShowModifiedState(); });
  inPlaceEditor_->OnFocusLost([this] { OnEditKillFocus(); });
  connect(downloadButton_, &QPushButton::clicked, this, [this] { OnDownload(); });
}

void MainWindow::CreateEditing() {
  undoGroup_ = new QUndoGroup(this);
  pronunciations_ = std::make_unique<PronunciationColumn>(*services_.converter, *services_.pronunciationHints,
                                                          platform::CurrentSystemLocale().languageId);
  connect(pronunciations_.get(), &PronunciationColumn::refreshed, this, [this] {
    FillSentenceTable();
    ShowModifiedState();
  });
}

void MainWindow::CreateActions() {
  // Each command's action presses its button, so the menu and the button run
  // the same path and the action is enabled exactly when the button is.
  const auto pressing = [this](const QString& text, const char* objectName, QPushButton* button,
                               const QKeySequence& shortcut = {}) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(objectName));
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, button, &QPushButton::click);
    FollowEnabledState(*action, *button);
    return action;
  };
  addFileAction_ = pressing(QStringLiteral("&Add File..."), "addFileAction", addFile_);
  saveFileAction_ = pressing(QStringLiteral("&Save File"), "saveFileAction", saveFile_,
                             QKeySequence::Save);
  saveListAction_ = pressing(QStringLiteral("Save &List"), "saveListAction", saveList_);
  addSentenceAction_ = pressing(QStringLiteral("&Add Sentence"), "addSentenceAction", addSentence_,
                                QKeySequence(Qt::CTRL | Qt::Key_N));
  deleteSentenceAction_ = pressing(QStringLiteral("&Delete Sentence"), "deleteSentenceAction", deleteSentence_,
                                   QKeySequence(Qt::CTRL | Qt::Key_Delete));
  downloadAction_ = pressing(QStringLiteral("&Download"), "downloadAction", downloadButton_);

  quitAction_ = new QAction(QStringLiteral("&Quit"), this);
  quitAction_->setObjectName(QStringLiteral("quitAction"));
  quitAction_->setShortcut(QKeySequence::Quit);
  connect(quitAction_, &QAction::triggered, this, &QWidget::close);

  // A scan uses the transport, which a running download holds: Rescan is
  // disabled while a download runs (CreateDownload).
  rescanAction_ = new QAction(QStringLiteral("&Rescan"), this);
  rescanAction_->setObjectName(QStringLiteral("rescanAction"));
  rescanAction_->setShortcut(QKeySequence::Refresh);
  connect(rescanAction_, &QAction::triggered, this, &MainWindow::OnRescan);

  aboutAction_ = new QAction(QStringLiteral("&About"), this);
  aboutAction_->setObjectName(QStringLiteral("aboutAction"));
  aboutAction_->setShortcut(QKeySequence::HelpContents);
  connect(aboutAction_, &QAction::triggered, this, &MainWindow::OnAbout);
}

void MainWindow::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(addFileAction_);
  file->addAction(saveFileAction_);
  file->addAction(saveListAction_);
  QMenu* recent = file->addMenu(QStringLiteral("&Recent Workspaces"));
  recent->setObjectName(QStringLiteral("recentWorkspacesMenu"));
  recent->setEnabled(!services_.recentWorkspaces.isEmpty());
  for (const QString& directory : services_.recentWorkspaces) {
    recent->addAction(directory, this, [this, directory] { OnRecentWorkspace(directory); });
  }
  file->addSeparator();
  file->addAction(quitAction_);
  QMenu* edit = menuBar()->addMenu(QStringLiteral("Ed&it"));
  QAction* undo = undoGroup_->createUndoAction(this, QStringLiteral("&Undo"));
  undo->setObjectName(QStringLiteral("undoAction"));
  undo->setShortcut(QKeySequence::Undo);
  QAction* redo = undoGroup_->createRedoAction(this, QStringLiteral("&Redo"));
  redo->setObjectName(QStringLiteral("redoAction"));
  redo->setShortcut(QKeySequence::Redo);
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  edit->addAction(addSentenceAction_);
  edit->addAction(deleteSentenceAction_);
  QMenu* device = menuBar()->addMenu(QStringLiteral("&Device"));
  device->addAction(downloadAction_);
  device->addAction(rescanAction_);
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->addAction(aboutAction_);
}

void MainWindow::CreateStatusBar() {
  // A long reason must not widen the window: it is cut at the window's edge
  // and shown whole as the tooltip.
  deviceMessage_ = new QLabel(statusBar());
  deviceMessage_->setObjectName(QStringLiteral("deviceMessage"));
  deviceMessage_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(deviceMessage_, 1);
  deviceState_ = new QLabel(statusBar());
  deviceState_->setObjectName(QStringLiteral("deviceState"));
  statusBar()->addPermanentWidget(deviceState_);
  // The reader's warnings about the file shown, every one in the tooltip.
  fileWarnings_ = new QLabel(statusBar());
  fileWarnings_->setObjectName(QStringLiteral("fileWarnings"));
  statusBar()->addPermanentWidget(fileWarnings_);
}

void MainWindow::SetTabOrder() {
  const QWidget* const order[] = {informationBox_, fileList_,      addFile_,        deleteFile_,
                                  saveList_,       saveFile_,      addSentence_,    deleteSentence_,
                                  sentenceTable_,  inPlaceEditor_, downloadButton_};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
}

void MainWindow::ResizeToFitScreen() {
  const QWidget* content = static_cast<QScrollArea*>(centralWidget())->widget();
  const QSize bars(0, menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
  const QFontMetrics metrics(font());
  QSize preferred = (content->sizeHint() + bars)
                        .expandedTo(QSize(kPreferredWidthInCharacters * metrics.averageCharWidth(),
                                          kPreferredHeightInLines * metrics.height()));
  if (const QScreen* shown = screen()) {
    const QSize available = shown->availableGeometry().size();
    // Every control at its least size when the screen has room for that.
    const QSize least = (content->minimumSizeHint() + bars).boundedTo(available);
    preferred = preferred.boundedTo(available * kScreenShare).expandedTo(least);
  }
  resize(preferred);
}

bool MainWindow::eventFilter(QObject* target, QEvent* event) {
  if (target == fileList_ && event->type() == QEvent::DragEnter) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    if (drag->mimeData()->hasUrls() && fileList_->isEnabled()) drag->acceptProposedAction();
    return true;
  }
  if (target == fileList_ && event->type() == QEvent::Drop) {
    OnDropFiles(*static_cast<QDropEvent*>(event));
    return true;
  }
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(target);
    if (widget != nullptr && widget->window() == this &&
        PreTranslateMessage(target, *static_cast<QKeyEvent*>(event))) {
      if (event->type() == QEvent::KeyPress) return true;
      event->accept();  // claim the key so no shortcut takes it either
      return true;
    }
  }
  return QMainWindow::eventFilter(target, event);
}

bool MainWindow::PreTranslateMessage(QObject* target, const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Escape:
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      if (target == inPlaceEditor_ && key.type() == QEvent::KeyPress) {
        sentenceTable_->setFocus(Qt::OtherFocusReason);
      }
      // Elsewhere Enter has no default action to run.
      return true;
    case Qt::Key_F4:
      return (key.modifiers() & Qt::AltModifier) != 0;
    default:
      return false;
  }
}

void MainWindow::OnAbout() {
  AboutDialog about(this);
  about.exec();
}

}  // namespace quillon
