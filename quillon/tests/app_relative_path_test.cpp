// Stored command file paths relative to the working directory.
#include <QtTest>

#include "quillon/app/group_line.h"
#include "quillon/app/relative_path.h"

class RelativePathTest : public QObject {
  Q_OBJECT

 private slots:
  void MakesPathsRelative_data() {
    QTest::addColumn<QString>("workingDirectory");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("stored");
    QTest::newRow("inside") << "/srv/Tool" << "/srv/Tool/cmd/On.txt" << "\\cmd\\On.txt";
    QTest::newRow("directly inside") << "/srv/Tool" << "/srv/Tool/On.txt" << "\\On.txt";
    QTest::newRow("beside") << "/srv/Tool" << "/srv/Other/On.txt" << "\\..\\Other\\On.txt";
    QTest::newRow("two up") << "/srv/Tool" << "/data/On.txt" << "\\..\\..\\data\\On.txt";
    QTest::newRow("root") << "/" << "/On.txt" << "On.txt";
    QTest::newRow("one level") << "/srv" << "/srv/cmd/On.txt" << "\\cmd\\On.txt";
    QTest::newRow("sibling sharing the name's start")
        << "/srv/Tool" << "/srv/Toolbox/On.txt" << "\\..\\Toolbox\\On.txt";
    QTest::newRow("case differs") << "/srv/Tool" << "/srv/tool/On.txt" << "\\..\\tool\\On.txt";
  }
  void MakesPathsRelative() {
    QFETCH(QString, workingDirectory);
    QFETCH(QString, file);
    QFETCH(QString, stored);
    QCOMPARE(QString::fromStdU16String(
                 quillon::MakeRelativePath(workingDirectory.toStdU16String(), file.toStdU16String())),
             stored);
  }

  void GroupLinesNumberFromOne() {
    QCOMPARE(QString::fromStdU16String(quillon::GroupLine(0, u"\\cmd\\On.txt")),
             QStringLiteral("Group - 001 - On.txt"));
    QCOMPARE(QString::fromStdU16String(quillon::GroupLine(63, u"Off.txt")),
             QStringLiteral("Group - 064 - Off.txt"));
  }
};

QTEST_GUILESS_MAIN(RelativePathTest)
#include "app_relative_path_test.moc"
