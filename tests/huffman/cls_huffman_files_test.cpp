// The file and string operations around EncodeByte and DecodeByte.
#include <gtest/gtest.h>

#include <filesystem>

#include "ansi_text.h"
#include "stream_builder.h"
#include "temp_folder.h"
#include "updater/codec/cls_huffman.h"

namespace {

using qd::testing::read_file;
using qd::testing::write_file;

class CodecFiles : public ::testing::Test {
protected:
    qd::testing::TempFolder folder;
    qd::clsHuffman codec;
};

TEST_F(CodecFiles, encodeThenDecodeGivesTheFileBack) {
    std::string content;
    for (int i = 0; i < 3000; ++i) content += "line " + std::to_string(i) + "\r\n";
    write_file("package.pck", content);
    write_file("package.cmp", "an older file in the way");
    codec.EncodeFile("package.pck", "package.cmp");
    EXPECT_EQ(read_file("package.cmp").substr(0, 4), "HE3\r");
    codec.DecodeFile("package.cmp", "again.pck");
    EXPECT_EQ(read_file("again.pck"), content);
}

TEST_F(CodecFiles, emptySourceGivesTheStoredIdentification) {
    write_file("empty", "");
    codec.EncodeFile("empty", "empty.cmp");
    EXPECT_EQ(read_file("empty.cmp"), "HE0\r");
    codec.DecodeFile("empty.cmp", "empty.out");
    EXPECT_TRUE(std::filesystem::exists("empty.out"));
    EXPECT_EQ(read_file("empty.out"), "");
}

TEST_F(CodecFiles, missingSourceWritesNothing) {
    for (bool decoding : {false, true}) {
        SCOPED_TRACE(decoding ? "DecodeFile" : "EncodeFile");
        try {
            decoding ? codec.DecodeFile("absent.cmp", "out") : codec.EncodeFile("absent", "out");
            FAIL() << "no error";
        } catch (const qd::CodecError& error) {
            EXPECT_STREQ(error.what(), "Source file does not exist");
        }
        EXPECT_FALSE(std::filesystem::exists("out"));
    }
}

TEST_F(CodecFiles, undecodableSourceLeavesTheDestination) {
    write_file("broken.cmp", "HE3\r not a stream");
    write_file("package.pck", "the package that was there");
    // A guarded step sees the codec's own number, not a generic one.
    try {
        codec.DecodeFile("broken.cmp", "package.pck");
        ADD_FAILURE() << "no error";
    } catch (const qd::Failure& failure) {
        EXPECT_EQ(failure.code(), 301);
        EXPECT_EQ(failure.description(), "Error Decoding File");
    }
    EXPECT_EQ(read_file("package.pck"), "the package that was there");
}

TEST_F(CodecFiles, folderAsSourceCountsAsMissing) {
    std::filesystem::create_directory("folder");
    EXPECT_THROW(codec.EncodeFile("folder", "out"), qd::CodecError);
}

// The strings travel through Windows-1252: the euro sign and the en dash are
// single bytes there, and the stream bytes come back as their characters.
TEST(CodecStrings, encodeThenDecodeGivesTheTextBack) {
    qd::clsHuffman codec;
    const std::string text = "Prüfung – 25 € für «alle» Übungen";
    std::string encoded = codec.EncodeString(text);
    EXPECT_EQ(encoded.substr(0, 4), "HE3\r");
    EXPECT_EQ(codec.DecodeString(encoded), text);
}

TEST(CodecStrings, streamBytesBecomeCodePageCharacters) {
    qd::clsHuffman codec;
    EXPECT_EQ(codec.EncodeString("€"), "HE0\r€");  // the data byte 0x80 is the euro sign
    // Every byte, the five unassigned ones included, survives the trip through text.
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string text = qd::he3::ansi_to_utf8(all);
    EXPECT_EQ(codec.DecodeString(codec.EncodeString(text)), text);
    EXPECT_EQ(qd::he3::utf8_to_ansi(text), all);
}

TEST(CodecStrings, charactersOutsideTheCodePageAreRefusedNotReplaced) {
    qd::clsHuffman codec;
    try {
        (void)codec.EncodeString("日本");
        FAIL() << "no error";
    } catch (const qd::CodecError& error) {
        EXPECT_EQ(error.kind(), qd::CodecError::Kind::text_not_in_code_page);
    }
    EXPECT_THROW((void)codec.DecodeString("HE0\r日本"), qd::CodecError);
    EXPECT_THROW((void)codec.EncodeString("\xC3"), qd::CodecError);  // cut UTF-8
}

}  // namespace
