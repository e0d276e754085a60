// The About box: the program's icon and name, and an OK button that closes it.
#pragma once

#include <QDialog>

namespace quillon {

class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace quillon
