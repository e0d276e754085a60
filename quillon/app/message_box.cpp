#include "quillon/app/message_box.h"

#include <QMessageBox>
#include <QString>

namespace quillon {
namespace {

QMessageBox::Icon ToQtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Stop: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBox::Show(const UserMessage& message) {
  QString text = QString::fromStdU16String(message.text);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(ToQtIcon(message.icon), QString::fromStdU16String(message.caption), text,
                  QMessageBox::Ok, owner_);
  box.exec();
}

}  // namespace quillon
