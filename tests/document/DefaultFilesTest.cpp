#include "document/DefaultFiles.h"

#include "document/IniFile.h"
#include "support/ScratchProgramDirectory.h"

#include <gtest/gtest.h>

TEST(DefaultFiles, SeedMissingFilesOnlyAndShipUsableDefaults) {
    ScratchProgramDirectory dir;
    dir.writeFile("template.ini", "Mine=kept\n");
    document::seedProgramFiles("0409");
    EXPECT_TRUE(dir.exists("misc_.ini"));
    EXPECT_TRUE(dir.exists("template_0409.ini"));
    EXPECT_EQ(dir.readFile("misc.ini"), dir.readFile("misc_.ini"));
    EXPECT_EQ(dir.readFile("template.ini"), "Mine=kept\n");

    document::IniFile misc;
    misc.loadText(dir.readFile("misc.ini"));
    for (const char16_t* key : {u"color_highlight", u"color_highlighttext", u"color_window",
                                u"color_windowtext", u"color_underline"}) {
        EXPECT_NE(
            misc.text().find(std::string(key, key + std::char_traits<char16_t>::length(key)) + "="),
            std::string::npos);
        EXPECT_EQ(misc.readColor(u"misc", key), 0xFFFFFFFFu) << "shipped colours keep the defaults";
    }
    EXPECT_NE(dir.readFile("template_0409.ini").find("%year%"), std::string::npos);

    dir.writeFile("misc.ini", "[misc]\ncolor_window=000000\n");
    document::seedProgramFiles("0409");
    EXPECT_EQ(dir.readFile("misc.ini"), "[misc]\ncolor_window=000000\n");
}
