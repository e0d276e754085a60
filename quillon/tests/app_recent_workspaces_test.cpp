// File > Recent Workspaces: most recent first, each folder once, at most eight,
// folders that are gone left out.
#include <QtTest>

#include "quillon/app/recent_workspaces.h"

class RecentWorkspacesTest : public QObject {
  Q_OBJECT

 private slots:
  void MostRecentFirstEachOnceBounded() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("quillon.ini"), QSettings::IniFormat);
    quillon::RecentWorkspaces recent(settings);
    QStringList folders;
    for (int i = 0; i < 10; ++i) {
      folders.append(dir.filePath(QString::number(i)));
      QVERIFY(QDir().mkpath(folders.last()));
      recent.Remember(folders.last());
    }
    recent.Remember(folders[5] + "/");  // the same folder written another way
    const QStringList entries = recent.Entries();
    QCOMPARE(entries.size(), 8);
    QCOMPARE(entries[0], folders[5]);
    QCOMPARE(entries[1], folders[9]);
    QVERIFY(!entries.contains(folders[1]));  // the oldest went
    QCOMPARE(entries.count(folders[5]), 1);
  }

  void FoldersThatAreGoneAreLeftOut() {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("quillon.ini"), QSettings::IniFormat);
    quillon::RecentWorkspaces recent(settings);
    QVERIFY(QDir().mkpath(dir.filePath("kept")));
    QVERIFY(QDir().mkpath(dir.filePath("gone")));
    recent.Remember(dir.filePath("kept"));
    recent.Remember(dir.filePath("gone"));
    QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
    QCOMPARE(recent.Entries(), QStringList{dir.filePath("kept")});
  }
};

QTEST_GUILESS_MAIN(RecentWorkspacesTest)
#include "app_recent_workspaces_test.moc"
