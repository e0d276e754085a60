#include "quillon/app/in_place_editor.h"

#include <QFocusEvent>

namespace quillon {

InPlaceEditor::InPlaceEditor(QWidget* parent) : QLineEdit(parent) { setFrame(true); }

void InPlaceEditor::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  if (focusLost_) focusLost_();
}

}  // namespace quillon
