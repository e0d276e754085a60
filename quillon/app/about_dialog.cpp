#include "quillon/app/about_dialog.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "quillon/app/app_icon.h"
#include "quillon/app/window_texts.h"

namespace quillon {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(kWindowCaption);
  auto* icon = new QLabel(this);
  // The icon as tall as three lines of text, so it scales with the font.
  const int iconSize = 3 * fontMetrics().height();
  icon->setPixmap(AppIcon().pixmap(iconSize, iconSize));
  auto* name = new QLabel(kWindowCaption, this);
  auto* version = new QLabel(
      QStringLiteral("Version %1").arg(QCoreApplication::applicationVersion()), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(name, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(ok, 0, 2, Qt::AlignTop);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace quillon
