// The About box: the program's icon and name, and an OK button that closes it.
#pragma once

#include <QDialog>

namespace quillon {

class CAboutDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace quillon
