// Generates the built-in polyphone table of the engine from libchewing's phrase
// data: for each character of the fixed row list below, the readings it has in
// libchewing (see ChooseReadings); a few rows are fixed as the engine documents
// them. Writes a C++ initializer list included by phonwright/core/polyphone_table.cpp.
//
// Usage: phonwright-polyphone-gen INDEX_TREE DICTIONARY OUTPUT
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "phonwright/data/mkdata_chewing_phrases.h"
#include "phonwright/zhuyin/zhuyin_code_table.h"
#include "phonwright/zhuyin/zhuyin_symbols.h"
#include "platform/atomic_file.h"
#include "platform/code_page.h"

namespace {

// The characters of the table in row order.
constexpr std::string_view kCharacters =
    "一丁了几上亡勺叉大女子不中予什仇分切化匹夫夭少屯扎文月比氏爪父犬王仔凸卡占可召叨"
    "只句打扔扒正氐疋白石穴亙伐任共吐吃囝圳地多好字宅帆扛曲有朴朵汗百羊肉艮艾虫血行衣"
    "估伺作伯余免刨吭否吧告吹吱听囪囤坊圾坏夾尾巫忸忪扳更杉杓汞沁沈沒沘肘肚角谷足身車"
    "那亞使供佻兒其刻卒卷呱和呢咋坷奇奈妻委姍姊宛居帖怯怫抹拓拈押拗於枕杳杷枝泌泥波法"
    "沸沮沿泊炊爸玩玟的知空穹糾舍芽芯芾虎軋采長阿陂亟信便俊俄俞冠剎削剌勁咳咽哄哈咯咱"
    "咻咧契姣姥屏帥度待徇思怎恫恪扁拽括拾挑查枸洽泵洸洮為炸炮甚省盹相看盾矜研祇禺紅耑"
    "耶胖背茄若苔要迤郃酊重降韋風食乘倥倆倒們倔俱倡個俾剖剔哥哩員哪哦唧埔夏奘娜娠娩家"
    "射差扇挾旁晃晁校框桔栘桁殷浸烙畜砟祕秤秘窄紕耙耽脈脊臭舀般茸茹衰豈軏辱逅郝釘釙骨"
    "鬲乾偺假偕側勒勘匙區參啪啦啞啊啁圈堊堆埤娶婁宿尉將屜崗強得從探掃掄掙教斜旋梡殺涼"
    "液淹涸混率畦疏疵盛眶祭紮累脯莎莞莘荸莠荷荼莆處蛇蚵蛆被訥許豉責都釭陸雀雪頃傍傀創"
    "勞勝喀喝喪喇喳單場媛孳孱尋嵌幾廁惡悶慨愒揩提散景曾期朝棹棲椎殼氯渣湮湯渾琶皖窘答"
    "結絡給腕腋腌華著菲萎蛤診賁軸逮鄉量間閒飩飲馮黑傭傳僅傾剿勦嗟嗨嗎嗑嗆塞塌塢媽廈搽"
    "搶暇暈會楔楞楛滑溜溪溴煬煞煖瑁當睪禁稟粳署腳落葉葛號蛻蜆解貉賊賈賄賃賂較載辟達遍"
    "酪鈷鈸鈾鈹雋馱馴僥劃匱厭嗾嘛嘔慷撇摘摟摻暝榦漩漂漆漸漲漫漯煽犒監碩種稱綜綠綸翟聞"
    "膀與蓋蜿裳裨語誣說誨遠鄙閤雌鞅頗麼齊價嘲嘩噓墮彈徵撞撩撒撮播撬數暫暴模樂潦潛澎潰"
    "潠熟熨瘩磅稽罷膜蔔蝦衝誼調誰論賜質趣輥遮鋪頡頫養髯鴃儘儐噱噢壅學導彊擁擋擂操擔樺"
    "橫橇橈歙澠燕燎磨穌縣興蕈蕃親諷遺鋸錯靦頭駭龜儲嚇孺應戲擰檗檐濘濟濤瞭禧禪糙縮繆繃"
    "縫縱縴臃臂薄薜蟀蟆螫褶豁谿賺趨蹈輾轂還隱鮮壘擷曜檻濺璿癘瞿翹藏藉覲蹣轉轍釐鎢闖闕"
    "騎鵠懵瀕簸繫藥藷識蹶蹺鏜難靡鵲麗嚼攘礦耀蠕覺躂馨鰓屬攜蘗蠡躋露鶴齦囉籠聽讀攪髓鱖"
    "觀鑰纜鑽鑿乂乜凵匚万卬爿丼玊仱价圴忏旮犴艽阠体吽吨妡尨沏町芎侅侉坻姇屄泃炔瓨疘芼"
    "咥哅呲咰垛峋斪昲柁柜柫枳枹柉洨洴炵罘俶凊剞哿庨庬悢挐揤捋挳旄晇桎桄栨痄砢荖蚑蚙蚔"
    "衱豻酏釕偁凐唼埻婤婩寀崋悊据晢欸殌淲焍猈硊窐笫紶翍翇莩莥莚袉袚軡酖陭頄傒噅喈堨嵑"
    "嵅徥摡揟椑欻湡焥牚猢猲硰祴粢絯絣絜聏腊腏臦菏菉袺貾軵鈥鈀剸嗄嗕嫍幍戠敯楂毹痼稘稗"
    "筴罧腞腄萲萹蛸誂詴跩鉈雽嘜嘁嫬嫨嶀摽撂榗殠漊漺緀綮蜡蜚裼誒踉踅銚噁墫敶敻潚熜瞉箷"
    "蔈蓲蓼蝤蝷蝎蝥褌褉遫鋌頝麃圜嬛徼曀橦橭氆燋縕膴螁螅褟諻閺鮓魺鴟檞濢縪繇臊襒謏謕謚"
    "蹓蹌霙麉檷瀅濻簢謼謾貙醯鎝巂鞥鵜鵚嬿櫑矉羆藣藦襘蹻鏹鎩騔齍矲蘁鐐鐙鞹韽鯷鶣鶩儹爙"
    "酅顤鷅亹攢麶鷤黐靃囔欚纛鑴饡碁";

// Rows whose readings and their order are fixed by the engine's documentation.
struct FixedRow {
  std::string_view character;
  std::string_view readings;  // space-separated
};
constexpr FixedRow kFixedRows[] = {
    {"一", "ㄧ ㄧˊ ㄧˋ"},     {"丁", "ㄉㄧㄥ ㄓㄥ"},      {"了", "ㄌㄜ˙ ㄌㄧㄠˇ"},
    {"几", "ㄐㄧ ㄐㄧˇ"},     {"上", "ㄕㄤˋ ㄕㄤˇ"},      {"叉", "ㄔㄚ ㄔㄚˊ ㄔㄚˇ"},
    {"不", "ㄅㄨˊ ㄅㄨˋ ㄈㄡˇ"}, {"碁", "ㄐㄧ ㄑㄧˊ"},
};

constexpr std::size_t kMaxGeneratedReadings = 6;

std::vector<std::string> SplitSpaces(std::string_view text) {
  std::vector<std::string> tokens;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find(' ', start);
    if (end == std::string_view::npos) end = text.size();
    if (end > start) tokens.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return tokens;
}

std::string Big5OfCharacter(std::string_view utf8) {
  const auto narrow = platform::FromUtf16(platform::kCodePageBig5, platform::Utf8ToUtf16(utf8));
  return narrow.usedDefaultChar ? std::string() : narrow.bytes;
}

std::string Escaped(std::string_view bytes) {
  std::string text = "\"";
  char hex[8];
  for (const char c : bytes) {
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
    text += hex;
  }
  return text + "\"";
}

// libchewing's packing of a reading (initial << 9 | medial << 7 | final << 3 |
// tone): the order in which readings of equal frequency are taken.
std::uint16_t ChewingKey(const phonwright::zhuyin::Reading& reading) {
  return static_cast<std::uint16_t>(reading.initial << 9 | reading.medial << 7 | reading.final << 3 | reading.tone);
}

// Frequency of every reading of the wanted characters, summed over phrases.
using ReadingFrequencies = std::unordered_map<std::string, std::map<std::uint16_t, std::uint64_t>>;

void CollectReadings(const std::vector<phonwright::mkdata::ChewingPhrase>& phrases, ReadingFrequencies& frequencies) {
  for (const auto& phrase : phrases) {
    const auto characters = phonwright::mkdata::Utf8Characters(phrase.text);
    if (characters.size() != phrase.reading.size()) continue;
    for (std::size_t i = 0; i < characters.size(); ++i) {
      const auto wanted = frequencies.find(characters[i]);
      if (wanted != frequencies.end()) wanted->second[ChewingKey(phrase.reading[i])] += phrase.frequency;
    }
  }
}

// Readings of one character, among those the zhuyin code table knows: the
// ones its phrases use, most frequent first (ties in key order), at most
// kMaxGeneratedReadings; when fewer than two, the unused ones (single-character
// entries only) fill up to two, in key order.
std::vector<std::string> ChooseReadings(const std::map<std::uint16_t, std::uint64_t>& byKey) {
  std::vector<std::pair<std::uint16_t, std::uint64_t>> ranked(byKey.begin(), byKey.end());
  std::stable_sort(ranked.begin(), ranked.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  std::vector<std::string> readings;
  for (const auto& [key, frequency] : ranked) {
    if (readings.size() == kMaxGeneratedReadings) break;
    if (frequency == 0 && readings.size() >= 2) break;
    const std::string reading = phonwright::zhuyin::FormatReading(phonwright::mkdata::DecodeChewingPhone(key));
    if (phonwright::FindZhuyinCode(reading)) readings.push_back(reading);
  }
  return readings;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: phonwright-polyphone-gen INDEX_TREE DICTIONARY OUTPUT\n");
    return 2;
  }
  const auto characters = phonwright::mkdata::Utf8Characters(kCharacters);
  ReadingFrequencies frequencies;
  for (const auto& character : characters) frequencies[character];
  try {
    CollectReadings(phonwright::mkdata::ReadChewingPhrases(argv[1], argv[2]), frequencies);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "phonwright-polyphone-gen: %s\n", error.what());
    return 1;
  }
  std::map<std::string, std::vector<std::string>> fixed;
  for (const auto& row : kFixedRows) {
    auto& readings = fixed[std::string(row.character)];
    for (const auto& reading : SplitSpaces(row.readings))
      readings.push_back(phonwright::zhuyin::Big5FromUtf8Zhuyin(reading));
  }

  std::string out = "// Generated by phonwright-polyphone-gen from libchewing's phrase data. Do not edit.\n";
  std::size_t countOfReadings[kMaxGeneratedReadings + 1] = {};
  for (const auto& character : characters) {
    const std::string big5 = Big5OfCharacter(character);
    if (big5.size() != 2) {
      std::fprintf(stderr, "phonwright-polyphone-gen: %s has no Big5 code\n", character.c_str());
      return 1;
    }
    const auto pinned = fixed.find(character);
    const auto readings =
        pinned != fixed.end() ? pinned->second : ChooseReadings(frequencies[character]);
    out += "{" + Escaped(big5) + ", " + std::to_string(readings.size()) + ", {";
    for (std::size_t i = 0; i < readings.size(); ++i) out += (i ? ", " : "") + Escaped(readings[i]);
    out += "}},\n";
    ++countOfReadings[std::min(readings.size(), std::size(countOfReadings) - 1)];
  }
  if (const auto error = platform::WriteFileAtomically(argv[3], out)) {
    std::fprintf(stderr, "phonwright-polyphone-gen: cannot write %s: %s\n", argv[3],
                 error.message().c_str());
    return 1;
  }
  std::printf("phonwright-polyphone-gen: %zu rows; characters by number of readings:",
              characters.size());
  for (std::size_t n = 0; n < std::size(countOfReadings); ++n)
    if (countOfReadings[n]) std::printf(" %zu: %zu", n, countOfReadings[n]);
  std::printf("\n");
  return 0;
}
