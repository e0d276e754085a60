/* The Chinese look-ups through the plain C interface of the shared library,
 * compiled as C. Big5 bytes: ㄓ A3A4, ㄅ A374, ㄧ A3B8, ㄚ A3AB, ˊ A3BD,
 * ˋ A3BF, 一 A440, 我 A7DA. */
#include <stdio.h>
#include <string.h>

#include "phonwright.h"

static int checks = 0;
static int failures = 0;

static void expect_int(const char* what, int actual, int expected) {
  ++checks;
  if (actual != expected) {
    printf("FAIL %s: %d, expected %d\n", what, actual, expected);
    ++failures;
  }
}

static void expect_text(const char* what, const char* actual, const char* expected) {
  ++checks;
  if (strcmp(actual, expected) != 0) {
    printf("FAIL %s: \"%s\", expected \"%s\"\n", what, actual, expected);
    ++failures;
  }
}

int main(void) {
  char codes[PHONWRIGHT_MAX_SYLLABLE_CODES];
  char readings[PHONWRIGHT_MAX_POLYPHONE_READINGS];
  char polyphone_codes[PHONWRIGHT_MAX_POLYPHONE_CODES];
  int initial = -1, final = -1;

  /* ㄓ, two spaces, ㄓˊ */
  expect_int("Juin2SyllableCode result", Juin2SyllableCode("\xA3\xA4  \xA3\xA4\xA3\xBD", codes), 0);
  expect_text("Juin2SyllableCode codes", codes, "1001 2001 ");
  /* ㄓ then ㄅㄧㄚ, not a syllable */
  expect_int("Juin2SyllableCode unknown",
             Juin2SyllableCode("\xA3\xA4 \xA3\x74\xA3\xB8\xA3\xAB", codes), -1);
  expect_text("Juin2SyllableCode codes before unknown", codes, "1001 ");

  /* 300 syllables need more room than the codes buffer has. */
  {
    char many[300 * 3 + 1];
    int i;
    for (i = 0; i < 300; ++i) memcpy(many + 3 * i, "\xA3\xA4 ", 3);
    many[sizeof many - 1] = '\0';
    expect_int("Juin2SyllableCode too many", Juin2SyllableCode(many, codes), -1);
    expect_int("Juin2SyllableCode too many stays terminated",
               (int)(strlen(codes) < PHONWRIGHT_MAX_SYLLABLE_CODES), 1);
  }
  expect_int("Juin2SyllableCode null", Juin2SyllableCode(NULL, codes), -1);

  expect_int("SylCodeToIFCode result", SylCodeToIFCode(4022, &initial, &final), 2);
  expect_int("SylCodeToIFCode initial", initial, 22);
  expect_int("SylCodeToIFCode final", final, 2);
  expect_int("SylCodeToIFCode 410", SylCodeToIFCode(1410, &initial, &final), 0);
  expect_int("SylCodeToIFCode 410 initial", initial, 0);

  /* 一: ㄧ, ㄧˊ, ㄧˋ */
  expect_int("SearchPolyPhone row", SearchPolyPhone("\xA4\x40", readings, polyphone_codes), 0);
  expect_text("SearchPolyPhone readings", readings,
              "\xA3\xB8 \xA3\xB8\xA3\xBD \xA3\xB8\xA3\xBF ");
  expect_text("SearchPolyPhone codes", polyphone_codes, "1183 2183 4183 ");
  /* 我 is not a polyphone */
  expect_int("SearchPolyPhone none", SearchPolyPhone("\xA7\xDA", readings, polyphone_codes), -1);
  expect_text("SearchPolyPhone none readings", readings, "");
  expect_text("SearchPolyPhone none codes", polyphone_codes, "");

  expect_int("SearchPolyPhone null", SearchPolyPhone(NULL, readings, polyphone_codes), -1);

  /* Without a data directory no character has a reading: 你 is left out. */
  {
    static char phones[PHONWRIGHT_MAX_PHONES], units[PHONWRIGHT_MAX_UNITS];
    static char sentence_codes[PHONWRIGHT_MAX_CODES];
    static uint16_t display[PHONWRIGHT_MAX_DISPLAY];
    expect_int("Text2PhonemeComplete before any call", Text2PhonemeComplete(), 1);
    expect_int("Text2Phoneme without data",
               Text2Phoneme("\xA7\x41", phones, display, sentence_codes, units, "Taiwan"), 0);
    expect_int("Text2PhonemeComplete after a left-out character", Text2PhonemeComplete(), 0);
    expect_int("Text2Phoneme punctuation only",
               Text2Phoneme("\xA1\x41", phones, display, sentence_codes, units, "Taiwan"), 0);
    expect_int("Text2PhonemeComplete after punctuation only", Text2PhonemeComplete(), 1);
    expect_int("Text2Phoneme null", Text2Phoneme(NULL, phones, display, sentence_codes, units, "Taiwan"), 0);
    expect_int("Text2PhonemeComplete after a refused call", Text2PhonemeComplete(), 0);
  }

  printf("%d passed, %d failed\n", checks - failures, failures);
  return failures == 0 ? 0 : 1;
}
