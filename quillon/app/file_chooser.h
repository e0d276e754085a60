// The open-file dialog behind a small interface, so the window's tests answer
// it without a display.
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quillon {

class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // Asks for an existing command file ("Txt Files (*.txt)"); nothing when the
  // user cancels. Returns the file's absolute path.
  virtual std::optional<QString> ChooseCommandFile(QWidget* owner) = 0;
};

// The platform's open-file dialog.
class QtFileChooser final : public FileChooser {
 public:
  std::optional<QString> ChooseCommandFile(QWidget* owner) override;
};

}  // namespace quillon
