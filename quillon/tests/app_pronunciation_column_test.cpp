// The pronunciation column: display strings and marks of each row, refreshed
// after edits, and no conversion while a download runs.
#include <QSignalSpy>
#include <QtTest>
#include <map>

#include "platform/code_page.h"
#include "quillon/app/command_file_document.h"
#include "quillon/app/pronunciation_column.h"
#include "app_listed_hints.h"
#include "recognition_fake_converter.h"

namespace {

using quillon::SentencePronunciation;

std::string Big5(std::u16string_view text) { return platform::FromUtf16(platform::kCodePageBig5, text).bytes; }

quillon::LoadedCommandFile FileOf(quillon::TextLanguage language,
                                  std::vector<std::pair<std::int32_t, std::u16string>> sentences) {
  quillon::LoadedCommandFile content;
  content.language = language;
  for (auto& [id, text] : sentences) {
    quillon::SentenceRecord record;
    record.id = id;
    content.records.push_back(std::move(record));
    content.displayTexts.push_back(std::move(text));
    content.visibleIds.insert(id);
  }
  return content;
}

struct ColumnUnderTest {
  explicit ColumnUnderTest(const quillon::LoadedCommandFile& content)
      : document("Lights.txt", content), column(converter, hints, platform::kLangChineseTaiwan) {}
  void Open() { column.SetDocument(&document); }

  quillon::testing::FakeSentenceConverter converter;
  quillon::testing::ListedHints hints;
  quillon::CommandFileDocument document;
  quillon::PronunciationColumn column;
};

}  // namespace

class PronunciationColumnTest : public QObject {
  Q_OBJECT

 private slots:
  void ChineseSentenceShowsItsPolyphones() {
    // "行" (xing / hang) twice in "行行" and "好" once: each character marked once.
    ColumnUnderTest test(FileOf(quillon::TextLanguage::Big5, {{1, u"\u884C\u884C\u597D"}}));
    test.hints.readings[Big5(u"\u884C")] = {u"\u3112\u3127\u3125\u02CA", u"\u310F\u3124\u02CA"};
    test.Open();
    const SentencePronunciation* row = test.column.At(0);
    QVERIFY(row);
    QCOMPARE(row->display, std::u16string(u"x x x "));
    QVERIFY(!row->failure);
    QCOMPARE(row->polyphones.size(), std::size_t{1});
    QCOMPARE(row->polyphones[0].character, std::u16string(u"\u884C"));
    QCOMPARE(row->polyphones[0].readings.size(), std::size_t{2});
    QVERIFY(row->guessedWords.empty());
  }

  void EnglishSentencesShowTheWordsGuessed() {
    ColumnUnderTest test(FileOf(quillon::TextLanguage::English, {{1, u"Lights"}, {2, u"Zorblat-on"}}));
    test.hints.guessed = {"Zorblat"};
    test.Open();
    QCOMPARE(test.column.At(0)->display, std::u16string(u"AA AA AA AA AA AA "));
    QVERIFY(test.column.At(0)->guessedWords.empty());
    QCOMPARE(test.column.At(1)->guessedWords, (std::vector<std::u16string>{u"Zorblat"}));
    QVERIFY(test.column.At(0)->polyphones.empty());
  }

  void SentencesThatCannotBeDownloadedSayWhy_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("reason");
    QTest::newRow("digit in English") << "Fan2" << "\"2\": English sentences are letters";
    QTest::newRow("two words") << "Lights off" << "only \"Lights\" would be read";
    QTest::newRow("empty") << "" << "the sentence is empty";
    QTest::newRow("no units") << "Hush" << "gives no units for \"Hush\"";
  }
  void SentencesThatCannotBeDownloadedSayWhy() {
    QFETCH(QString, text);
    QFETCH(QString, reason);
    ColumnUnderTest test(FileOf(quillon::TextLanguage::English, {{1, text.toStdU16String()}}));
    test.converter.overrides["Hush"] = {};
    test.Open();
    const SentencePronunciation* row = test.column.At(0);
    QVERIFY(row->failure);
    const QString failure = QString::fromStdU16String(*row->failure);
    QVERIFY2(failure.contains(reason), qPrintable(failure));
    QVERIFY(row->display.empty());
  }

  void EditsRefreshOnlyWhatChanged() {
    ColumnUnderTest test(FileOf(quillon::TextLanguage::English, {{1, u"Fan"}, {2, u"Stop"}}));
    test.Open();
    QCOMPARE(test.converter.calls, 2);
    QSignalSpy refreshed(&test.column, &quillon::PronunciationColumn::refreshed);
    test.document.SetText(1, u"Go");
    QCOMPARE(refreshed.count(), 1);
    QCOMPARE(test.converter.calls, 3);
    QCOMPARE(test.column.At(1)->display, std::u16string(u"AA AA "));
    test.document.undoStack().undo();
    QCOMPARE(test.converter.calls, 4);
    QCOMPARE(test.column.At(1)->display, std::u16string(u"AA AA AA AA "));
  }

  void NothingIsConvertedWhileADownloadRuns() {
    ColumnUnderTest test(FileOf(quillon::TextLanguage::English, {{1, u"Fan"}}));
    test.column.SetDownloadRunning(true);
    test.Open();
    test.document.SetText(0, u"Lamp");
    test.document.AddSentence(u"Music");
    QCOMPARE(test.converter.calls, 0);
    QVERIFY(!test.column.At(0));

    test.column.SetDownloadRunning(false);
    QCOMPARE(test.converter.calls, 2);
    QCOMPARE(test.column.At(1)->display, std::u16string(u"AA AA AA AA AA "));
  }

  void ADocumentClosedLeavesAnEmptyColumn() {
    quillon::testing::FakeSentenceConverter converter;
    quillon::testing::ListedHints hints;
    quillon::PronunciationColumn column(converter, hints, platform::kLangChineseTaiwan);
    {
      quillon::CommandFileDocument document("Lights.txt", FileOf(quillon::TextLanguage::English, {{1, u"Fan"}}));
      column.SetDocument(&document);
      QVERIFY(column.At(0));
    }
    QVERIFY(!column.At(0));
  }
};

QTEST_GUILESS_MAIN(PronunciationColumnTest)
#include "app_pronunciation_column_test.moc"
