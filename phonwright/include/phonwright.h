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

/* Loads every table from the data directory `data_dir` (at most 511 bytes), in
 * this order: the letter-to-sound models, the English dictionary
 * "CMU40_DIC/ENG_dic_40phone_130466_20081205.bin", the segmentation classes
 * "classID" and dictionary "CDIC.dic" (listed in "T2P.TXT", which is written
 * into the data directory; a read-only directory gets "CDIC.dic" loaded
 * directly), then the display tables "UnicodeEnglishPhone.txt" and
 * "UnicodeChinesePhone.txt". Prints "IniWseg ok" on standard output.
 * Returns 1 when everything loaded, 0 when the English dictionary (nothing
 * after it is loaded then), a display table or the directory name is missing
 * or too long. Calling it again first releases what the previous call loaded. */
PHONWRIGHT_API int Text2PhonemeInit(const char* data_dir);

/* Frees what Text2PhonemeInit loaded; the conversions then work on empty
 * tables. Always returns 1; calling it twice is harmless. */
PHONWRIGHT_API int Text2PhonemeRelease(void);

/* ---- Conversion -------------------------------------------------------- */

/* Room each output of Text2Phoneme needs, terminator included: the largest
 * output a text of 344 bytes can give (344 digits are 344 spelled-out number
 * words of up to five phones; a unit name has up to 24 bytes with its blank).
 * The engine never writes more: a text whose outputs would not fit is refused
 * like an over-long one. */
#define PHONWRIGHT_MAX_PHONES 8192   /* phones, bytes */
#define PHONWRIGHT_MAX_DISPLAY 20480 /* display, 16-bit units */
#define PHONWRIGHT_MAX_CODES 8192    /* codes, bytes */
#define PHONWRIGHT_MAX_UNITS 49152   /* units, bytes */

/* Converts one sentence of mixed Big5 Chinese and ASCII English (at most 344
 * bytes) into four outputs:
 *   phones   zhuyin syllables with tone marks (a first-tone syllable followed by
 *            two spaces, others by one) and English phone names, each followed
 *            by a space, in text order; digits are read as English words;
 *   display  `phones` in UTF-16 with English phone names replaced by their
 *            display forms, each token followed by exactly one space;
 *   codes    "%d " per code: syllable codes (tone x 1000 + syllable, 6000 and
 *            above for digits) and English unit codes 412 to 459, in text order;
 *   units    the "I%02d F%02d" pairs of every Chinese run (two spaces apart, no
 *            space between runs), then the "RCD_" unit names of the English
 *            words, each followed by a space.
 * `language` ("Taiwan" or "America", exactly) chooses the context-unit model
 * "fastt2p/CE_RCD134.model" or "fastt2p/AE_RCD134.model" (working directory,
 * else the same name in the data directory). Returns the number of codes, 0
 * when the text is too long (all outputs empty). Leaves the split text in the
 * scratch file "tmp.txt" of the working directory. A model file or "tmp.txt"
 * changed, replaced or removed between two calls, or another working
 * directory, is seen by the next call (an inotify watch tells the library
 * when to look; where it cannot watch, it looks on every call).
 * Example: the Big5 of "你好" with "Taiwan" gives "ㄋㄧˇ ㄏㄠˇ ", "3189 3084 ",
 * "I70 F14  I17 F08" and 2.
 *
 * Punctuation, symbols and blanks are never read; they only separate:
 *   - full-width ones (，。？！、「」《》（）· ... and the ideographic space)
 *     end the Chinese run or English word before them, so "我們，你們" gives
 *     the same outputs as "我們 你們" (I/F pairs back to back, result 4);
 *   - ASCII ones end a Chinese run; around an English word they are
 *     stripped ("hello," "(play)" "stop!" read as the words alone), and inside
 *     it they split it into words ("yes,please") unless the dictionary holds
 *     it whole ("Wi-Fi", "a.m."); an apostrophe stays in its word ("don't").
 * A Chinese character that no dictionary word reads (a syllable the syllable
 * table cannot write, such as 唷 ㄧㄛ, or a letter or sign without reading) is
 * left out of its run with a message on standard output; the rest of the
 * run is still read. Text2PhonemeComplete then says that the text was not
 * fully converted. */
PHONWRIGHT_API int Text2Phoneme(const char* text, char* phones, uint16_t* display, char* codes,
                                char* units, const char* language);

/* Whether the last Text2Phoneme call read its whole text: 1 when every
 * character and English word got a reading, 0 when a character was left out,
 * an English word had no pronunciation, or the text was refused (too long,
 * null arguments). 1 before the first call. */
PHONWRIGHT_API int Text2PhonemeComplete(void);

/* Converts English text into marked phonemes and English unit codes, in
 * buffers of PHONWRIGHT_MAX_PHONES and PHONWRIGHT_MAX_CODES bytes. Words are
 * read as in Text2Phoneme: punctuation stripped or splitting, a hyphenated or
 * dotted word looked up whole first, a word of 2 to 6 capitals that the
 * dictionary lacks spelled with the letter names (HDMI, VPN), digits read as
 * their words. Returns 1 when every word got a pronunciation, 0 otherwise. */
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

/* Room the outputs of these functions need, terminator included (texts of at
 * most 256 bytes; display strings that map to at most 2000 bytes). */
#define PHONWRIGHT_MAX_TRANSITION_UNITS 16384 /* Text2Phoneme_interRCD(_addsil) */
#define PHONWRIGHT_MAX_LEXSTR_CODES 8192      /* PhonemeToLexstr: codes */
#define PHONWRIGHT_MAX_LEXSTR_UNITS 16384     /* PhonemeToLexstr: units */

/* The phones and syllables of a sentence (at most 256 bytes) as transition
 * units "left_right", blank-separated, the last one "last_$". Also prints the
 * phone string. Returns 1, or 0 (output untouched) for a longer text. */
PHONWRIGHT_API int Text2Phoneme_interRCD(const char* text, char* output);

/* The same, but each English word is paired on its own ("$" between the parts
 * of a compound word starts no unit) and Chinese syllables stay as they are. */
PHONWRIGHT_API int Text2Phoneme_interRCD_addsil(const char* text, char* output);

/* Maps a display string (the `display` output of Text2Phoneme) back to zhuyin
 * syllables and phone names and writes their codes ("%d " each) and unit
 * string (no trailing blank). Returns 0 when only Chinese symbols were found,
 * 1 only English display forms, 2 both, 3 a character matched neither; -1 when
 * the string holds no token (outputs untouched) or a token that is neither a
 * syllable nor a phone (outputs empty). */
PHONWRIGHT_API int PhonemeToLexstr(const uint16_t* display, char* codes, char* units,
                                   const char* language);

/* ---- Dictionary and grammar builders ---------------------------------- */

/* Each reads a word list (whitespace-separated entries, Big5 for Chinese) and
 * converts every entry with Text2Phoneme under `language`:
 *   MakeBeamSearchDic      writes "<count>", then "<entry> <unit count> <units>";
 *   MakeBeamSearchDic_SYL  writes "<count>", then "<entry> SYL<n>-SYL<n>...";
 *   MakeBeamSearchDic_for_GrammarGenerator writes "<entry> <units>" lines and
 *                          the grammar "<input_file>.grm".
 * Questionable entries are reported on standard output (and wait for a key
 * when standard input is a terminal); their lines are written all the same.
 * Return 1 when the whole list was processed, 0 when the input cannot be read
 * or an output file cannot be created. */
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
