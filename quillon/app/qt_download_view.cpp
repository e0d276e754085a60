#include "quillon/app/qt_download_view.h"

#include <QMetaObject>
#include <QPlainTextEdit>
#include <QThread>
#include <QWidget>

#include "quillon/app/gradient_progress_bar.h"

namespace quillon {

void QtDownloadView::SetControlEnabled(int controlId, bool enabled) {
  if (QWidget* control = controls_.byId(controlId)) control->setEnabled(enabled);
}

void QtDownloadView::SetInformationText(std::u16string_view text) {
  QString shown = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  controls_.informationBox->setPlainText(shown);
}

void QtDownloadView::SetProgressPosition(int position) {
  controls_.progressBar->SetPos(position);
}

void QtDownloadView::Show(const UserMessage& message) {
  if (QThread::currentThread() == controls_.window->thread()) {
    controls_.messages->Show(message);
    return;
  }
  QMetaObject::invokeMethod(
      controls_.window, [this, &message] { controls_.messages->Show(message); },
      Qt::BlockingQueuedConnection);
}

}  // namespace quillon
