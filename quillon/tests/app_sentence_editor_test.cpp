// The sentence list's in-place editor and Save File.
#include <fstream>
#include <sstream>

#include "app_window_fixture.h"
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
void EditCell(const WindowUnderTest& test, int row, const QString& text) {
  DoubleClickCell(test, row, quillon::SentenceTable::kWordColumn);
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

  void DoubleClickOnTheIdColumnOpensNothing() {
    WindowUnderTest test;
    ShowLightsFile(test);
    DoubleClickCell(test, 0, quillon::SentenceTable::kIdColumn);
    QVERIFY(!Editor(test)->isVisible());
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
};

QTEST_MAIN(SentenceEditorTest)
#include "app_sentence_editor_test.moc"
