// Where the program looks for its pictures and documentation: beside itself
// in a build tree, the install's data folder otherwise (also when the whole
// install has been moved elsewhere).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

#include "ProgramData.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

class DataFolders : public ::testing::Test {
protected:
    void SetUp() override {
        // Each test its own folder: ctest runs them side by side.
        root_ = fs::path(::testing::TempDir()) /
                ("vx-program-data-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
                 "-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "usr" / "bin");
        fs::create_directories(root_ / "build" / "bin" / "doc");
    }
    void TearDown() override { fs::remove_all(root_); }
    fs::path root_;
};

TEST_F(DataFolders, BesideTheProgramInABuildTree) {
    const fs::path bin = root_ / "build" / "bin";
    std::ofstream(bin / "fullmoon.bmp") << "BM";
    EXPECT_EQ(ProgramDataFolder(bin.string(), "../share/vexaril"), bin.string());
    fs::remove(bin / "fullmoon.bmp");
    std::ofstream(bin / "doc" / "index.html") << "<html>";
    EXPECT_EQ(ProgramDataFolder(bin.string(), "../share/vexaril"), bin.string()) << "the documentation alone";
}

TEST_F(DataFolders, TheInstallsDataFolderOtherwise) {
    const fs::path bin = root_ / "usr" / "bin";
    EXPECT_EQ(ProgramDataFolder(bin.string(), "../share/vexaril"), (root_ / "usr" / "share" / "vexaril").string());
    // A copy of the install somewhere else finds its own data.
    fs::create_directories(root_ / "opt" / "moved" / "bin");
    EXPECT_EQ(ProgramDataFolder((root_ / "opt" / "moved" / "bin").string(), "../share/vexaril"),
              (root_ / "opt" / "moved" / "share" / "vexaril").string());
}

}  // namespace
}  // namespace vx
