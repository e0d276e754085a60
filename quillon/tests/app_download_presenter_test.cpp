// The download presenter against the in-process simulator: its signals for
// each state of a download, timer ticks given by hand, device changes.
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <future>
#include <map>

#include "device_test_support.h"
#include "quillon/app/download_presenter.h"

using quillon::DownloadPresenter;
using quillon::device::DeviceChange;
using quillon::device::testing::FixedPackage;
using quillon::device::testing::PatternBytes;
using quillon::device::testing::RecordingMessages;
using quillon::device::testing::SimulatorRig;
using Control = DownloadPresenter::Control;

namespace {

constexpr int kPatience = 15000;  // ms: the machine may be busy

constexpr Control kEveryControl[] = {Control::Download,   Control::FileList,      Control::AddFile,
                                     Control::DeleteFile, Control::SaveFile,      Control::SaveList,
                                     Control::InPlaceEditor, Control::SentenceList};

// The enabled state of each control as the presenter's signals leave it;
// controls never named count as enabled, as the window starts them.
class ControlStates {
 public:
  explicit ControlStates(DownloadPresenter& presenter) {
    QObject::connect(&presenter, &DownloadPresenter::controlsEnabledChanged,
                     [this](DownloadPresenter::Controls controls, bool enabled) {
                       for (Control control : kEveryControl) {
                         if (controls.testFlag(control)) enabled_[control] = enabled;
                       }
                     });
  }
  bool Enabled(Control control) const {
    const auto found = enabled_.find(control);
    return found == enabled_.end() || found->second;
  }

 private:
  std::map<Control, bool> enabled_;
};

// A simulator with a cold device, a RAM program in the test's folder and a
// presenter over it.
struct PresenterSetUp {
  PresenterSetUp() {
    quillon::device::testing::WriteFile("FSM/FSM.BIN", PatternBytes(3000, 3));
    package.image = PatternBytes(70000);
  }
  DownloadPresenter& Presenter() {
    presenter = std::make_unique<DownloadPresenter>(DownloadPresenter::Parts{
        *rig.backend, package, messages, std::filesystem::current_path(),
        [this](std::chrono::milliseconds duration) { waited += duration; }});
    controls = std::make_unique<ControlStates>(*presenter);
    return *presenter;
  }
  void Detach() {
    rig.Device([](quillon::devsim::SimulatedDevice& d) {
      d.Detach();
      return 0;
    });
  }
  // The simulator's device-change events, taken here instead of by the
  // presenter's notifier (no event loop runs).
  std::vector<DeviceChange> Events(std::size_t expected) {
    std::vector<DeviceChange> all;
    for (int i = 0; i < 200 && all.size() < expected; ++i) {
      for (DeviceChange event : rig.backend->Changes().TakeEvents()) all.push_back(event);
      if (all.size() < expected) QTest::qSleep(5);
    }
    return all;
  }

  SimulatorRig rig;
  FixedPackage package;
  RecordingMessages messages;
  std::chrono::milliseconds waited{0};
  std::unique_ptr<DownloadPresenter> presenter;
  std::unique_ptr<ControlStates> controls;
};

// What is left of the waits beside the polls for a re-attached device.
std::chrono::milliseconds EnableDelayIn(std::chrono::milliseconds waited) {
  return waited % quillon::device::kReattachPoll;
}

QString LastText(const QSignalSpy& spy) { return spy.isEmpty() ? QString() : spy.last().at(0).toString(); }

}  // namespace

class DownloadPresenterTest : public QObject {
  Q_OBJECT

 private slots:
  void StartLoadsAColdDeviceAndEnablesDownload() {
    PresenterSetUp set;
    DownloadPresenter& presenter = set.Presenter();
    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    QSignalSpy states(&presenter, &DownloadPresenter::deviceStateChanged);
    QVERIFY(presenter.Start());
    QCOMPARE(texts.first().at(0).toString(), QStringLiteral("Load FSM Successfully!\n"));
    QCOMPARE(LastText(texts), QStringLiteral("Device connected"));
    QCOMPARE(states.size(), 1);  // the nested scan after the load is part of one scan
    QCOMPARE(states.last().at(0).toBool(), true);
    QCOMPARE(states.last().at(1).toString(), QString());
    QVERIFY(set.controls->Enabled(Control::Download));
    QCOMPARE(EnableDelayIn(set.waited), DownloadPresenter::kEnableDelay);
    QCOMPARE(presenter.SavedDriveMask(), 1u << 3);
  }

  void DownloadDisablesEverythingThenShowsCompletionAndGivesEditingBack() {
    PresenterSetUp set;
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    QSignalSpy busy(&presenter, &DownloadPresenter::busyChanged);
    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    QSignalSpy progress(&presenter, &DownloadPresenter::progressChanged);
    QSignalSpy finished(&presenter, &DownloadPresenter::downloadFinished);

    presenter.OnDownload();
    QCOMPARE(set.package.settingsReads, 1);
    QVERIFY(presenter.ProgressTimerRunning());
    QCOMPARE(busy.size(), 1);
    QCOMPARE(busy.last().at(0).toBool(), true);
    for (Control control : kEveryControl) QVERIFY(!set.controls->Enabled(control));
    presenter.WaitForWorker();
    QVERIFY(presenter.State() == DownloadPresenter::DeviceState::Completed);
    QVERIFY(!presenter.DownloadRunning());

    presenter.OnProgressTimer();
    QVERIFY(!presenter.ProgressTimerRunning());
    QCOMPARE(LastText(texts), QStringLiteral("Download complete"));
    QCOMPARE(progress.last().at(0).toInt(), 100);
    QCOMPARE(busy.last().at(0).toBool(), false);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.last().at(0).toBool(), true);
    QVERIFY(presenter.State() == DownloadPresenter::DeviceState::Connected);
    for (Control control : {Control::Download, Control::FileList, Control::AddFile, Control::DeleteFile,
                            Control::SaveList, Control::SentenceList, Control::InPlaceEditor}) {
      QVERIFY2(set.controls->Enabled(control), "enabled after the download");
    }
    QVERIFY2(!set.controls->Enabled(Control::SaveFile), "nothing left to save after a download");
    QVERIFY(set.rig.Flash(0, set.package.image.size()) == set.package.image);
  }

  void FailedBuildShowsDownloadFailWithTheReasonAndLeavesTheBar() {
    PresenterSetUp set;
    set.package.prepareCode = 0x500D;
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    QSignalSpy progress(&presenter, &DownloadPresenter::progressChanged);
    QSignalSpy finished(&presenter, &DownloadPresenter::downloadFinished);
    presenter.OnDownload();
    // The builder's message box needs the event loop, and the real progress
    // timer acknowledges the outcome.
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, kPatience);
    QCOMPARE(set.messages.Messages().size(), std::size_t{1});
    QCOMPARE(finished.last().at(0).toBool(), false);
    QVERIFY2(finished.last().at(1).toString().contains(QStringLiteral("0x500D")),
             qPrintable(finished.last().at(1).toString()));
    QCOMPARE(LastText(texts), QStringLiteral("Download fail"));
    for (const QList<QVariant>& position : progress) QVERIFY(position.at(0).toInt() != 100);
    QVERIFY(set.controls->Enabled(Control::Download));
    QVERIFY(set.controls->Enabled(Control::InPlaceEditor));
  }

  void ProgressRunsUpTo100ThenStartsOverWhileTheWorkerRuns() {
    PresenterSetUp set;
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    set.package.onPrepare = [released] { released.wait(); };
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    QSignalSpy progress(&presenter, &DownloadPresenter::progressChanged);
    presenter.OnDownload();
    // The worker sets its status before it builds the package; wait for it.
    while (presenter.StatusText() != QStringLiteral("Downloading")) QThread::yieldCurrentThread();
    for (int tick = 0; tick < 103; ++tick) presenter.OnProgressTimer();
    release.set_value();

    QCOMPARE(progress.size(), 103);
    QCOMPARE(progress.at(0).at(0).toInt(), 0);
    QCOMPARE(progress.at(100).at(0).toInt(), 100);
    QCOMPARE(progress.at(101).at(0).toInt(), 0);
    QCOMPARE(progress.at(102).at(0).toInt(), 1);
    QCOMPARE(texts.size(), 1);
    QCOMPARE(LastText(texts), QStringLiteral("Downloading"));
    presenter.WaitForWorker();
    presenter.OnProgressTimer();
    QCOMPARE(LastText(texts), QStringLiteral("Download complete"));
  }

  void WithoutADeviceDownloadDoesNothingAndTheReasonIsGiven() {
    PresenterSetUp set;
    set.Detach();
    DownloadPresenter& presenter = set.Presenter();
    QSignalSpy states(&presenter, &DownloadPresenter::deviceStateChanged);
    QSignalSpy busy(&presenter, &DownloadPresenter::busyChanged);
    QVERIFY(presenter.Start());
    QCOMPARE(presenter.StatusText(), QStringLiteral("No device"));
    QCOMPARE(states.last().at(0).toBool(), false);
    QVERIFY(!states.last().at(1).toString().isEmpty());
    QVERIFY(!set.controls->Enabled(Control::Download));

    presenter.OnDownload();
    QVERIFY(!presenter.ProgressTimerRunning());
    QVERIFY(busy.isEmpty());
    QCOMPARE(set.package.settingsReads, 0);
    QVERIFY(set.controls->Enabled(Control::FileList));
  }

  void RemovalBeforeTheOutcomeIsAcknowledgedOnlySavesTheDriveMask() {
    PresenterSetUp set;
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    set.Events(2);  // the re-attach after the RAM program load
    presenter.OnDownload();
    presenter.WaitForWorker();
    QVERIFY(presenter.State() == DownloadPresenter::DeviceState::Completed);

    set.Detach();
    for (DeviceChange event : set.Events(1)) presenter.OnDeviceChange(event);
    QVERIFY(!presenter.SettleTimerRunning());
    QCOMPARE(presenter.SavedDriveMask(), 0u);
    QCOMPARE(presenter.PendingRemovals(), 0);

    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    presenter.OnProgressTimer();
    QCOMPARE(LastText(texts), QStringLiteral("Download complete"));
    QVERIFY(presenter.State() == DownloadPresenter::DeviceState::Connected);
  }

  void SettleTimerWaitsForTheDriveBitThenScans() {
    PresenterSetUp set;
    set.Detach();
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    QCOMPARE(presenter.DeviceCount(), 0);
    set.Events(1);

    set.rig.Device([](quillon::devsim::SimulatedDevice& d) {
      d.Attach();
      return 0;
    });
    // Two notifications for one drive, as udev may send for a disk and its node.
    for (DeviceChange event : set.Events(1)) presenter.OnDeviceChange(event);
    presenter.OnDeviceChange(DeviceChange::NodeAppeared);
    presenter.OnDeviceChange(DeviceChange::OtherChange);
    QVERIFY(presenter.SettleTimerRunning());
    QCOMPARE(presenter.PendingArrivals(), 2);
    QVERIFY(!set.controls->Enabled(Control::Download));

    presenter.OnSettleTimer();
    QCOMPARE(presenter.PendingArrivals(), 1);
    QCOMPARE(presenter.SavedDriveMask(), 1u << 3);
    presenter.OnSettleTimer();
    QCOMPARE(presenter.PendingArrivals(), 0);
    QCOMPARE(presenter.DeviceCount(), 0);
    QVERIFY(presenter.SettleTimerRunning());

    QSignalSpy texts(&presenter, &DownloadPresenter::informationTextChanged);
    QSignalSpy progress(&presenter, &DownloadPresenter::progressChanged);
    set.waited = {};
    presenter.OnSettleTimer();
    QCOMPARE(presenter.DeviceCount(), 1);
    QVERIFY(!presenter.SettleTimerRunning());
    QCOMPARE(EnableDelayIn(set.waited), DownloadPresenter::kEnableDelay);
    QVERIFY(set.controls->Enabled(Control::Download));
    QCOMPARE(LastText(texts), QStringLiteral("Device connected"));
    QCOMPARE(progress.last().at(0).toInt(), 0);
  }

  void UnplugReachesThePresenterThroughItsNotifier() {
    PresenterSetUp set;
    DownloadPresenter& presenter = set.Presenter();
    QVERIFY(presenter.Start());
    QTRY_VERIFY_WITH_TIMEOUT(set.controls->Enabled(Control::Download), kPatience);
    set.Detach();
    QTRY_VERIFY_WITH_TIMEOUT(!set.controls->Enabled(Control::Download), kPatience);
    // The rescan finds nothing and says so.
    QSignalSpy states(&presenter, &DownloadPresenter::deviceStateChanged);
    presenter.Rescan();
    QCOMPARE(states.size(), 1);
    QCOMPARE(states.last().at(0).toBool(), false);
    QCOMPARE(presenter.StatusText(), QStringLiteral("No device"));
    QCOMPARE(presenter.PendingArrivals() + presenter.PendingRemovals(), 0);
  }
};

QTEST_GUILESS_MAIN(DownloadPresenterTest)
#include "app_download_presenter_test.moc"
