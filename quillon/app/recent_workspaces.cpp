#include "quillon/app/recent_workspaces.h"

#include <QDir>
#include <QFileInfo>

namespace quillon {
namespace {

const QString kKey = QStringLiteral("recentWorkspaces");

QString Normalized(const QString& directory) { return QDir::cleanPath(QDir(directory).absolutePath()); }

}  // namespace

QStringList RecentWorkspaces::Entries() const {
  QStringList entries;
  for (const QString& directory : settings_.value(kKey).toStringList()) {
    if (QFileInfo(directory).isDir() && !entries.contains(directory)) entries.append(directory);
    if (entries.size() == kMaxEntries) break;
  }
  return entries;
}

void RecentWorkspaces::Remember(const QString& directory) {
  const QString entry = Normalized(directory);
  QStringList entries = settings_.value(kKey).toStringList();
  entries.removeAll(entry);
  entries.prepend(entry);
  while (entries.size() > kMaxEntries) entries.removeLast();
  settings_.setValue(kKey, entries);
}

}  // namespace quillon
