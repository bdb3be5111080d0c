#include "insert/RecordingFile.h"

#include "sites/SiteDefinitions.h"
#include "util/FileUtil.h"
#include "util/ProfileFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

namespace {

std::string readAll(const std::string &path)
{
    std::string text;
    util::ReadFile(path, text);
    return text;
}

class RecordingFileTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(util::MakeFolders(dir.file("program/Bin")));
        ASSERT_TRUE(util::WriteFileAtomic(dir.file("program/Bin/Template.wav"), "TEMPLATE"));
        util::SetProgramFolder(dir.file("program/"));
        ASSERT_TRUE(util::MakeFolders(dir.file("Site")));
        SiteDefinitions(profile).Add("Site", dir.file("Site"), "media");
    }
    void TearDown() override { util::SetProgramFolder(""); }

    TempDir dir;
    ProfileFile profile;
};

TEST_F(RecordingFileTest, NewNameGetsTheTemplateInTheResourceFolder)
{
    const std::string page = dir.file("Site/index.html");
    EXPECT_EQ(PrepareRecordingFile("voice", page, profile), dir.file("Site/media/voice.wav"));
    EXPECT_EQ(readAll(dir.file("Site/media/voice.wav")), "TEMPLATE");
    // A name with an extension keeps it; a folder typed with the name is not the destination.
    EXPECT_EQ(PrepareRecordingFile("/elsewhere/take.snd", page, profile),
              dir.file("Site/media/take.snd"));
    // A dot in a folder is no extension.
    EXPECT_EQ(PrepareRecordingFile("/my.sounds/hello", page, profile),
              dir.file("Site/media/hello.wav"));
}

TEST_F(RecordingFileTest, ExistingFilesAreUsedAndNeverOverwritten)
{
    const std::string page = dir.file("Site/index.html");
    const std::string existing = dir.file("mine.wav");
    ASSERT_TRUE(util::WriteFileAtomic(existing, "MY RECORDING"));
    EXPECT_EQ(PrepareRecordingFile(existing, page, profile), existing);
    EXPECT_EQ(readAll(existing), "MY RECORDING");
    EXPECT_FALSE(util::FileExists(dir.file("Site/media/mine.wav")));

    // A recording already in the resource folder under the new name stays as it is.
    ASSERT_TRUE(util::MakeFolders(dir.file("Site/media")));
    ASSERT_TRUE(util::WriteFileAtomic(dir.file("Site/media/again.wav"), "EARLIER TAKE"));
    EXPECT_EQ(PrepareRecordingFile("again", page, profile), dir.file("Site/media/again.wav"));
    EXPECT_EQ(readAll(dir.file("Site/media/again.wav")), "EARLIER TAKE");
}

TEST_F(RecordingFileTest, PageWithoutAFolderRecordsAtTheNamedPath)
{
    const std::string target = dir.file("loose/new.wav");
    EXPECT_EQ(PrepareRecordingFile(target, "", profile), target);
    EXPECT_EQ(readAll(target), "TEMPLATE");
    EXPECT_EQ(PrepareRecordingFile("", dir.file("Site/index.html"), profile), "");
}

} // namespace
