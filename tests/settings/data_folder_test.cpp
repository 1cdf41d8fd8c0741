// The data-files folder rule and the creation of the logs folder with its parents.
#include "settings/folders.h"
#include "settings/location/data_folder.h"
#include "toolkit/files.h"

#include "fake_profile.h"

#include <gtest/gtest.h>

#include <set>

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

// Folders held in memory; records every creation in order.
class FolderRecorder final : public FileSystem {
  public:
    bool FileExists(const std::string&) override { return false; }
    bool FolderExists(const std::string& path) override {
        std::string p = path;
        while (!p.empty() && p.back() == '\\') {
            p.pop_back();
        }
        return existing.count(p) != 0;
    }
    bool CreateFolder(const std::string& path) override {
        created.push_back(path);
        for (const std::string& locked : refuse) {
            if (path.rfind(locked, 0) == 0) {
                return false; // the folder and everything below it
            }
        }
        existing.insert(path);
        return true;
    }
    std::vector<std::string> FindFiles(const std::string&) override { return {}; }
    bool AppendLine(const std::string&, const std::string&) override { return false; }
    std::unique_ptr<FileReader> OpenRead(const std::string&) override { return nullptr; }
    std::unique_ptr<FileWriter> CreateWrite(const std::string&) override { return nullptr; }
    bool ReplaceAtomically(const std::string&, const std::string&) override { return false; }
    bool RemoveFile(const std::string&) override { return false; }

    std::set<std::string> existing;
    std::set<std::string> refuse;
    std::vector<std::string> created;
};

TEST(CreateFolders, OutermostMissingFolderFirstAndNeverABareDrive) {
    FolderRecorder files;
    files.existing = {"C:\\Users", "C:\\Users\\A"};
    CreateLogsFolder(files, "C:\\Users\\A\\AppData\\Roaming\\Korvane\\");
    EXPECT_EQ((std::vector<std::string>{"C:\\Users\\A\\AppData", "C:\\Users\\A\\AppData\\Roaming",
                                        "C:\\Users\\A\\AppData\\Roaming\\Korvane",
                                        "C:\\Users\\A\\AppData\\Roaming\\Korvane\\logs"}),
              files.created);

    FolderRecorder bare;
    CreateFolders(bare, "\\Korvane\\logs\\");
    EXPECT_EQ((std::vector<std::string>{"\\Korvane", "\\Korvane\\logs"}), bare.created);

    FolderRecorder drive;
    CreateFolders(drive, "Z:\\");
    EXPECT_TRUE(drive.created.empty());
}

TEST(CreateFolders, AFailedCreationIsIgnored) {
    FolderRecorder files;
    files.refuse = {"C:\\Locked"};
    EXPECT_FALSE(CreateFolders(files, "C:\\Locked\\Korvane\\logs"));
    EXPECT_EQ((std::vector<std::string>{"C:\\Locked", "C:\\Locked\\Korvane",
                                        "C:\\Locked\\Korvane\\logs"}),
              files.created);
}

} // namespace
} // namespace korvane
