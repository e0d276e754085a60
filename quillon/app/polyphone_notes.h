// What the pronunciation column's tooltip says about a sentence's polyphonic
// characters: the reading the engine chose for each, taken from the
// sentence's display string (one zhuyin syllable per character read), and the
// readings it did not choose.
#pragma once

#include <QStringList>
#include <string_view>

#include "quillon/recognition/sentence_pronunciation.h"

namespace quillon {

// One line per polyphone of `pronunciation`, the pronunciation of `text`.
// When the syllables cannot be matched to the characters one to one (the
// engine left a character out), no reading is called chosen: the line lists
// every reading instead.
QStringList PolyphoneNotes(std::u16string_view text, const SentencePronunciation& pronunciation);

}  // namespace quillon
