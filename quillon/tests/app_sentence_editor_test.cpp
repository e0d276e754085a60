// The sentence list's in-place editor and Save File; editing in the window:
// texts and IDs, nothing lost on save, failures said, the unsaved marker and
// question, undo and redo, adding and deleting sentences, the pronunciation
// column, the reader's warnings and files dropped on the list.
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <fstream>
#include <sstream>

#include "app_window_fixture.h"
#include "platform/code_page.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/app/sentence_table.h"

using quillon::testing::Sentences;
using quillon::testing::WindowUnderTest;

namespace {

QString Path(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

quillon::SentenceTable* List(const WindowUnderTest& test) {
  return test.Find<quillon::SentenceTable>("sentenceTable");
}

QLineEdit* Editor(const WindowUnderTest& test) { return test.Find<QLineEdit>("inPlaceEditor"); }

void DoubleClickCell(const WindowUnderTest& test, int row, int column) {
  auto* list = List(test);
  const QRect cell = list->visualItemRect(list->item(row, column));
  // A double click follows a first press on the same cell.
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cell.center());
}

// Types `text` over the cell's text and presses Enter.
void EditCell(const WindowUnderTest& test, int row, const QString& text,
              int column = quillon::SentenceTable::kWordColumn) {
  DoubleClickCell(test, row, column);
  QLineEdit* editor = Editor(test);
  QVERIFY(editor->isVisible());
  editor->selectAll();
  QTest::keyClicks(editor, text);
  QTest::keyClick(editor, Qt::Key_Return);
}

// A window showing a file of three sentences, ID 5 hidden by config.ini.
std::filesystem::path ShowLightsFile(WindowUnderTest& test) {
  test.Start();
  const auto path = test.AddCommandFile(
      "Lights.txt", Sentences({{26, u"Fan"}, {10, u"Lights"}, {5, u"Hidden"}}, {10, 26}));
  test.files.answers.push_back(Path(path));
  test.Click("addFile");
  return path;
}

quillon::LoadedCommandFile English(std::vector<quillon::testing::ShownSentence> sentences,
                                   quillon::VisibleIdSet visible) {
  quillon::LoadedCommandFile content = Sentences(sentences, std::move(visible));
  content.language = quillon::TextLanguage::English;
  return content;
}

// Adds a file through Add File; its path.
std::filesystem::path Add(WindowUnderTest& test, const std::string& name, quillon::LoadedCommandFile content) {
  const auto path = test.AddCommandFile(name, std::move(content));
  test.files.answers.push_back(Path(path));
  test.Click("addFile");
  return path;
}

bool Marked(const WindowUnderTest& test) { return test.FileList()->currentText().endsWith(" *"); }

}  // namespace

class SentenceEditorTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsOnlyVisibleSentencesInFileOrder() {
    WindowUnderTest test;
    ShowLightsFile(test);
    QCOMPARE(List(test)->rowCount(), 2);
    QCOMPARE(List(test)->CellText(0, 0), QStringLiteral(" 26"));
    QCOMPARE(List(test)->CellText(1, 1), QStringLiteral("Lights"));
  }

  void DoubleClickOnThePronunciationOpensNothing() {
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 0, quillon::SentenceTable::kPronunciationColumn);
    QVERIFY(!Editor(test)->isVisible());
  }

  void IdEditorOpensOverTheIdWithoutItsPadding() {
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 0, quillon::SentenceTable::kIdColumn);
    QVERIFY(Editor(test)->isVisible());
    QCOMPARE(Editor(test)->text(), QStringLiteral("26"));
    auto* list = List(test);
    QCOMPARE(Editor(test)->geometry(), list->visualItemRect(list->item(0, quillon::SentenceTable::kIdColumn)));
  }

  void AnEditedIdIsShownSavedAndUndone() {
    WindowUnderTest test;
    const auto path = ShowLightsFile(test);
    EditCell(test, 0, "0x1F", quillon::SentenceTable::kIdColumn);
    QVERIFY(test.messages.messages.empty());
    QCOMPARE(List(test)->CellText(0, 0), QStringLiteral(" 31"));
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Fan"));
    QVERIFY(Marked(test));

    test.Click("saveFile");
    QCOMPARE(ReadBytes(path), std::string("0x5 Hidden\r\n0xA Lights\r\n0x1F Fan\r\n"));
    QCOMPARE(quillon::ReadVisibleIds(path), (quillon::VisibleIdSet{10, 31}));
    test.Action("undoAction")->trigger();
    QCOMPARE(List(test)->CellText(0, 0), QStringLiteral(" 26"));
    QVERIFY(test.window->isWindowModified());  // the file holds 31 now
  }

  void AnAddedSentencesIdCanBeChanged() {
    WindowUnderTest test;
    const auto path = ShowLightsFile(test);
    test.Click("addSentence");
    QTest::keyClicks(Editor(test), "Music");
    QTest::keyClick(Editor(test), Qt::Key_Return);
    QCOMPARE(List(test)->CellText(2, 0), QStringLiteral(" 27"));  // after the highest, 26
    EditCell(test, 2, "40", quillon::SentenceTable::kIdColumn);
    QCOMPARE(List(test)->CellText(2, 0), QStringLiteral(" 40"));
    test.Click("saveFile");
    QCOMPARE(ReadBytes(path), std::string("0x5 Hidden\r\n0xA Lights\r\n0x1A Fan\r\n0x28 Music\r\n"));
    QCOMPARE(quillon::ReadVisibleIds(path), (quillon::VisibleIdSet{10, 26, 40}));
  }

  void RefusedIdsAreSaidAndChangeNothing_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("reason");
    QTest::newRow("a hidden sentence's") << "5"
                                         << "the ID 5 is used by the sentence \"Hidden\", which config.ini does not show";
    QTest::newRow("a shown sentence's") << "0xA" << "the ID 10 is used by the sentence \"Lights\".";
    QTest::newRow("the blank fill value") << "0xFFFF" << "does not fit the device";
    QTest::newRow("not a number") << "twelve" << "is not a number";
    QTest::newRow("nothing") << "" << "is not a number";
  }
  void RefusedIdsAreSaidAndChangeNothing() {
    QFETCH(QString, typed);
    QFETCH(QString, reason);
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 0, quillon::SentenceTable::kIdColumn);
    Editor(test)->clear();
    QTest::keyClicks(Editor(test), typed);
    QTest::keyClick(Editor(test), Qt::Key_Return);
    QCOMPARE(test.messages.messages.size(), std::size_t{1});
    const QString message = QString::fromStdU16String(test.messages.messages[0].text);
    QVERIFY2(message.startsWith("The ID of the sentence \"Fan\" stays 26:"), qPrintable(message));
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(List(test)->CellText(0, 0), QStringLiteral(" 26"));
    QVERIFY(!test.window->isWindowModified());
    QVERIFY(!test.Action("undoAction")->isEnabled());
  }

  void EditorOpensOverTheCellWithItsText() {
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 1, quillon::SentenceTable::kWordColumn);
    QLineEdit* editor = Editor(test);
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->text(), QStringLiteral("Lights"));
    QCOMPARE(editor->cursorPosition(), 6);
    QVERIFY(!editor->hasSelectedText());
    auto* list = List(test);
    const QRect cell = list->visualItemRect(list->item(1, 1));
    QCOMPARE(editor->parentWidget(), list->viewport());
    QCOMPARE(editor->geometry(), cell);
  }

  void EscapeWhileEditingKeepsTheWindowAndTheEdit() {
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 1, quillon::SentenceTable::kWordColumn);
    QTest::keyClick(Editor(test), Qt::Key_Escape);
    QVERIFY(test.window->isVisible());
    QVERIFY(Editor(test)->isVisible());
  }

  void SameTextLeavesSaveFileDisabled() {
    WindowUnderTest test;
    ShowLightsFile(test);
    EditCell(test, 1, QStringLiteral("Lights"));
    QVERIFY(!Editor(test)->isVisible());
    QVERIFY(!test.Button("saveFile")->isEnabled());
  }

  void SaveFileWritesEverySentenceInIdOrder() {
    WindowUnderTest test;
    const auto path = ShowLightsFile(test);
    EditCell(test, 1, QStringLiteral("Lights off"));
    QCOMPARE(List(test)->CellText(1, 1), QStringLiteral("Lights off"));
    QVERIFY(test.Button("saveFile")->isEnabled());

    test.Click("saveFile");
    QCOMPARE(ReadBytes(path), std::string("0x5 Hidden\r\n0xA Lights off\r\n0x1A Fan\r\n"));
    QVERIFY(!test.Button("saveFile")->isEnabled());
  }

  void CtrlSWhileTypingTheFirstEditSavesIt() {
    // Save File (and so Ctrl+S) stayed disabled until the first edit was
    // committed, so Ctrl+S while typing it did nothing.
    WindowUnderTest test;
    const auto path = ShowLightsFile(test);
    DoubleClickCell(test, 1, quillon::SentenceTable::kWordColumn);
    Editor(test)->selectAll();
    QTest::keyClicks(Editor(test), "Lamp");
    test.Action("saveFileAction")->trigger();
    QCOMPARE(ReadBytes(path), std::string("0x5 Hidden\r\n0xA Lamp\r\n0x1A Fan\r\n"));
    QVERIFY(!test.window->isWindowModified());
    QVERIFY(!test.Button("saveFile")->isEnabled());
  }

  void SaveFileKeepsAUtf8FileUtf8() {
    WindowUnderTest test;
    test.Start();
    quillon::LoadedCommandFile content = Sentences({{1, u"\u958B\u71C8"}}, {1});  // open the light
    content.encoding = quillon::FileEncoding::Utf8;
    const auto path = test.AddCommandFile("Utf8.txt", std::move(content));
    test.files.answers.push_back(Path(path));
    test.Click("addFile");
    EditCell(test, 0, QStringLiteral("Lights"));
    test.Click("saveFile");
    QCOMPARE(ReadBytes(path), std::string("\xEF\xBB\xBF" "0x1 Lights\r\n"));
  }

  void FailedLoadOfAnotherFileDisablesSaveFile() {
    WindowUnderTest test;
    const auto lights = ShowLightsFile(test);
    test.files.answers.push_back(
        Path(test.AddCommandFile("Fan.txt", Sentences({{1, u"Fan"}}, {1}))));
    test.Click("addFile");
    QTest::keyClick(test.FileList(), Qt::Key_Up);  // shows Lights again
    QCOMPARE(test.FileList()->currentIndex(), 0);
    EditCell(test, 1, QStringLiteral("Lights off"));
    QVERIFY(test.Button("saveFile")->isEnabled());

    // Fan.txt can no longer be read; selecting it keeps Lights in view.
    test.commandFiles.files.erase(test.root / "cmd" / "Fan.txt");
    const std::string fanBefore = ReadBytes(test.root / "cmd" / "Fan.txt");
    QTest::keyClick(test.FileList(), Qt::Key_Down);
    QCOMPARE(test.FileList()->currentIndex(), 1);
    QCOMPARE(List(test)->CellText(1, 1), QStringLiteral("Lights off"));
    QVERIFY(!test.Button("saveFile")->isEnabled());
    test.Click("saveFile");
    QCOMPARE(ReadBytes(test.root / "cmd" / "Fan.txt"), fanBefore);
    QVERIFY(ReadBytes(lights).find("Lights off") == std::string::npos);
  }

  void RepeatedIdsAreAllSaved() {
    // The window wrote one line per ID: "Lights" and its edit "Lamp" were lost.
    WindowUnderTest test;
    test.Start();
    const auto path = Add(test, "Lights.txt", English({{1, u"Lights"}, {1, u"Music"}, {2, u"Stop"}}, {1, 2}));
    QCOMPARE(List(test)->rowCount(), 3);
    EditCell(test, 0, "Lamp");
    test.Click("saveFile");
    QCOMPARE(ReadBytes(path), std::string("0x1 Lamp\r\n0x1 Music\r\n0x2 Stop\r\n"));
  }

  void AFailedSaveIsSaidAndSaveFileStaysEnabled() {
    WindowUnderTest test;
    test.Start();
    const auto path = Add(test, "Lights.txt", English({{1, u"Fan"}}, {1}));
    EditCell(test, 0, "Lamp");
    std::filesystem::remove_all(test.root / "cmd");
    test.Click("saveFile");
    QCOMPARE(test.messages.messages.size(), std::size_t{1});
    const QString text = QString::fromStdU16String(test.messages.messages[0].text);
    QVERIFY(text.contains(Path(path)));
    QVERIFY(text.contains("No such file or directory"));
    QVERIFY(test.Button("saveFile")->isEnabled());
    QVERIFY(test.window->isWindowModified());
  }

  void AFailedSaveListIsSaid() {
    WindowUnderTest test;
    test.Start();
    Add(test, "Lights.txt", English({{1, u"Fan"}}, {1}));
    std::filesystem::remove_all(test.root / "Setting");
    test.Click("saveList");
    QCOMPARE(test.messages.messages.size(), std::size_t{1});
    QVERIFY(test.messages.messages[0].text.find(u"DefaultASR.ini") != std::u16string::npos);
    QVERIFY(test.Button("saveList")->isEnabled());
  }

  void MarkerUndoAndRedo() {
    WindowUnderTest test;
    test.Start();
    Add(test, "Lights.txt", English({{1, u"Fan"}}, {1}));
    QVERIFY(!test.window->isWindowModified());
    EditCell(test, 0, "Lamp");
    QVERIFY(test.window->isWindowModified());
    QVERIFY(Marked(test));

    test.Action("undoAction")->trigger();
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Fan"));
    QVERIFY(!test.window->isWindowModified());
    QVERIFY(!Marked(test));
    QVERIFY(!test.Button("saveFile")->isEnabled());
    test.Action("redoAction")->trigger();
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Lamp"));
    QVERIFY(test.Button("saveFile")->isEnabled());
  }

  void SwitchingFilesAsksFirst_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<std::string>("lightsFile");
    QTest::newRow("save") << int(quillon::UnsavedChoice::Save) << "Stop" << std::string("0x1 Lamp\r\n");
    QTest::newRow("discard") << int(quillon::UnsavedChoice::Discard) << "Stop" << std::string("0x1 placeholder\n");
    QTest::newRow("cancel") << int(quillon::UnsavedChoice::Cancel) << "Lamp" << std::string("0x1 placeholder\n");
  }
  void SwitchingFilesAsksFirst() {
    QFETCH(int, answer);
    QFETCH(QString, shown);
    QFETCH(std::string, lightsFile);
    WindowUnderTest test;
    test.Start();
    const auto lights = Add(test, "Lights.txt", English({{1, u"Fan"}}, {1}));
    Add(test, "Stop.txt", English({{1, u"Stop"}}, {1}));
    QTest::keyClick(test.FileList(), Qt::Key_Up);  // Lights again, nothing to ask
    QVERIFY(test.unsavedPrompt.asked.isEmpty());
    EditCell(test, 0, "Lamp");

    test.unsavedPrompt.answer = static_cast<quillon::UnsavedChoice>(answer);
    QTest::keyClick(test.FileList(), Qt::Key_Down);
    QCOMPARE(test.unsavedPrompt.asked, QStringList{"Lights.txt"});
    QCOMPARE(List(test)->CellText(0, 1), shown);
    QCOMPARE(test.FileList()->currentIndex(), shown == "Lamp" ? 0 : 1);
    QCOMPARE(ReadBytes(lights), lightsFile);
  }

  void AddingDeletingAndClosingAskFirst() {
    WindowUnderTest test;
    test.Start();
    Add(test, "Lights.txt", English({{1, u"Fan"}}, {1}));
    EditCell(test, 0, "Lamp");
    test.unsavedPrompt.answer = quillon::UnsavedChoice::Cancel;
    test.Click("addFile");
    QCOMPARE(test.files.asked, 1);  // no file dialog after Cancel
    test.Click("deleteFile");
    QCOMPARE(test.FileList()->count(), 1);
    QVERIFY(!test.window->close());
    QCOMPARE(test.unsavedPrompt.asked.size(), 3);
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Lamp"));

    test.unsavedPrompt.answer = quillon::UnsavedChoice::Discard;
    QVERIFY(test.window->close());
  }

  void AnEditStillBeingTypedIsAskedAboutBeforeClosing() {
    // Ctrl+Q while typing closed the window without the typed text and
    // without a question.
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 1, quillon::SentenceTable::kWordColumn);
    Editor(test)->selectAll();
    QTest::keyClicks(Editor(test), "Lamp");
    test.unsavedPrompt.answer = quillon::UnsavedChoice::Cancel;
    test.Action("quitAction")->trigger();
    QVERIFY(test.window->isVisible());
    QCOMPARE(test.unsavedPrompt.asked, QStringList{"Lights.txt"});
    QCOMPARE(List(test)->CellText(1, 1), QStringLiteral("Lamp"));
    QVERIFY(test.window->isWindowModified());
  }

  void AddedAndDeletedSentencesReachConfigIni() {
    WindowUnderTest test;
    test.Start();
    const auto path = Add(test, "Lights.txt", English({{1, u"Fan"}, {2, u"Stop"}, {9, u"Hidden"}}, {1, 2}));
    test.Click("addSentence");
    QVERIFY(Editor(test)->isVisible());  // the new row's text is typed at once
    QTest::keyClicks(Editor(test), "Music");
    QTest::keyClick(Editor(test), Qt::Key_Return);
    QCOMPARE(List(test)->rowCount(), 3);
    QCOMPARE(List(test)->CellText(2, 0), QStringLiteral(" 10"));

    List(test)->setCurrentCell(0, 1);
    test.Click("deleteSentence");
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Stop"));
    test.Click("saveFile");
    QVERIFY(test.messages.messages.empty());
    QCOMPARE(ReadBytes(path), std::string("0x2 Stop\r\n0x9 Hidden\r\n0xA Music\r\n"));
    QCOMPARE(quillon::ReadVisibleIds(path), (quillon::VisibleIdSet{2, 10}));
  }

  void DeleteAfterAnEditRemovesTheRowEdited() {
    // Every edit filled the table again with the first row current: Delete
    // Sentence then removed the first sentence, not the one just edited.
    WindowUnderTest test;
    ShowLightsFile(test);
    EditCell(test, 1, "Lamp");
    QCOMPARE(List(test)->currentRow(), 1);
    test.Click("deleteSentence");
    QCOMPARE(List(test)->rowCount(), 1);
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Fan"));
  }

  void DeleteSentenceRemovesOnlyTheSelectedRow() {
    // A loaded file's first row became current without being selected when
    // the table took the focus, and Delete Sentence removed it unseen.
    WindowUnderTest test;
    ShowLightsFile(test);
    List(test)->setCurrentCell(0, 1, QItemSelectionModel::NoUpdate);
    QVERIFY(!test.Button("deleteSentence")->isEnabled());
    test.Action("deleteSentenceAction")->trigger();
    QCOMPARE(List(test)->rowCount(), 2);

    List(test)->selectRow(1);
    QVERIFY(test.Button("deleteSentence")->isEnabled());
    test.Click("deleteSentence");
    QCOMPARE(List(test)->rowCount(), 1);
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Fan"));
  }

  void PronunciationColumnShowsReadingsGuessesAndFailures() {
    WindowUnderTest test;
    test.hints.guessed = {"Zorb"};
    test.Start();
    Add(test, "Lights.txt", English({{1, u"Fan"}, {2, u"Zorb"}, {3, u"Fan2"}}, {1, 2, 3}));
    auto* table = List(test);
    constexpr int kColumn = quillon::SentenceTable::kPronunciationColumn;
    QCOMPARE(table->CellText(0, kColumn), QStringLiteral("AA AA AA"));
    QVERIFY(table->CellText(1, kColumn).contains("guessed: Zorb"));
    QVERIFY(table->item(1, kColumn)->toolTip().contains("letter-to-sound"));
    QCOMPARE(table->item(2, kColumn)->foreground().color(), QColor(Qt::red));
    QVERIFY(table->CellText(2, kColumn).contains("English sentences are letters"));

    EditCell(test, 2, "Fans");  // refreshed after the edit
    QCOMPARE(table->CellText(2, kColumn), QStringLiteral("AA AA AA AA"));
    QCOMPARE(table->item(2, kColumn)->foreground().color() == QColor(Qt::red), false);
  }

  void PolyphoneTooltipNamesTheReadingChosen() {
    WindowUnderTest test;
    const std::string bank = platform::FromUtf16(platform::kCodePageBig5, u"\u9280\u884C").bytes;  // 銀行
    // The stand-in's conversion with the engine's zhuyin as its display.
    quillon::SentenceConversion read = test.converter.Convert(bank, quillon::TextLanguage::Big5);
    read.displayString = u"\u3127\u3123\u02CA \u310F\u3124\u02CA ";
    test.converter.overrides[bank] = read;
    test.hints.readings[platform::FromUtf16(platform::kCodePageBig5, u"\u884C").bytes] = {
        u"\u3112\u3127\u3125\u02CA", u"\u310F\u3124\u02CA"};
    test.Start();
    quillon::LoadedCommandFile content = Sentences({{1, u"\u9280\u884C"}}, {1});
    content.language = quillon::TextLanguage::Big5;
    Add(test, "Bank.txt", std::move(content));
    const QTableWidgetItem* cell = List(test)->item(0, quillon::SentenceTable::kPronunciationColumn);
    QCOMPARE(cell->text(), QString::fromUtf16(u"\u3127\u3123\u02CA \u310F\u3124\u02CA"));
    QCOMPARE(cell->toolTip(), QString::fromUtf16(u"\u884C chosen: \u310F\u3124\u02CA; others: \u3112\u3127\u3125\u02CA"));
  }

  void LoaderWarningsShowWithTheirLines() {
    WindowUnderTest test;
    test.Start();
    const auto path = test.AddCommandFile("Lights.txt", English({{1, u"Fan"}}, {1}));
    // The table reader answers with the content; its warnings come along.
    test.files.answers.push_back(Path(path));
    test.commandFiles.warnings[path] = {{3, u"duplicate ID 1"}, {7, u"words after the sentence"}};
    test.Click("addFile");
    auto* warnings = test.Find<QLabel>("fileWarnings");
    QVERIFY(warnings->text().contains("Lights.txt:3: duplicate ID 1"));
    QVERIFY(warnings->toolTip().contains("Lights.txt:7: words after the sentence"));
  }

  void DroppedTextFilesAreAdded() {
    WindowUnderTest test;
    test.Start();
    const auto path = test.AddCommandFile("Lights.txt", English({{1, u"Fan"}}, {1}));
    std::ofstream(test.root / "cmd" / "image.bin") << "x";
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(Path(path)), QUrl::fromLocalFile(Path(test.root / "cmd" / "image.bin"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(test.FileList(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(test.FileList(), &drop);
    QCOMPARE(test.FileList()->count(), 1);
    QCOMPARE(test.FileList()->itemText(0), QStringLiteral("Group - 001 - Lights.txt"));
    QCOMPARE(List(test)->CellText(0, 1), QStringLiteral("Fan"));
  }
};

QTEST_MAIN(SentenceEditorTest)
#include "app_sentence_editor_test.moc"
