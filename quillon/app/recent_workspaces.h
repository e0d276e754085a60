// The workspaces the program was last started in, most recent first, kept in
// the user's settings (QSettings) for File > Recent Workspaces.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>

namespace quillon {

class RecentWorkspaces {
 public:
  static constexpr qsizetype kMaxEntries = 8;

  explicit RecentWorkspaces(QSettings& settings) : settings_(settings) {}

  // The remembered folders that still exist, most recent first.
  QStringList Entries() const;
  // Puts `directory` first; an earlier entry of it goes, and the oldest beyond
  // kMaxEntries.
  void Remember(const QString& directory);

 private:
  QSettings& settings_;
};

}  // namespace quillon
