// The command file list: adding, deleting, the 64-file limit and Save List.
#include <fstream>

#include "app_window_fixture.h"
#include "quillon/config/asr_settings.h"

using quillon::testing::Sentences;
using quillon::testing::WindowUnderTest;

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

QStringList Lines(const QComboBox& box) {
  QStringList lines;
  for (int i = 0; i < box.count(); ++i) lines << box.itemText(i);
  return lines;
}

// Adds the named files through the dialog, each holding one sentence.
void AddFiles(WindowUnderTest& test, const std::vector<std::string>& names) {
  for (const std::string& name : names) {
    test.files.answers.push_back(
        Path(test.AddCommandFile(name, Sentences({{1, u"On"}}, {1}))));
    test.Click("addFile");
  }
}

}  // namespace

class FileListTest : public QObject {
  Q_OBJECT

 private slots:
  void AddedFilesAreNumberedFromOne() {
    WindowUnderTest test;
    test.Start();
    AddFiles(test, {"On.txt", "Off.txt"});
    QCOMPARE(Lines(*test.FileList()),
             (QStringList{"Group - 001 - On.txt", "Group - 002 - Off.txt"}));
    QCOMPARE(test.FileList()->currentIndex(), 1);
    QVERIFY(test.Button("addFile")->hasFocus() || !test.window->isActiveWindow());
  }

  void AFileTheReaderRefusesIsNotAdded() {
    WindowUnderTest test;
    test.Start();
    test.files.answers.push_back(Path(test.root / "cmd" / "missing.txt"));
    test.Click("addFile");
    QCOMPARE(test.FileList()->count(), 0);
    QCOMPARE(test.messages.messages.size(), std::size_t{1});
    QVERIFY(test.Button("addFile")->isEnabled());
  }

  void CancellingTheDialogAddsNothing() {
    WindowUnderTest test;
    test.Start();
    test.Click("addFile");
    QCOMPARE(test.files.asked, 1);
    QCOMPARE(test.FileList()->count(), 0);
  }

  void DeletingTheMiddleFileMovesTheLastUp() {
    WindowUnderTest test;
    test.Start();
    AddFiles(test, {"A.txt", "B.txt", "C.txt"});
    test.FileList()->setCurrentIndex(1);
    test.Click("deleteFile");
    QCOMPARE(Lines(*test.FileList()), (QStringList{"Group - 001 - A.txt", "Group - 002 - C.txt"}));
    QCOMPARE(test.FileList()->currentIndex(), 1);
    QCOMPARE(test.commandFiles.loaded.back(), test.root / "cmd" / "C.txt");
  }

  void DeletingTheOnlyFileEmptiesTheSentences() {
    WindowUnderTest test;
    test.Start();
    AddFiles(test, {"A.txt"});
    test.Click("deleteFile");
    QCOMPARE(test.FileList()->count(), 0);
    QCOMPARE(test.Find<QTableWidget>("sentenceTable")->rowCount(), 0);
    QVERIFY(!test.Button("saveFile")->isEnabled());
  }

  void SixtyFourFilesRefuseAnotherWithoutADialog() {
    WindowUnderTest test;
    test.Start();
    std::vector<std::string> names;
    for (int i = 0; i < 64; ++i) names.push_back("F" + std::to_string(i) + ".txt");
    AddFiles(test, names);
    QCOMPARE(test.FileList()->count(), 64);
    QCOMPARE(test.FileList()->itemText(63), QStringLiteral("Group - 064 - F63.txt"));
    const int asked = test.files.asked;
    test.messages.messages.clear();

    test.Click("addFile");
    QCOMPARE(test.files.asked, asked);
    QCOMPARE(test.messages.messages.size(), std::size_t{1});
    const quillon::UserMessage& limit = test.messages.messages.front();
    QCOMPARE(QString::fromStdU16String(limit.text),
             QStringLiteral("The number of ASR files exceeds the upper limit!\r\nMaximal Number: 64\r\n"));
    QCOMPARE(QString::fromStdU16String(limit.caption), QStringLiteral("Error"));
    QVERIFY(limit.icon == quillon::MessageIcon::Stop);
  }

  void SaveListStoresRelativePathsAndRestartsWithThem() {
    WindowUnderTest test;
    test.Start();
    AddFiles(test, {"A.txt", "B.txt"});
    test.Click("saveList");

    quillon::AsrSettings saved;
    quillon::ReadAsrSettings(test.root / "Setting" / "ASR" / "DefaultASR.ini", saved);
    QCOMPARE(saved.count, 2);
    QVERIFY(saved.files[0].PathName == std::u16string_view(u"\\cmd\\A.txt"));
    QCOMPARE(saved.files[1].GroupID, 1);

    // A new start shows the list and loads its last file.
    test.window.reset();
    test.commandFiles.loaded.clear();
    test.Start();
    QCOMPARE(test.FileList()->count(), 2);
    QCOMPARE(test.FileList()->currentIndex(), 1);
    QCOMPARE(test.commandFiles.loaded, (std::vector{test.root / "cmd" / "B.txt"}));
  }
};

QTEST_MAIN(FileListTest)
#include "app_file_list_test.moc"
