// The quillon program's command line and start-up refusals, run as a child
// process with its own runtime folder (the single-instance lock lives there).
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

constexpr int kPatience = 30000;  // ms: the machine may be busy

struct Run {
  int exitCode = -1;
  QString out;
  QString err;
};

class CommandLineTest : public QObject {
  Q_OBJECT

 private:
  // Runs quillon in this test's working directory; `display` false runs it
  // with no window system at all.
  Run Quillon(const QStringList& arguments, bool display) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QUILLON_DEVICE"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime_.path());
    if (display) {
      environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
      environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    }
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PROJECT_BINARY_DIR "/bin/quillon"), arguments);
    if (!process.waitForFinished(kPatience)) {
      process.kill();
      process.waitForFinished();
      return {};
    }
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }

  QTemporaryDir runtime_;

 private slots:
  void HelpAndVersionNeedNoDisplay() {
    const Run help = Quillon({QStringLiteral("--help")}, false);
    QCOMPARE(help.exitCode, 0);
    for (const char* shown : {"--device", "--version", "[WORKSPACE]", "Exit codes"}) {
      QVERIFY2(help.out.contains(QLatin1String(shown)), shown);
    }
    const Run version = Quillon({QStringLiteral("--version")}, false);
    QCOMPARE(version.exitCode, 0);
    QVERIFY(version.out.startsWith(QStringLiteral("quillon ")));
  }

  void BadCommandLinesAreRefused() {
    const Run unknown = Quillon({QStringLiteral("--colour")}, true);
    QCOMPARE(unknown.exitCode, 2);
    QVERIFY(unknown.err.contains(QStringLiteral("colour")));
    QCOMPARE(Quillon({QStringLiteral("one"), QStringLiteral("two")}, true).exitCode, 2);
    const Run missing = Quillon({QStringLiteral("no-such-workspace")}, true);
    QCOMPARE(missing.exitCode, 1);
    QVERIFY(missing.err.contains(QStringLiteral("cannot open workspace no-such-workspace")));
  }

  void AnUnreachableSimulatorEndsTheStart() {
    const Run run = Quillon({QStringLiteral("--device"), QStringLiteral("sim:no-such.sock")}, true);
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.startsWith(QStringLiteral("quillon: ")));
  }

  void ASecondStartOpensNothing() {
    // The running first instance holds the lock; the second ends at once,
    // before it would fail on the unreachable simulator.
    QLockFile first(runtime_.filePath(QStringLiteral("Quendal Tool.lock")));
    QVERIFY(first.tryLock(0));
    const Run second = Quillon({QStringLiteral("--device"), QStringLiteral("sim:no-such.sock")}, true);
    QCOMPARE(second.exitCode, 0);
    QVERIFY(!second.err.contains(QStringLiteral("quillon: ")));
  }
};

}  // namespace

QTEST_GUILESS_MAIN(CommandLineTest)
#include "app_command_line_test.moc"
