// Save List reports what kept the list from being written.
#include <QtTest>
#include <filesystem>

#include "quillon/app/file_list_save.h"
#include "quillon/config/asr_settings.h"

namespace {

quillon::AsrSettings OneFile() {
  quillon::AsrSettings settings;
  settings.count = 1;
  settings.files[0] = {0, quillon::WidePath(u"\\cmd\\On.txt")};
  return settings;
}

}  // namespace

class FileListSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void WritesTheListTheRecipeNames() {
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "Recipe");
    std::filesystem::create_directories(root / "Setting" / "ASR");
    QVERIFY(!quillon::SaveFileList(*quillon::WorkingDirectory::FromPath(root), OneFile()));
    quillon::AsrSettings readBack;
    quillon::ReadAsrSettings(root / "Setting" / "ASR" / "DefaultASR.ini", readBack);
    QCOMPARE(readBack.count, 1);
  }

  void AFailureNamesTheFileAndTheReason() {
    // It used to go unnoticed: the list was lost when the window closed.
    QTemporaryDir dir;
    const std::filesystem::path root = dir.path().toStdString();
    std::filesystem::create_directories(root / "Recipe");  // no Setting folder
    const std::optional<quillon::UserMessage> failure =
        quillon::SaveFileList(*quillon::WorkingDirectory::FromPath(root), OneFile());
    QVERIFY(failure);
    QCOMPARE(QString::fromStdU16String(failure->text),
             "Can't save the specified file!\r\nPath => " +
                 QString::fromStdString((root / "Setting" / "ASR" / "DefaultASR.ini").string()) +
                 "\r\nReason => No such file or directory");

    // Configure.ini cannot be completed without the Recipe folder.
    std::filesystem::remove_all(root / "Recipe");
    std::filesystem::remove(root / "Configure.ini");
    const std::optional<quillon::UserMessage> noRecipe =
        quillon::SaveFileList(*quillon::WorkingDirectory::FromPath(root), OneFile());
    QVERIFY(noRecipe);
    QVERIFY(noRecipe->text.find(u"Recipe") != std::u16string::npos);
  }
};

QTEST_GUILESS_MAIN(FileListSaveTest)
#include "app_file_list_save_test.moc"
