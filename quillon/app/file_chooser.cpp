#include "quillon/app/file_chooser.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quillon {

std::optional<QString> QtFileChooser::ChooseCommandFile(QWidget* owner) {
  QFileDialog dialog(owner);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilter(QStringLiteral("Txt Files (*.txt)"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return QFileInfo(dialog.selectedFiles().front()).absoluteFilePath();
}

}  // namespace quillon
