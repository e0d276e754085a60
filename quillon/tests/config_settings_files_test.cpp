// The settings files end to end: locating and completing Configure.ini and the
// recipe, and reading and writing the settings records.
#include <gtest/gtest.h>

#include "platform/code_page.h"
#include "platform/system_locale.h"
#include "quillon/config/asr_settings.h"
#include "quillon/config/config_paths.h"
#include "quillon/config/firmware_image_set.h"
#include "quillon/config/number_text.h"
#include "quillon/config/private_profile.h"
#include "quillon/config/visible_id_set.h"
#include "quillon/config/voice_file_list.h"
#include "quillon/tests/config_test_support.h"

namespace quillon {
namespace {

using testing::ReadBytes;
using testing::ScratchDirectory;
using testing::Utf16LeFile;
using testing::WriteBytes;

class SettingsFilesTest : public ::testing::Test {
 protected:
  WorkingDirectory Directory() const { return *WorkingDirectory::FromPath(scratch_.path()); }
  std::u16string Read(const std::filesystem::path& file, std::u16string_view section, std::u16string_view key) {
    return ReadProfileString(file, section, key, u"<missing>");
  }

  platform::ScopedSystemLocale locale_{"en_US.UTF-8"};
  ScratchDirectory scratch_;
};

TEST_F(SettingsFilesTest, FreshDirectoryGetsConfigureIniAndRecipeWithDefaults) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));

  const auto configure = scratch_ / "Configure.ini";
  EXPECT_EQ(ReadBytes(configure).substr(0, 2), "\xFF\xFE");
  EXPECT_EQ(Read(configure, u"Recipe", u"Path"), u"\\Recipe\\DefaultRecipe.ini");
  const auto recipe = scratch_ / "Recipe/DefaultRecipe.ini";
  EXPECT_EQ(ReadBytes(recipe), Utf16LeFile(u"[ASRManagement]\r\nPath=\\Setting\\ASR\\DefaultASR.ini\r\n"
                                           u"[VoiceScript]\r\nPath=\\Setting\\Voice\\DefaultVoice.ini\r\n"
                                           u"[Firmware]\r\nPath=\\Setting\\Firmware\\DefaultFirmware.ini\r\n"));

  EXPECT_EQ(paths.asrSettings, scratch_ / "Setting/ASR/DefaultASR.ini");
  EXPECT_EQ(paths.voiceSettings, scratch_ / "Setting/Voice/DefaultVoice.ini");
  EXPECT_EQ(paths.firmwareSettings, scratch_ / "Setting/Firmware/DefaultFirmware.ini");
  EXPECT_EQ(paths.workingDirectory, scratch_.path());
}

TEST_F(SettingsFilesTest, EmptyRecipePathIsRewrittenAndOthersAreKept) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=\r\n"));
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));
  EXPECT_EQ(Read(scratch_ / "Configure.ini", u"Recipe", u"Path"), u"\\Recipe\\DefaultRecipe.ini");

  // A named recipe that does not exist yet is created with the defaults; a
  // recipe key already set is used as it stands.
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=\\Recipe\\Mine.ini\r\n"));
  WriteBytes(scratch_ / "Recipe/Mine.ini", Utf16LeFile(u"[VoiceScript]\r\nPath=\\V.ini\r\n[Firmware]\r\nPath=\r\n"));
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));
  EXPECT_EQ(paths.voiceSettings, scratch_ / "V.ini");
  EXPECT_EQ(paths.asrSettings, scratch_ / "Setting/ASR/DefaultASR.ini");
  EXPECT_EQ(Read(scratch_ / "Recipe/Mine.ini", u"Firmware", u"Path"), u"\\Setting\\Firmware\\DefaultFirmware.ini");
}

TEST_F(SettingsFilesTest, MissingRecipeFolderFailsAndLeavesOutputsUntouched) {
  ConfigPaths paths;
  paths.asrSettings = "untouched";
  EXPECT_FALSE(LocateConfiguration(Directory(), paths));
  EXPECT_EQ(paths.asrSettings, "untouched");
  EXPECT_EQ(Read(scratch_ / "Configure.ini", u"Recipe", u"Path"), u"\\Recipe\\DefaultRecipe.ini");
  EXPECT_FALSE(std::filesystem::exists(scratch_ / "Recipe"));
}

TEST_F(SettingsFilesTest, MissingSettingFolderMakesAsrWriteFail) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));
  AsrSettings settings;
  settings.count = 1;
  EXPECT_EQ(WriteAsrSettings(paths.asrSettings, settings), std::errc::no_such_file_or_directory);
  EXPECT_FALSE(std::filesystem::exists(paths.asrSettings));
}

TEST_F(SettingsFilesTest, ABinaryConfigureIniIsNeverWrittenTo) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  const std::string binary("\x7F" "ELF\2\1\1\0\0\0\0\0", 12);
  WriteBytes(scratch_ / "Configure.ini", binary);
  ConfigPaths paths;
  const ConfigurationLocation location = LocateConfiguration(Directory(), paths);
  EXPECT_FALSE(location);
  EXPECT_EQ(location.file, scratch_ / "Configure.ini");
  EXPECT_EQ(location.error, ProfileRefusal::NotText);
  EXPECT_EQ(ReadBytes(scratch_ / "Configure.ini"), binary);
  EXPECT_TRUE(paths.asrSettings.empty());
}

TEST_F(SettingsFilesTest, NothingIsCreatedOrWrittenOutsideTheWorkingDirectory) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  const std::filesystem::path outside = scratch_.path().parent_path() / "outside-recipe.ini";
  std::filesystem::remove(outside);
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=\\..\\outside-recipe.ini\r\n"));
  ConfigPaths paths;
  ConfigurationLocation location = LocateConfiguration(Directory(), paths);
  EXPECT_EQ(location.error, ProfileRefusal::OutsideWorkspace);
  EXPECT_EQ(location.file.lexically_normal(), outside.lexically_normal());
  EXPECT_FALSE(std::filesystem::exists(outside));

  // A settings file the recipe names outside is refused too; a path that goes
  // up and comes back in is inside.
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=\\Recipe\\R.ini\r\n"));
  const std::u16string self = platform::Utf8ToUtf16(scratch_.path().filename().string());
  WriteBytes(scratch_ / "Recipe/R.ini",
             Utf16LeFile(u"[ASRManagement]\r\nPath=\\..\\" + self + u"\\asr.ini\r\n"
                         u"[VoiceScript]\r\nPath=\\..\\..\\voice.ini\r\n[Firmware]\r\nPath=\\fw.ini\r\n"));
  location = LocateConfiguration(Directory(), paths);
  EXPECT_EQ(location.error, ProfileRefusal::OutsideWorkspace);
  EXPECT_EQ(location.file.filename(), "voice.ini");
  EXPECT_TRUE(paths.asrSettings.empty());
}

TEST_F(SettingsFilesTest, StoredPathsWithoutLeadingBackslashStayInside) {
  std::filesystem::create_directory(scratch_ / "Recipe");
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=Recipe\\Mine.ini\r\n"));
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));
  EXPECT_TRUE(std::filesystem::exists(scratch_ / "Recipe/Mine.ini"));
  EXPECT_EQ(Directory().Resolve(u"x.txt"), scratch_ / "x.txt");
  EXPECT_EQ(Directory().Resolve(u"\\x.txt"), scratch_ / "x.txt");
}

TEST_F(SettingsFilesTest, ATruncatedRecipePathNamesANewRecipeInside) {
  // A recipe named but missing is created with the defaults, whatever its
  // name: a cut name cannot be told from a new one.
  WriteBytes(scratch_ / "Configure.ini", Utf16LeFile(u"[Recipe]\r\nPath=\\Reci\r\n"));
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths));
  EXPECT_EQ(Read(scratch_ / "Reci", u"Firmware", u"Path"), u"\\Setting\\Firmware\\DefaultFirmware.ini");
}

TEST_F(SettingsFilesTest, WithoutDefaultWritesNothingIsCreated) {
  ConfigPaths paths;
  ASSERT_TRUE(LocateConfiguration(Directory(), paths, DefaultWrites::None));
  EXPECT_EQ(paths.asrSettings, scratch_ / "Setting/ASR/DefaultASR.ini");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch_.path()), {}), 0);
}

TEST_F(SettingsFilesTest, RefusedSettingsFilesSayWhyAndReadAsDefaults) {
  std::filesystem::create_directory(scratch_ / "asr.ini");
  AsrSettings settings;
  EXPECT_EQ(ReadAsrSettings(scratch_ / "asr.ini", settings), std::errc::is_a_directory);
  EXPECT_EQ(settings.count, 0);
  EXPECT_EQ(settings.threshold, 1);
  EXPECT_FALSE(ReadAsrSettings(scratch_ / "missing.ini", settings));
  WriteBytes(scratch_ / "fw.ini", std::string(100, '\0'));
  FirmwareImageSet images;
  EXPECT_EQ(ReadFirmwareSettings(scratch_ / "fw.ini", images), ProfileRefusal::NotText);
}

TEST_F(SettingsFilesTest, AsrSettingsReadDefaults) {
  WriteBytes(scratch_ / "asr.ini", Utf16LeFile(u"[ASRFileInfo]\r\nNumOfASRFile=3\r\n"
                                               u"GroupID_000=7\r\nPathName_000=\\cmd\\a.txt\r\n"
                                               u"PathName_002=\\cmd\\c.txt\r\n"
                                               u"[SettingInfo]\r\nMicrophone=258\r\n"));
  AsrSettings settings;
  settings.files[5].PathName = u"stale";
  ReadAsrSettings(scratch_ / "asr.ini", settings);
  EXPECT_EQ(settings.count, 3);
  EXPECT_EQ(settings.files[0].GroupID, 7);
  EXPECT_EQ(settings.files[0].PathName, u"\\cmd\\a.txt");
  EXPECT_EQ(settings.files[1].GroupID, 1);  // a missing GroupID is the entry's own index
  EXPECT_TRUE(settings.files[1].PathName.empty());
  EXPECT_EQ(settings.files[2].GroupID, 2);
  EXPECT_EQ(settings.files[5], AsrFileEntry{});
  EXPECT_EQ(settings.threshold, 1);
  EXPECT_EQ(settings.microphone, 2);  // low 8 bits
  EXPECT_EQ(settings.secondaryLanguage, 0);

  ReadAsrSettings(scratch_ / "missing.ini", settings);
  EXPECT_EQ(settings.count, 0);
  EXPECT_EQ(settings.files[0], AsrFileEntry{});
}

TEST_F(SettingsFilesTest, AsrCountsBeyondTheTableAreLimited) {
  std::u16string text = u"[ASRFileInfo]\r\nNumOfASRFile=1000\r\n";
  WriteBytes(scratch_ / "asr.ini", Utf16LeFile(text));
  AsrSettings settings;
  ReadAsrSettings(scratch_ / "asr.ini", settings);
  EXPECT_EQ(settings.count, static_cast<std::int32_t>(kMaxAsrFiles));
  EXPECT_EQ(settings.files[kMaxAsrFiles - 1].GroupID, 63);

  WriteBytes(scratch_ / "asr.ini", Utf16LeFile(u"[ASRFileInfo]\r\nNumOfASRFile=-4\r\n"));
  ReadAsrSettings(scratch_ / "asr.ini", settings);
  EXPECT_EQ(settings.count, 0);

  settings.count = 500;  // a record filled past its table writes only the table
  EXPECT_EQ(WriteAsrSettings(scratch_ / "asr.ini", settings), std::error_code{});
  EXPECT_EQ(Read(scratch_ / "asr.ini", u"ASRFileInfo", u"NumOfASRFile"), u"64");
  EXPECT_EQ(Read(scratch_ / "asr.ini", u"ASRFileInfo", u"GroupID_064"), u"<missing>");
}

TEST_F(SettingsFilesTest, AsrWriteFormatsAndRoundTrips) {
  AsrSettings settings;
  settings.count = 2;
  settings.files[0] = {5, WidePath(u"\\cmd\\\u958b\u71c8.txt")};
  settings.files[1] = {12, WidePath(u"\\cmd\\Off.txt")};
  settings.threshold = 200;
  settings.lingualType = 1;
  settings.primaryLanguage = 1;
  settings.secondaryLanguage = 0;
  const auto file = scratch_ / "asr.ini";
  ASSERT_EQ(WriteAsrSettings(file, settings), std::error_code{});
  EXPECT_EQ(ReadBytes(file), Utf16LeFile(u"[ASRFileInfo]\r\nNumOfASRFile=2\r\n"
                                         u"GroupID_000=005\r\nPathName_000=\\cmd\\\u958b\u71c8.txt\r\n"
                                         u"GroupID_001=012\r\nPathName_001=\\cmd\\Off.txt\r\n"
                                         u"[SettingInfo]\r\nThreshold=200\r\nMicrophone=0\r\nLingualType=1\r\n"
                                         u"PrimaryLanguage=1\r\nSecondaryLanguage=0\r\n"));
  AsrSettings readBack;
  ReadAsrSettings(file, readBack);
  EXPECT_EQ(readBack, settings);
}

TEST_F(SettingsFilesTest, AsrWriteThatCannotStoreAPathChangesNothing) {
  const auto file = scratch_ / "asr.ini";
  AsrSettings settings;
  settings.count = 2;
  settings.files[0].PathName = u"\\a.txt";
  ASSERT_EQ(WriteAsrSettings(file, settings), std::error_code{});
  const std::string before = ReadBytes(file);
  settings.files[1].PathName = u"\\line\nbreak.txt";  // a file name may hold one on this system
  EXPECT_EQ(WriteAsrSettings(file, settings), std::errc::invalid_argument);
  EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(SettingsFilesTest, SavingTwoOverFiveKeepsOldKeysAndReadsTwo) {
  const auto file = scratch_ / "asr.ini";
  AsrSettings five;
  five.count = 5;
  for (int i = 0; i < 5; ++i) five.files[static_cast<std::size_t>(i)] = {i, WidePath(u"\\f" + FormatDecimal(i))};
  ASSERT_EQ(WriteAsrSettings(file, five), std::error_code{});
  AsrSettings two = five;
  two.count = 2;
  two.files[1].PathName = u"\\changed";
  ASSERT_EQ(WriteAsrSettings(file, two), std::error_code{});

  EXPECT_EQ(Read(file, u"ASRFileInfo", u"NumOfASRFile"), u"2");
  EXPECT_EQ(Read(file, u"ASRFileInfo", u"PathName_001"), u"\\changed");
  EXPECT_EQ(Read(file, u"ASRFileInfo", u"PathName_004"), u"\\f4");
  AsrSettings readBack;
  ReadAsrSettings(file, readBack);
  EXPECT_EQ(readBack.count, 2);
  EXPECT_EQ(readBack.files[1].PathName, u"\\changed");
  EXPECT_EQ(readBack.files[2], AsrFileEntry{});
}

TEST_F(SettingsFilesTest, FirmwareSettings) {
  WriteBytes(scratch_ / "fw.ini", Utf16LeFile(u"[FirmwareImage]\r\nMCUImagePath=\\fw\\mcu.bin\r\n"
                                              u"DSPImagePath=\\fw\\dsp.bin\r\n"
                                              u"[DynamicLoadImage]\r\nNumOfDynamicImage=40\r\n"
                                              u"TaskID_000=9\r\nPathName_000=\\fw\\t9.bin\r\n"));
  FirmwareImageSet images;
  images.dynamicImages[3].PathName = u"stale";
  ReadFirmwareSettings(scratch_ / "fw.ini", images);
  EXPECT_EQ(images.mcuImagePath, u"\\fw\\mcu.bin");
  EXPECT_EQ(images.dspImagePath, u"\\fw\\dsp.bin");
  EXPECT_TRUE(images.autobootImagePath.empty());
  EXPECT_TRUE(images.userImagePath.empty());
  EXPECT_EQ(images.dynamicImageCount, static_cast<std::int32_t>(kMaxDynamicImages));
  EXPECT_EQ(images.dynamicImages[0].TaskID, 9);
  EXPECT_EQ(images.dynamicImages[0].PathName, u"\\fw\\t9.bin");
  EXPECT_EQ(images.dynamicImages[3].TaskID, 3);
  EXPECT_TRUE(images.dynamicImages[3].PathName.empty());
  EXPECT_EQ(images.activeDynamicImages().size(), kMaxDynamicImages);
}

TEST_F(SettingsFilesTest, VoiceIdsAreHexadecimal) {
  WriteBytes(scratch_ / "voice.ini", Utf16LeFile(u"[VoiceFileInfo]\r\nNumOfVoiceFile=5\r\n"
                                                 u"VoiceID_0000=1A\r\nVoiceID_0001=0x1A\r\nVoiceID_0002=zz\r\n"
                                                 u"PathName_0003=\\v\\3.wav\r\nVoiceID_0004= 0Xff\r\n"));
  VoiceFileList voices;
  ReadVoiceSettings(scratch_ / "voice.ini", voices);
  ASSERT_EQ(voices.count(), 5);
  EXPECT_EQ(voices.entries[0].VoiceID, 26u);
  EXPECT_EQ(voices.entries[1].VoiceID, 26u);
  EXPECT_EQ(voices.entries[2].VoiceID, 0u);
  EXPECT_EQ(voices.entries[3].VoiceID, 0u);  // missing: "0x00"
  EXPECT_EQ(voices.entries[3].PathName, u"\\v\\3.wav");
  EXPECT_EQ(voices.entries[4].VoiceID, 255u);

  WriteBytes(scratch_ / "voice.ini", Utf16LeFile(u"[VoiceFileInfo]\r\nNumOfVoiceFile=0\r\n"));
  ReadVoiceSettings(scratch_ / "voice.ini", voices);
  EXPECT_EQ(voices.count(), 0);
}

TEST_F(SettingsFilesTest, VisibleIds) {
  std::filesystem::create_directory(scratch_ / "cmd");
  const auto commandFile = scratch_ / "cmd/On.txt";
  EXPECT_TRUE(ReadVisibleIds(commandFile).empty());  // no config.ini

  WriteBytes(scratch_ / "cmd/config.ini",
             Utf16LeFile(u"[on.TXT]\r\nvisible=,3,1,,2,\r\n[Other.txt]\r\nvisible=9\r\n[x.txt]\r\nvisible=4,a\r\n"));
  EXPECT_EQ(ReadVisibleIds(commandFile), (VisibleIdSet{1, 2, 3}));
  EXPECT_EQ(ReadVisibleIds(scratch_ / "cmd/x.txt"), (VisibleIdSet{0, 4}));
  EXPECT_TRUE(ReadVisibleIds(scratch_ / "cmd/None.txt").empty());
  EXPECT_TRUE(ReadVisibleIds("On.txt").empty());  // no folder part
}

TEST_F(SettingsFilesTest, VisibleListOfAFullFileIsReadWhole) {
  // A list longer than 259 units was cut: the 44th ID read as 1 and the rest
  // were hidden.
  VisibleIdSet ids;
  std::u16string list;
  for (int id = 10000; id < 12000; ++id) {
    ids.insert(id);
    list += FormatDecimal(id) + u",";
  }
  WriteBytes(scratch_ / "config.ini", Utf16LeFile(u"[a.txt]\r\nvisible=" + list + u"\r\n"));
  EXPECT_EQ(ReadVisibleIds(scratch_ / "a.txt"), ids);
}

TEST_F(SettingsFilesTest, VisibleListWriteKeepsOtherSectionsAndReadsBack) {
  std::filesystem::create_directory(scratch_ / "cmd");
  WriteBytes(scratch_ / "cmd/config.ini", Utf16LeFile(u"[Other.txt]\r\nvisible=9\r\n[On.txt]\r\nvisible=3\r\n"));
  EXPECT_EQ(WriteVisibleIds(scratch_ / "cmd/On.txt", {26, 1, 3}), std::error_code{});
  EXPECT_EQ(Read(scratch_ / "cmd/config.ini", u"On.txt", u"visible"), u"1,3,26");
  EXPECT_EQ(ReadVisibleIds(scratch_ / "cmd/Other.txt"), (VisibleIdSet{9}));

  // A folder without config.ini gets one; a missing folder is an error.
  std::filesystem::create_directory(scratch_ / "new");
  EXPECT_EQ(WriteVisibleIds(scratch_ / "new/A.txt", {7}), std::error_code{});
  EXPECT_EQ(ReadVisibleIds(scratch_ / "new/A.txt"), (VisibleIdSet{7}));
  EXPECT_EQ(WriteVisibleIds(scratch_ / "missing/A.txt", {7}), std::errc::no_such_file_or_directory);

  // More IDs than any command file holds would be cut on reading: refused.
  VisibleIdSet tooMany;
  for (int id = 10000; id < 12001; ++id) tooMany.insert(id);
  EXPECT_EQ(WriteVisibleIds(scratch_ / "new/A.txt", tooMany), std::errc::value_too_large);
  EXPECT_EQ(ReadVisibleIds(scratch_ / "new/A.txt"), (VisibleIdSet{7}));
}

}  // namespace
}  // namespace quillon
