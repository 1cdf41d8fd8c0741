// The data-files folder rule and the creation of the logs folder with its parents.
#include "settings/folders.h"
#include "settings/location/data_folder.h"

#include "fake_special_folders.h"
#include "memory_file_system.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(DataFilesFolder, AppendsKorvaneToTheUsersAppData) {
    test::FakeSpecialFolders folders;
    folders.paths[26] = "C:\\Users\\A\\AppData\\Roaming";
    folders.paths[35] = "C:\\ProgramData";
    EXPECT_EQ("C:\\Users\\A\\AppData\\Roaming\\Korvane\\", DataFilesFolder(folders));
    EXPECT_EQ(std::vector<int32_t>{26}, folders.asked);
    EXPECT_EQ("C:\\ProgramData", ApplicationDataPath(folders, true));
    EXPECT_EQ("C:\\Users\\A\\AppData\\Roaming\\Korvane\\Korvn.ini",
              DataFilesFolder(folders) + kSettingsFileName);
}

TEST(DataFilesFolder, TrailingBackslashAndFailedLookup) {
    EXPECT_EQ("D:\\Data\\Korvane\\", DataFilesFolderFor("D:\\Data\\"));
    EXPECT_EQ("\\Korvane\\", DataFilesFolderFor(""));
    test::FakeSpecialFolders none;
    EXPECT_EQ("\\Korvane\\", DataFilesFolder(none));
}

TEST(CreateFolders, OutermostMissingFolderFirstAndNeverABareDrive) {
    test::MemoryFileSystem files;
    files.folders = {"C:\\Users", "C:\\Users\\A"};
    CreateLogsFolder(files, "C:\\Users\\A\\AppData\\Roaming\\Korvane\\");
    EXPECT_EQ((std::vector<std::string>{"C:\\Users\\A\\AppData", "C:\\Users\\A\\AppData\\Roaming",
                                        "C:\\Users\\A\\AppData\\Roaming\\Korvane",
                                        "C:\\Users\\A\\AppData\\Roaming\\Korvane\\logs"}),
              files.createdFolders);

    test::MemoryFileSystem bare;
    CreateFolders(bare, "\\Korvane\\logs\\");
    EXPECT_EQ((std::vector<std::string>{"\\Korvane", "\\Korvane\\logs"}), bare.createdFolders);

    test::MemoryFileSystem drive;
    CreateFolders(drive, "Z:\\");
    EXPECT_TRUE(drive.createdFolders.empty());
}

TEST(CreateFolders, AFailedCreationIsIgnored) {
    test::MemoryFileSystem files;
    files.readOnly = {"C:\\Locked"};
    EXPECT_FALSE(CreateFolders(files, "C:\\Locked\\Korvane\\logs"));
    EXPECT_EQ((std::vector<std::string>{"C:\\Locked", "C:\\Locked\\Korvane",
                                        "C:\\Locked\\Korvane\\logs"}),
              files.createdFolders);
}

} // namespace
} // namespace korvane
