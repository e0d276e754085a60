/* Converts one English word with the installed library and data. */
#include <stdio.h>
#include <phonwright.h>

int main(int argc, char** argv) {
  char phones[PHONWRIGHT_MAX_PHONES], codes[PHONWRIGHT_MAX_CODES];
  if (argc != 3 || Text2PhonemeInit(argv[1]) != 1) return 1;
  const int result = Text2Phoneme_Eng(argv[2], phones, codes);
  printf("%s\n%s\n", phones, codes);
  Text2PhonemeRelease();
  return result == 1 ? 0 : 1;
}
