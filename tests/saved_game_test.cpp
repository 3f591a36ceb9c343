// The saved game's record: its exact characters, how it reads back, and that a
// failed write never harms the save already on disk.
#include "level/saved_game.h"
#include "level/map_file.h"
#include "support/test_support.h"

#include <sys/stat.h>

namespace {

const std::string zeros45(45, '0');

bool loadPlain(SavedGame& save, const TempFolder& folder, const std::string& plain) {
    folder.writeSave(plain);
    return loadGame(save, folder.file(saveFileName));
}

}  // namespace

TEST(SavedGameRecord, HasTwoLevelDigitsThenFortyFiveFlags) {
    SavedGame save;
    save.highestLevel = 7;
    EXPECT_EQ(savedGameRecord(save), "07" + zeros45);
    save.highestLevel = 12;
    EXPECT_EQ(savedGameRecord(save), "12" + zeros45);
    save.highestLevel = 36;
    save.peachTaken[0] = true;
    save.peachTaken[35] = true;
    save.enabled[LowFriction] = true;
    save.spareSwitch = true;
    save.gameWon = true;
    EXPECT_EQ(savedGameRecord(save),
              "36"
              "1" +
                  std::string(34, '0') +
                  "1"
                  "000000"
                  "1"
                  "1"
                  "1");
}

TEST(SavedGameRecord, IsScrambledOnDiskAndReadsBack) {
    TempFolder folder;
    SavedGame save;
    save.highestLevel = 9;
    save.peachTaken[3] = true;
    save.enabled[MirroredLevels] = true;
    ASSERT_TRUE(saveGame(save, folder.file(saveFileName)));
    EXPECT_EQ(readWholeFile(folder.file(saveFileName)), scrambleText(savedGameRecord(save), 0x71));
    SavedGame loaded;
    ASSERT_TRUE(loadGame(loaded, folder.file(saveFileName)));
    EXPECT_EQ(savedGameRecord(loaded), savedGameRecord(save));
}

TEST(LoadGame, CountsPeachesAndTheNoticesAlreadyEarned) {
    TempFolder folder;
    SavedGame save;
    save.currentLevel = 4;
    ASSERT_TRUE(loadPlain(save, folder, "20" + std::string(12, '1') + std::string(33, '0')));
    EXPECT_EQ(save.highestLevel, 20);
    EXPECT_EQ(save.peachCount, 12);
    EXPECT_EQ(save.noticesShown, 2);
    EXPECT_EQ(save.currentLevel, 4);
}

TEST(LoadGame, ReadsNonDigitsAsZero) {
    TempFolder folder;
    SavedGame save;
    std::string plain = "x5" + std::string(36, '1') +
                        "1x10000"
                        "a"
                        "?";
    ASSERT_TRUE(loadPlain(save, folder, plain));
    EXPECT_EQ(save.highestLevel, 0);
    EXPECT_EQ(save.peachCount, 36);
    EXPECT_TRUE(save.enabled[GreenPlayer]);
    EXPECT_FALSE(save.enabled[OldschoolGraphics]);
    EXPECT_TRUE(save.enabled[EditedMusic]);
    EXPECT_FALSE(save.spareSwitch);
    EXPECT_FALSE(save.gameWon);
}

TEST(LoadGame, KeepsEveryFieldAShortRecordDoesNotReach) {
    TempFolder folder;
    SavedGame save;
    save.highestLevel = 30;
    save.peachTaken.fill(true);
    save.enabled[FastMotion] = true;
    save.gameWon = true;
    ASSERT_TRUE(loadPlain(save, folder, "0500"));  // level 5, peaches of levels 1 and 2 not taken
    EXPECT_EQ(save.highestLevel, 5);
    EXPECT_FALSE(save.peachTaken[0]);
    EXPECT_FALSE(save.peachTaken[1]);
    EXPECT_TRUE(save.peachTaken[2]);
    EXPECT_EQ(save.peachCount, 34);
    EXPECT_EQ(save.noticesShown, 6);
    EXPECT_TRUE(save.enabled[FastMotion]);
    EXPECT_TRUE(save.gameWon);

    ASSERT_TRUE(loadPlain(save, folder, "7"));
    EXPECT_EQ(save.highestLevel, 5);
}

TEST(LoadGame, StopsAtTheFirstLineFeedAndFailsWithoutAFile) {
    TempFolder folder;
    SavedGame save;
    std::string bytes = scrambleText("11" + zeros45, saveKey);
    bytes[10] = '\n';  // everything from character 10 on is cut off
    writeWholeFile(folder.file(saveFileName), bytes);
    save.gameWon = true;
    ASSERT_TRUE(loadGame(save, folder.file(saveFileName)));
    EXPECT_EQ(save.highestLevel, 11);
    EXPECT_TRUE(save.gameWon);

    save.peachCount = 9;
    EXPECT_FALSE(loadGame(save, folder.file("missing.sav")));
    EXPECT_EQ(save.peachCount, 0);
    EXPECT_EQ(save.highestLevel, 11);
    EXPECT_FALSE(saveFileExists(folder.file("missing.sav")));
    EXPECT_TRUE(saveFileExists(folder.file(saveFileName)));
}

TEST(SaveGame, AFailedWriteLeavesTheOldFileByteForByte) {
    TempFolder folder;
    SavedGame save;
    save.highestLevel = 3;
    ASSERT_TRUE(saveGame(save, folder.file(saveFileName)));
    std::string before = readWholeFile(folder.file(saveFileName));
    // The temporary file cannot be created where a folder of that name stands.
    ASSERT_EQ(mkdir(folder.file(std::string(saveFileName) + ".tmp").c_str(), 0755), 0);
    save.highestLevel = 4;
    EXPECT_FALSE(saveGame(save, folder.file(saveFileName)));
    EXPECT_EQ(readWholeFile(folder.file(saveFileName)), before);
}

// Whatever a file holds, the record written for what was read reads back the same.
struct FileHolding {
    const char* name;
    std::string record;
};

class DecodeSavedGame : public ::testing::TestWithParam<FileHolding> {};

TEST_P(DecodeSavedGame, WhatItReadsIsWrittenBackToReadTheSame) {
    SavedGame read;
    decodeSavedGame(scrambleText(GetParam().record, saveKey), read);
    std::string record = savedGameRecord(read);
    ASSERT_EQ(record.size(), 47u);
    SavedGame again;
    again.highestLevel = 77;
    again.gameWon = !read.gameWon;
    decodeSavedGame(scrambleText(record, saveKey), again);
    EXPECT_EQ(again.highestLevel, read.highestLevel);
    EXPECT_EQ(again.peachTaken, read.peachTaken);
    EXPECT_EQ(again.enabled, read.enabled);
    EXPECT_EQ(again.spareSwitch, read.spareSwitch);
    EXPECT_EQ(again.gameWon, read.gameWon);
    EXPECT_EQ(again.peachCount, read.peachCount);
}

INSTANTIATE_TEST_SUITE_P(Records, DecodeSavedGame,
                         ::testing::Values(FileHolding{"Nothing", ""}, FileHolding{"OneDigit", "7"},
                                           FileHolding{"ANegativeLevel", "-9"},
                                           FileHolding{"LevelPastTheLast", "99" + std::string(45, '1')},
                                           FileHolding{"ALetterForADigit", "x5" + std::string(45, '9')},
                                           FileHolding{"ACutShortRecord", "12" + std::string(30, '1')},
                                           FileHolding{"AnOverlongRecord", std::string(300, '3')}),
                         [](const ::testing::TestParamInfo<FileHolding>& info) {
                             return std::string(info.param.name);
                         });
