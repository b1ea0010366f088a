#include "shell/EditorProgram.h"

#include "platform/DesktopAssociation.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using kivtest::EditorProgram;

namespace {

// The desktop's association files in a folder of the test's own.
class Association : public EditorProgram {
protected:
    void SetUp() override {
        const std::string desktop = scratch_.root() + "desktop/";
        std::filesystem::create_directories(desktop + "data/applications");
        std::filesystem::create_directories(desktop + "config");
        // Two applications for text, the other one the system's default.
        for (const char* name : {"kiv", "other"}) {
            std::ofstream(desktop + "data/applications/" + name + ".desktop")
                << "[Desktop Entry]\nType=Application\nName=" << name
                << "\nExec=true %F\nMimeType=text/plain;application/x-wine-extension-ini;\n";
        }
        std::ofstream(desktop + "data/applications/mimeapps.list")
            << "[Default Applications]\ntext/plain=other.desktop\n"
               "application/x-wine-extension-ini=other.desktop\n";
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
            const char* old = std::getenv(name);
            saved_.emplace_back(name,
                                old != nullptr ? std::optional<std::string>(old) : std::nullopt);
        }
        setenv("XDG_CONFIG_HOME", (desktop + "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (desktop + "data").c_str(), 1);
        setenv("XDG_DATA_DIRS", (desktop + "data").c_str(), 1);
        mimeapps_ = desktop + "config/mimeapps.list";
    }
    void TearDown() override {
        EditorProgram::TearDown();
        for (const auto& [name, value] : saved_) {
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    static bool kivOpens(const char* extension) {
        return platform::isDefaultApplication(platform::mimeTypeOfExtension(extension),
                                              "kiv.desktop");
    }
    void command(UINT id) {
        SendMessage(frame().hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::test::pumpMessages();
    }
    std::string mimeapps_;

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

} // namespace

TEST_F(Association, TheFirstRunOffersItOnceAndTheMenuAddsOrRemovesIt) {
    ASSERT_FALSE(platform::mimeTypeOfExtension(".txt").empty());
    ASSERT_FALSE(platform::mimeTypeOfExtension(".ini").empty());
    platform::test::queueMessageBoxAnswer(IDYES);
    start();
    auto boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Do you want to associate *.txt/*.ini with kiv?");
    EXPECT_EQ(boxes[0].caption, u"Confirm");
    EXPECT_TRUE(kivOpens(".txt"));
    EXPECT_TRUE(kivOpens(".ini"));
    stop();
    // Not the first run any more, and associated: nothing is asked.
    start();
    EXPECT_TRUE(platform::test::takeMessageBoxCalls().empty());

    // Another application's default for some other type stays when kiv's go.
    std::ofstream(mimeapps_, std::ios::app) << "text/csv=other.desktop\n";
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_TOOLS_ASSOCIATION);
    boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Do you want to remove the association *.txt/*.ini with kiv?");
    EXPECT_FALSE(kivOpens(".txt"));
    EXPECT_FALSE(kivOpens(".ini"));
    EXPECT_TRUE(platform::isDefaultApplication("text/csv", "other.desktop"));

    // Only one of the two is kiv's: the command offers to associate both.
    platform::makeDefaultApplication(platform::mimeTypeOfExtension(".txt"), "kiv.desktop");
    platform::test::queueMessageBoxAnswer(IDYES);
    command(ID_TOOLS_ASSOCIATION);
    boxes = platform::test::takeMessageBoxCalls();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, u"Do you want to associate *.txt/*.ini with kiv?");
    EXPECT_TRUE(kivOpens(".ini"));
}
