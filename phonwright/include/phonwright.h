/*
 * phonwright.h - the Phonwright pronunciation engine, plain C interface.
 *
 * Phonwright turns Mandarin (Taiwan, Big5) and American-English text into
 * phoneme strings, syllable and unit codes and acoustic-unit names, from a data
 * directory of pronunciation data.
 *
 * Usage:
 *
 *     if (Text2PhonemeInit("fastt2p/") != 1) { ... data missing ... }
 *     char phones[PHONWRIGHT_MAX_PHONES], codes[PHONWRIGHT_MAX_CODES];
 *     char units[PHONWRIGHT_MAX_UNITS];
 *     uint16_t display[PHONWRIGHT_MAX_DISPLAY];
 *     int count = Text2Phoneme(big5_text, phones, display, codes, units, "Taiwan");
 *     ...
 *     Text2PhonemeRelease();
 *
 * The engine keeps one process-wide state: call Text2PhonemeInit once before any
 * other function and Text2PhonemeRelease at the end. It is not re-entrant:
 * exactly one thread may be inside the library at a time.
 *
 * Strings are 8-bit: ASCII and Big5 (code page 950). Output buffers belong to the
 * caller; every function documents the room it needs. All functions return int.
 */
#ifndef PHONWRIGHT_H
#define PHONWRIGHT_H

#include <stdint.h>

#if defined(PHONWRIGHT_BUILDING)
#define PHONWRIGHT_API __attribute__((visibility("default")))
#else
#define PHONWRIGHT_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Lifetime ---------------------------------------------------------- */

/* Loads every table from the data directory `data_dir` (at most 511
 * characters). Returns 1 when everything loaded, 0 when the English dictionary
 * or a display table could not be opened. */
PHONWRIGHT_API int Text2PhonemeInit(const char* data_dir);

/* Frees what Text2PhonemeInit loaded. Always returns 1. */
PHONWRIGHT_API int Text2PhonemeRelease(void);

/* ---- Conversion -------------------------------------------------------- */

/* Converts one sentence of mixed Big5 Chinese and ASCII English (at most 344
 * bytes) into a phone string, its 16-bit display form, a list of unit codes and
 * a string of unit names. `language` is "Taiwan" or "America". Returns the
 * number of codes written, 0 when the text is too long. */
PHONWRIGHT_API int Text2Phoneme(const char* text, char* phones, uint16_t* display, char* codes,
                                char* units, const char* language);

/* Converts English text into marked phonemes and English unit codes. Returns 1
 * when every word got a pronunciation, 0 otherwise. */
PHONWRIGHT_API int Text2Phoneme_Eng(const char* text, char* phonemes, char* codes);

/* ---- Chinese pronunciation -------------------------------------------- */

/* Room the callers of these functions give their output buffers, in bytes. */
#define PHONWRIGHT_MAX_SYLLABLE_CODES 1024    /* Juin2SyllableCode: codes (204 syllables) */
#define PHONWRIGHT_MAX_POLYPHONE_READINGS 176 /* SearchPolyPhone: readings */
#define PHONWRIGHT_MAX_POLYPHONE_CODES 64     /* SearchPolyPhone: codes */

/* Readings of one polyphonic Big5 character (`character` is that character
 * alone): the readings (zhuyin with tone mark) and their syllable codes, each
 * followed by a space, in buffers of PHONWRIGHT_MAX_POLYPHONE_READINGS and
 * PHONWRIGHT_MAX_POLYPHONE_CODES bytes. Returns the character's row in the
 * built-in polyphone table (0 to 1054), or -1 (both buffers empty) when it is
 * not a polyphone. Also leaves the lines "character reading code \n" in the
 * scratch file "polyphone.txt" of the working directory.
 * Example: the Big5 of "一" gives 0, "ㄧ ㄧˊ ㄧˋ " and "1183 2183 4183 ". */
PHONWRIGHT_API int SearchPolyPhone(const char* character, char* readings, char* codes);

/* Big5 zhuyin syllables, each a base syllable and its tone mark, separated by
 * spaces or tabs (reading stops at a newline), to syllable codes (tone digit
 * 1-5 x 1000 + syllable number), written "%d " each into `codes`
 * (PHONWRIGHT_MAX_SYLLABLE_CODES bytes). Returns 0 when every syllable was
 * found (or there is none), -1 at the first unknown syllable or when the codes
 * would not fit; `codes` then holds the codes before it.
 * Example: "ㄓ  ㄓˊ" gives 0 and "1001 2001 ". */
PHONWRIGHT_API int Juin2SyllableCode(const char* zhuyin, char* codes);

/* Stores the initial code (0-100) and the final code (0-38) of syllable number
 * `code` mod 1000 and returns the final code. Syllable numbers without a row
 * (410, 411 and anything outside 0-409) give 0 and 0. A null pointer is not
 * written. Example: 4022 (ㄅㄚˋ) stores 22 and 2 and returns 2. */
PHONWRIGHT_API int SylCodeToIFCode(int code, int* initial_code, int* final_code);

/* ---- Transition units and lexicon strings ----------------------------- */

PHONWRIGHT_API int Text2Phoneme_interRCD(const char* text, char* output);
PHONWRIGHT_API int Text2Phoneme_interRCD_addsil(const char* text, char* output);
PHONWRIGHT_API int PhonemeToLexstr(const uint16_t* display, char* codes, char* units,
                                   const char* language);

/* ---- Dictionary and grammar builders ---------------------------------- */

PHONWRIGHT_API int MakeBeamSearchDic(const char* input_file, const char* output_file,
                                     const char* language);
PHONWRIGHT_API int MakeBeamSearchDic_SYL(const char* input_file, const char* output_file,
                                         const char* language);
PHONWRIGHT_API int MakeBeamSearchDic_for_GrammarGenerator(const char* input_file,
                                                          const char* output_file,
                                                          const char* language);

#ifdef __cplusplus
}
#endif

#endif /* PHONWRIGHT_H */
