// The tooltip lines of polyphonic characters: the reading chosen for the
// sentence, found by pairing its characters with the display's syllables, and
// the readings left.
#include <QtTest>

#include "quillon/app/polyphone_notes.h"

namespace {

// 行: ㄒㄧㄥˊ (to walk) or ㄏㄤˊ (a row, a firm).
const quillon::Polyphone kXing{u"\u884C", {u"\u3112\u3127\u3125\u02CA", u"\u310F\u3124\u02CA"}};
const QString kXingReading = QString::fromUtf16(u"\u3112\u3127\u3125\u02CA");
const QString kHangReading = QString::fromUtf16(u"\u310F\u3124\u02CA");

QStringList NotesOf(const QString& text, const QString& display) {
  quillon::SentencePronunciation pronunciation;
  pronunciation.display = display.toStdU16String();
  pronunciation.polyphones = {kXing};
  return quillon::PolyphoneNotes(text.toStdU16String(), pronunciation);
}

}  // namespace

class PolyphoneNotesTest : public QObject {
  Q_OBJECT

 private slots:
  void TheChosenReadingComesFromTheCharactersPlace_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("note");
    const QString bank = QString::fromUtf16(u"\u9280\u884C");  // 銀行
    const QString yin = QString::fromUtf16(u"\u3127\u3123\u02CA");
    QTest::newRow("one place") << bank << yin + " " + kHangReading + " "
                               << QString::fromUtf16(u"\u884C chosen: ") + kHangReading + "; others: " + kXingReading;
    // Punctuation gives no syllable and does not shift the pairing.
    QTest::newRow("after punctuation")
        << QString::fromUtf16(u"\uFF0C\u884C") << kXingReading + " "
        << QString::fromUtf16(u"\u884C chosen: ") + kXingReading + "; others: " + kHangReading;
    // First-tone syllables carry no mark and stand apart by more than one blank.
    QTest::newRow("first tone before it")
        << QString::fromUtf16(u"\u958B\u884C") << QString::fromUtf16(u"\u310E\u311E  ") + kXingReading + " "
        << QString::fromUtf16(u"\u884C chosen: ") + kXingReading + "; others: " + kHangReading;
    QTest::newRow("read both ways") << QString::fromUtf16(u"\u884C\u884C") << kHangReading + " " + kXingReading + " "
                                    << QString::fromUtf16(u"\u884C chosen: ") + kHangReading + " / " + kXingReading;
    // A reading the polyphone table lacks (a neutral tone) is still the one read.
    const QString neutral = QString::fromUtf16(u"\u02D9\u310F\u3124");
    QTest::newRow("reading outside the table")
        << QString::fromUtf16(u"\u884C") << neutral + " "
        << QString::fromUtf16(u"\u884C chosen: ") + neutral + "; others: " + kXingReading + " / " + kHangReading;
  }
  void TheChosenReadingComesFromTheCharactersPlace() {
    QFETCH(QString, text);
    QFETCH(QString, display);
    QFETCH(QString, note);
    QCOMPARE(NotesOf(text, display), QStringList{note});
  }

  void NoReadingIsCalledChosenWhenTheSyllablesDoNotPairUp_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("display");
    // The engine left the first character out: 行 would be paired with the
    // syllable of the character before it.
    QTest::newRow("a character left out")
        << QString::fromUtf16(u"\u5537\u9280\u884C") << QString::fromUtf16(u"\u3127\u3123\u02CA ") + kHangReading + " ";
    QTest::newRow("more syllables than characters") << QString::fromUtf16(u"\u884C")
                                                    << kHangReading + " " + kHangReading + " ";
    QTest::newRow("no zhuyin at all") << QString::fromUtf16(u"\u884C") << "x ";
  }
  void NoReadingIsCalledChosenWhenTheSyllablesDoNotPairUp() {
    QFETCH(QString, text);
    QFETCH(QString, display);
    QCOMPARE(NotesOf(text, display),
             QStringList{QString::fromUtf16(u"\u884C has several readings: ") + kXingReading + " / " + kHangReading});
  }

  void EveryPolyphoneHasItsLine() {
    quillon::SentencePronunciation pronunciation;
    pronunciation.display = u"\u3127\u3123\u02CA \u310F\u3124\u02CA \u3129\u311D\u02CB ";  // 銀行樂
    const quillon::Polyphone le{u"\u6A02", {u"\u3129\u311D\u02CB", u"\u310C\u311C\u02CB"}};
    pronunciation.polyphones = {kXing, le};
    const QStringList notes = quillon::PolyphoneNotes(u"\u9280\u884C\u6A02", pronunciation);
    QCOMPARE(notes.size(), 2);
    QVERIFY(notes[0].startsWith(QString::fromUtf16(u"\u884C chosen: ") + kHangReading));
    QCOMPARE(notes[1], QString::fromUtf16(u"\u6A02 chosen: \u3129\u311D\u02CB; others: \u310C\u311C\u02CB"));
  }
};

QTEST_GUILESS_MAIN(PolyphoneNotesTest)
#include "app_polyphone_notes_test.moc"
