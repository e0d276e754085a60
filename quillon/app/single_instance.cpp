#include "quillon/app/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace quillon {

SingleInstance::SingleInstance(const QString& name) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  lock_ = std::make_unique<QLockFile>(QDir(folder).filePath(name + QStringLiteral(".lock")));
  // A lock left by a process that no longer runs is taken over.
  first_ = lock_->tryLock(0);
}

}  // namespace quillon
