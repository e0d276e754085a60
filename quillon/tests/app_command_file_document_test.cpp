// The edited command file: rows as the reader keeps them, undoable edits,
// added and deleted sentences, and Save File with the visible list.
#include <QSignalSpy>
#include <QtTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/code_page.h"
#include "app_window_fixture.h"
#include "quillon/app/command_file_document.h"
#include "quillon/config/private_profile.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/recognition/command_file_loader.h"

namespace {

using quillon::CommandFileDocument;

const platform::SystemLocale kEnglish = platform::SystemLocaleFromName("en_US");

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// A workspace folder "cmd" with one command file and its config.ini.
class CommandFolder {
 public:
  CommandFolder(std::string_view fileBytes, std::u16string_view visible) {
    std::filesystem::create_directories(folder());
    WriteBytes(file(), fileBytes);
    quillon::WriteProfileString(folder() / "config.ini", u"Lights.txt", u"visible", visible);
  }
  std::filesystem::path folder() const { return std::filesystem::path(dir_.path().toStdString()) / "cmd"; }
  std::filesystem::path file() const { return folder() / "Lights.txt"; }

  // The file as the window reads it.
  std::unique_ptr<CommandFileDocument> Open() {
    const quillon::CommandFileLoad load = quillon::LoadCommandFile(file(), converter_, platform::kLangEnglishUs);
    if (!load.ok()) return nullptr;
    return std::make_unique<CommandFileDocument>(file(), load.content);
  }

 private:
  QTemporaryDir dir_;
  quillon::testing::FakeSentenceConverter converter_;
};

std::vector<std::int32_t> IdsOf(const CommandFileDocument& document) {
  std::vector<std::int32_t> ids;
  for (const quillon::SentenceRow& row : document.rows()) ids.push_back(row.id);
  return ids;
}

}  // namespace

class CommandFileDocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void RepeatedIdsKeepEveryLineAndTheEdit() {
    // Saving by ID used to keep one text per ID: "Lights" and "Lamp" were lost.
    CommandFolder folder("0x1 Lights\r\n0x1 Music\r\n0x2 Stop\r\n", u"1,2");
    auto document = folder.Open();
    QVERIFY(document);
    QCOMPARE(document->rows().size(), std::size_t{3});
    QCOMPARE(document->VisibleRows(), (std::vector<std::size_t>{0, 1, 2}));
    QVERIFY(document->SetText(0, u"Lamp"));
    QVERIFY(!document->Save(kEnglish));
    QCOMPARE(ReadBytes(folder.file()), std::string("0x1 Lamp\r\n0x1 Music\r\n0x2 Stop\r\n"));
  }

  void HiddenSentencesAreSavedInIdOrder() {
    CommandFolder folder("26 Fan\r\n10 Lights\r\n5 Hidden\r\n", u"10,26");
    auto document = folder.Open();
    QCOMPARE(document->VisibleRows(), (std::vector<std::size_t>{0, 1}));
    QVERIFY(document->SetText(1, u"  Lights-off "));
    QCOMPARE(document->rows()[1].text, std::u16string(u"Lights-off"));
    QVERIFY(!document->SetText(1, u"Lights-off"));  // the same text is no edit
    QVERIFY(!document->Save(kEnglish));
    QCOMPARE(ReadBytes(folder.file()), std::string("0x5 Hidden\r\n0xA Lights-off\r\n0x1A Fan\r\n"));
  }

  void UndoRedoAndTheModifiedFlag() {
    CommandFolder folder("1 Fan\r\n2 Stop\r\n", u"1,2");
    auto document = folder.Open();
    QSignalSpy modified(document.get(), &CommandFileDocument::modifiedChanged);
    QVERIFY(!document->isModified());

    QVERIFY(document->SetText(0, u"Lamp"));
    document->DeleteSentence(1);
    document->AddSentence(u"Music");
    QVERIFY(document->isModified());
    QCOMPARE(modified.count(), 1);

    document->undoStack().undo();  // the added row
    document->undoStack().undo();  // the deleted row comes back in its place
    QCOMPARE(IdsOf(*document), (std::vector<std::int32_t>{1, 2}));
    QCOMPARE(document->rows()[1].text, std::u16string(u"Stop"));
    document->undoStack().undo();
    QCOMPARE(document->rows()[0].text, std::u16string(u"Fan"));
    QVERIFY(!document->isModified());
    QCOMPARE(modified.takeLast().at(0).toBool(), false);

    document->undoStack().redo();
    QVERIFY(document->isModified());
    QVERIFY(!document->Save(kEnglish));
    QVERIFY(!document->isModified());
    QCOMPARE(modified.takeLast().at(0).toBool(), false);
  }

  void AddDeleteAndSaveRoundTripThroughConfigIni() {
    CommandFolder folder("26 Fan\r\n10 Lights\r\n5 Hidden\r\n", u"10,26,300");
    auto document = folder.Open();
    QCOMPARE(document->NextFreeId(), std::optional<std::int32_t>(27));
    const std::optional<std::size_t> added = document->AddSentence(u"Music");
    QCOMPARE(added, std::optional<std::size_t>(3));
    document->DeleteSentence(1);  // Lights
    QVERIFY(!document->Save(kEnglish));

    QCOMPARE(ReadBytes(folder.file()), std::string("0x5 Hidden\r\n0x1A Fan\r\n0x1B Music\r\n"));
    // 300 was never a sentence of the file: it stays as config.ini had it.
    QCOMPARE(quillon::ReadVisibleIds(folder.file()), (quillon::VisibleIdSet{26, 27, 300}));
    auto reread = folder.Open();
    using Row = quillon::SentenceRow;
    QCOMPARE(reread->rows(), (std::vector<Row>{{5, u"Hidden", false}, {26, u"Fan", true}, {27, u"Music", true}}));

    // A changed ID moves the row's place in the visible list with it.
    QCOMPARE(reread->SetId(2, u"0x20"), std::optional<std::u16string>());
    QVERIFY(!reread->Save(kEnglish));
    QCOMPARE(quillon::ReadVisibleIds(folder.file()), (quillon::VisibleIdSet{26, 32, 300}));
  }

  void EditsThatKeepConfigIniLeaveItUntouched() {
    CommandFolder folder("1 Fan\r\n", u"1");
    const std::string before = ReadBytes(folder.folder() / "config.ini");
    auto document = folder.Open();
    document->SetText(0, u"Lamp");
    QVERIFY(!document->Save(kEnglish));
    QCOMPARE(ReadBytes(folder.folder() / "config.ini"), before);
  }

  void IdsFollowTheSentenceIdRules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("id");
    QTest::newRow("hexadecimal") << "0x1F" << true << 31;
    QTest::newRow("decimal with blanks") << " 65534 " << true << 65534;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("blank fill value") << "0xFFFF" << false << 0;
    QTest::newRow("beyond 16 bits") << "65536" << false << 0;
    QTest::newRow("signed") << "-1" << false << 0;
    QTest::newRow("not a number") << "0xZZ" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("used by another row") << "2" << false << 0;
  }
  void IdsFollowTheSentenceIdRules() {
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    QFETCH(int, id);
    CommandFolder folder("1 Fan\r\n2 Stop\r\n", u"1,2");
    auto document = folder.Open();
    const std::optional<std::u16string> problem = document->SetId(0, text.toStdU16String());
    QCOMPARE(!problem.has_value(), accepted);
    if (accepted) QCOMPARE(document->rows()[0].id, id);
    else QCOMPARE(document->rows()[0].id, 1);
    QCOMPARE(document->isModified(), accepted && id != 1);
  }

  void NextFreeIdFillsAGapAtTheTop() {
    CommandFolder folder("0 A\r\n1 B\r\n65534 C\r\n", u"0");
    auto document = folder.Open();
    QCOMPARE(document->NextFreeId(), std::optional<std::int32_t>(2));
    while (document->rows().size() < 2000) QVERIFY(document->AddSentence(u"X"));
    QCOMPARE(document->AddSentence(u"X"), std::optional<std::size_t>());
  }

  void WhatTheReaderCannotReadBackIsNotSaved() {
    CommandFolder folder("1 Fan\r\n2 Stop\r\n", u"1,2");
    const std::string before = ReadBytes(folder.file());
    auto document = folder.Open();
    document->AddSentence();  // no text yet: "0x3" would take the next line's ID
    std::optional<quillon::UserMessage> refused = document->Save(kEnglish);
    QVERIFY(refused);
    QVERIFY(refused->text.find(u"ID 3 has no text") != std::u16string::npos);

    document->undoStack().undo();
    document->DeleteSentence(1);
    document->DeleteSentence(0);  // a file without sentences cannot be read
    QVERIFY(document->Save(kEnglish));
    QCOMPARE(ReadBytes(folder.file()), before);
    QVERIFY(document->isModified());
  }

  void FailedSavesNameTheFileAndTheReason() {
    CommandFolder folder("1 Fan\r\n", u"1");
    auto document = folder.Open();
    document->SetText(0, u"Lamp");
    std::filesystem::remove_all(folder.folder());
    std::optional<quillon::UserMessage> failure = document->Save(kEnglish);
    QVERIFY(failure);
    QCOMPARE(QString::fromStdU16String(failure->text),
             "Can't save the specified file!\r\nPath => " + QString::fromStdString(folder.file().string()) +
                 "\r\nReason => No such file or directory");
    QVERIFY(document->isModified());

    // The command file written, config.ini not: still a failure, named so.
    std::filesystem::create_directories(folder.folder() / "config.ini");
    document->AddSentence(u"Music");
    failure = document->Save(kEnglish);
    QVERIFY(failure);
    QVERIFY(failure->text.find(u"config.ini") != std::u16string::npos);
    QCOMPARE(ReadBytes(folder.file()), std::string("0x1 Lamp\r\n0x2 Music\r\n"));
    QVERIFY(document->isModified());
  }

  void UnsavedEditsAreSavedDiscardedOrKept_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("goOn");
    QTest::addColumn<QString>("fileAfter");
    QTest::newRow("save") << int(quillon::UnsavedChoice::Save) << true << "0x1 Lamp\r\n";
    QTest::newRow("discard") << int(quillon::UnsavedChoice::Discard) << true << "1 Fan\r\n";
    QTest::newRow("cancel") << int(quillon::UnsavedChoice::Cancel) << false << "1 Fan\r\n";
  }
  void UnsavedEditsAreSavedDiscardedOrKept() {
    QFETCH(int, answer);
    QFETCH(bool, goOn);
    QFETCH(QString, fileAfter);
    CommandFolder folder("1 Fan\r\n", u"1");
    auto document = folder.Open();
    quillon::testing::ScriptedUnsavedPrompt prompt;
    prompt.answer = static_cast<quillon::UnsavedChoice>(answer);
    quillon::RecordingMessageSink messages;
    QVERIFY(quillon::SettleUnsavedChanges(document.get(), prompt, messages, kEnglish, nullptr));
    QVERIFY(prompt.asked.isEmpty());  // nothing to ask about yet

    document->SetText(0, u"Lamp");
    QCOMPARE(quillon::SettleUnsavedChanges(document.get(), prompt, messages, kEnglish, nullptr), goOn);
    QCOMPARE(prompt.asked, QStringList{"Lights.txt"});
    QCOMPARE(QString::fromStdString(ReadBytes(folder.file())), fileAfter);
    QVERIFY(messages.messages.empty());
  }

  void AFailedSaveAtTheQuestionKeepsTheEdits() {
    CommandFolder folder("1 Fan\r\n", u"1");
    auto document = folder.Open();
    document->SetText(0, u"Lamp");
    std::filesystem::remove_all(folder.folder());
    quillon::testing::ScriptedUnsavedPrompt prompt;
    prompt.answer = quillon::UnsavedChoice::Save;
    quillon::RecordingMessageSink messages;
    QVERIFY(!quillon::SettleUnsavedChanges(document.get(), prompt, messages, kEnglish, nullptr));
    QCOMPARE(messages.messages.size(), std::size_t{1});
    QVERIFY(document->isModified());
  }
};

QTEST_GUILESS_MAIN(CommandFileDocumentTest)
#include "app_command_file_document_test.moc"
