#include "quillon/app/polyphone_notes.h"

#include <QObject>
#include <QString>

namespace quillon {
namespace {

QString ToQString(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// The characters the engine gives a syllable: CJK ideographs. Punctuation and
// full-width signs only separate, and give none.
bool IsIdeograph(char32_t c) {
  return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
         (c >= 0x20000 && c <= 0x3FFFF);
}

bool IsZhuyin(QChar c) {
  const char16_t unit = c.unicode();
  const bool symbol = (unit >= 0x3105 && unit <= 0x312F) || (unit >= 0x31A0 && unit <= 0x31BF);
  const bool tone = unit == 0x02CA || unit == 0x02C7 || unit == 0x02CB || unit == 0x02D9;
  return symbol || tone;
}

bool IsSyllable(const QString& token) {
  for (const QChar c : token) {
    if (!IsZhuyin(c)) return false;
  }
  return !token.isEmpty();
}

struct ReadCharacter {
  QString character;
  QString syllable;
};

// Each ideograph of `text` with its syllable of `display`, in order; empty
// when the two do not pair up one to one.
std::vector<ReadCharacter> PairSyllables(std::u16string_view text, std::u16string_view display) {
  QStringList syllables;
  for (const QString& token : ToQString(display).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
    if (IsSyllable(token)) syllables.append(token);
  }
  std::vector<ReadCharacter> read;
  for (const char32_t c : ToQString(text).toUcs4()) {
    if (!IsIdeograph(c)) continue;
    if (read.size() == static_cast<std::size_t>(syllables.size())) return {};
    read.push_back({QString::fromUcs4(&c, 1), syllables[static_cast<qsizetype>(read.size())]});
  }
  if (read.size() != static_cast<std::size_t>(syllables.size())) return {};
  return read;
}

}  // namespace

QStringList PolyphoneNotes(std::u16string_view text, const SentencePronunciation& pronunciation) {
  const std::vector<ReadCharacter> read = PairSyllables(text, pronunciation.display);
  QStringList notes;
  for (const Polyphone& polyphone : pronunciation.polyphones) {
    const QString character = ToQString(polyphone.character);
    QStringList readings;
    for (const std::u16string& reading : polyphone.readings) readings.append(ToQString(reading));
    // A character met twice may be read two ways ("行行" in some words).
    QStringList chosen;
    for (const ReadCharacter& at : read) {
      if (at.character == character && !chosen.contains(at.syllable)) chosen.append(at.syllable);
    }
    if (chosen.isEmpty()) {
      notes.append(QObject::tr("%1 has several readings: %2").arg(character, readings.join(QStringLiteral(" / "))));
      continue;
    }
    QStringList others;
    for (const QString& reading : readings) {
      if (!chosen.contains(reading)) others.append(reading);
    }
    QString note = QObject::tr("%1 chosen: %2").arg(character, chosen.join(QStringLiteral(" / ")));
    if (!others.isEmpty()) note += QObject::tr("; others: %1").arg(others.join(QStringLiteral(" / ")));
    notes.append(note);
  }
  return notes;
}

}  // namespace quillon
