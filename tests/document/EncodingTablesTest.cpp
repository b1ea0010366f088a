#include "document/TextEncoding.h"

#include <gtest/gtest.h>

#include <vector>

using namespace document;

TEST(EncodingTables, MenuCommandsMapToIdsAndUnknownCommandsToMinusOne) {
    EXPECT_EQ(encodingForCommand(32774), ENC_SJIS);
    EXPECT_EQ(encodingForCommand(32775), ENC_JIS);
    EXPECT_EQ(encodingForCommand(32776), ENC_EUC);
    EXPECT_EQ(encodingForCommand(32777), ENC_UTF8);
    EXPECT_EQ(encodingForCommand(32778), ENC_UTF16LE_BOM);
    EXPECT_EQ(encodingForCommand(32845), ENC_LATIN);
    EXPECT_EQ(lineBreakForCommand(32779), LB_CR);
    EXPECT_EQ(lineBreakForCommand(32780), LB_CRLF);
    EXPECT_EQ(lineBreakForCommand(32781), LB_LF);
    // The terminator's command id 0 is not a command, nor are neighbours of the table.
    for (int command : {0, -1, 32773, 32782, 32846, 57601}) {
        EXPECT_EQ(encodingForCommand(command), -1) << command;
        EXPECT_EQ(lineBreakForCommand(command), -1) << command;
    }
    EXPECT_EQ(encodingCommandTable().back().command, 0);
    EXPECT_EQ(encodingCommandTable().back().value, -1);
}

TEST(EncodingTables, SettingsRowsFollowMenuOrder) {
    const std::vector<std::int32_t> encodings{1, 3, 2, 5, 7, 10};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(encodingForSettingsRow(row), encodings[static_cast<std::size_t>(row)]);
    }
    EXPECT_EQ(lineBreakForSettingsRow(0), LB_CR);
    EXPECT_EQ(lineBreakForSettingsRow(1), LB_CRLF);
    EXPECT_EQ(lineBreakForSettingsRow(2), LB_LF);
    for (int row : {-1, 6, 100}) {
        EXPECT_EQ(encodingForSettingsRow(row), -1);
    }
    EXPECT_EQ(lineBreakForSettingsRow(3), -1);
    EXPECT_EQ(lineBreakForSettingsRow(-1), -1);
}

TEST(EncodingTables, LineBreakBytesPerByteOrder) {
    auto bytesOf = [](std::int32_t encoding, std::int32_t lineBreak) {
        const auto span = lineBreakBytes(encoding, lineBreak);
        return std::vector<int>(span.begin(), span.end());
    };
    for (std::int32_t encoding : {1, 2, 3, 4, 5, 10}) {
        EXPECT_EQ(bytesOf(encoding, LB_CR), (std::vector<int>{0x0D}));
        EXPECT_EQ(bytesOf(encoding, LB_LF), (std::vector<int>{0x0A}));
        EXPECT_EQ(bytesOf(encoding, LB_CRLF), (std::vector<int>{0x0D, 0x0A}));
    }
    for (std::int32_t encoding : {7, 9}) {
        EXPECT_EQ(bytesOf(encoding, LB_CR), (std::vector<int>{0x0D, 0}));
        EXPECT_EQ(bytesOf(encoding, LB_CRLF), (std::vector<int>{0x0D, 0, 0x0A, 0}));
    }
    for (std::int32_t encoding : {6, 8}) {
        EXPECT_EQ(bytesOf(encoding, LB_LF), (std::vector<int>{0, 0x0A}));
        EXPECT_EQ(bytesOf(encoding, LB_CRLF), (std::vector<int>{0, 0x0D, 0, 0x0A}));
    }
    EXPECT_TRUE(bytesOf(0, LB_CR).empty());
    EXPECT_TRUE(bytesOf(11, LB_CR).empty());
    EXPECT_TRUE(bytesOf(1, 4).empty());
    EXPECT_EQ(byteOrderMark(ENC_UTF8_BOM).size(), 3u);
    EXPECT_EQ(byteOrderMark(ENC_UTF16BE_BOM)[0], 0xFE);
    EXPECT_EQ(byteOrderMark(ENC_UTF16LE_BOM)[0], 0xFF);
    EXPECT_TRUE(byteOrderMark(ENC_UTF16LE).empty());
}

TEST(EncodingTables, NamesRoundTripAndAcceptIdsAndMenuTexts) {
    for (std::int32_t id = 1; id <= 10; ++id) {
        EXPECT_EQ(encodingFromName(encodingName(id)), id);
        EXPECT_EQ(encodingFromName(std::to_string(id)), id);
    }
    EXPECT_EQ(encodingFromName("utf-16"), ENC_UTF16LE_BOM);
    EXPECT_EQ(encodingFromName("shiftjis"), ENC_SJIS);
    for (const char* bad : {"", "0", "11", "UTF", "sjis2", "123"}) {
        EXPECT_EQ(encodingFromName(bad), -1) << bad;
    }
    EXPECT_EQ(lineBreakFromName("crlf"), LB_CRLF);
    EXPECT_EQ(lineBreakFromName("2"), LB_LF);
    EXPECT_EQ(lineBreakFromName("4"), -1);
    EXPECT_EQ(lineBreakFromName("CR LF"), -1);
}
