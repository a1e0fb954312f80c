#include "io/CsvQuote.h"
#include "io/CsvRecordReader.h"
#include "io/FieldRules.h"
#include "io/TextCodec.h"

#include <gtest/gtest.h>

#include <sstream>

namespace qdx {
namespace {

std::vector<std::string> records(const std::string& bytes, bool* unclosed = nullptr,
                                 std::vector<std::string>* lastLines = nullptr) {
    std::istringstream in(bytes);
    CsvRecordReader reader(in);
    std::vector<std::string> out;
    while (reader.next()) {
        out.push_back(reader.record());
        if (lastLines) {
            lastLines->push_back(reader.lastLine());
        }
    }
    if (unclosed) {
        *unclosed = reader.unclosedAtEnd();
    }
    return out;
}

TEST(TextCodec, RoundTripsJapaneseAndReplacesWhatCp932CannotHold) {
    const std::string utf8 = "死後デンタルチャート（事後：対象の直接観察）～①";
    const std::string cp932 = TextCodec::toCp932(utf8);
    EXPECT_EQ(cp932.substr(0, 4), "\x8E\x80\x8C\xE3");
    EXPECT_EQ(TextCodec::toUtf8(cp932), utf8);
    // An emoji and a Hangul syllable have no CP932 form; the text around them survives.
    EXPECT_EQ(TextCodec::toCp932("a\xF0\x9F\x98\x80"
                                 "b\xEA\xB0\x80"
                                 "c"),
              "a?b?c");
    EXPECT_EQ(TextCodec::cp932Length("歯a"), 3u);
}

TEST(TextCodec, BrokenInputBecomesQuestionMarksWithoutLosingAsciiNeighbours) {
    // A lone lead byte before a comma must not swallow the comma.
    EXPECT_EQ(TextCodec::toUtf8("a\x82,b"), "a?,b");
    // A lead byte truncated at the end.
    EXPECT_EQ(TextCodec::toUtf8("ab\x88"), "ab?");
    // Invalid UTF-8: a stray continuation byte and a truncated three-byte sequence.
    EXPECT_EQ(TextCodec::toCp932("x\x80y\xE6\xAD"), "x?y?");
    std::string binary;
    for (int i = 0; i < 256; ++i) {
        binary.push_back(static_cast<char>(i));
    }
    EXPECT_FALSE(TextCodec::toUtf8(binary).empty());
    EXPECT_FALSE(TextCodec::toCp932(binary).empty());
}

TEST(CsvQuote, QuotesOnlyFieldsThatNeedIt) {
    EXPECT_EQ(CsvQuote("山田"), "山田");
    EXPECT_EQ(CsvQuote(""), "");
    EXPECT_EQ(CsvQuote("a,b"), "\"a,b\"");
    EXPECT_EQ(CsvQuote("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(CsvQuote("a\r\nb"), "\"a\r\nb\"");
    EXPECT_EQ(CsvQuote("a\nb"), "\"a\nb\"");
}

TEST(CsvRecordReader, JoinsLinesWhileAQuoteIsOpen) {
    bool unclosed = true;
    std::vector<std::string> last;
    const auto r = records("h1,h2\r\na,\"x\r\ny\r\nz\",b\r\nc\nd", &unclosed, &last);
    ASSERT_EQ(r.size(), 4u);
    EXPECT_EQ(r[0], "h1,h2");
    EXPECT_EQ(r[1], "a,\"x\r\ny\r\nz\",b");
    EXPECT_EQ(last[1], "z\",b");
    EXPECT_EQ(r[2], "c");
    EXPECT_EQ(r[3], "d");
    EXPECT_FALSE(unclosed);

    // A text that already ends with CR gets LF alone.
    EXPECT_EQ(records("\"a\r\r\nb\"\r\n")[0], "\"a\r\nb\"");
    // Doubled quotes keep the count even.
    EXPECT_EQ(records("\"a\"\"b\"\nc\n").size(), 2u);
}

TEST(CsvRecordReader, AnUnclosedQuoteAtTheEndIsReportedNotReturned) {
    bool unclosed = false;
    const auto r = records("ok,1\r\nbad,\"open\r\nstill open\r\n", &unclosed);
    ASSERT_EQ(r.size(), 1u);
    EXPECT_TRUE(unclosed);
    EXPECT_TRUE(records("", &unclosed).empty());
    EXPECT_FALSE(unclosed);
}

TEST(CsvFields, SplitsOutsideQuotesAndUnquotes) {
    using V = std::vector<std::string>;
    EXPECT_EQ(splitCsvFields(""), V{});
    EXPECT_EQ(splitCsvFields(","), (V{"", ""}));
    EXPECT_EQ(splitCsvFields("a,\"b,c\",\"d\"\"e\",,f"), (V{"a", "b,c", "d\"e", "", "f"}));
    EXPECT_EQ(splitCsvFields("\"\""), V{""});
    EXPECT_EQ(splitCsvFields("\"x\r\ny\",z"), (V{"x\r\ny", "z"}));
    // A quote inside a bare field stays as written.
    EXPECT_EQ(splitCsvFields("ab\"c\"d,e"), (V{"ab\"c\"d", "e"}));
    // CP932 trail bytes never look like a comma or a quote.
    const std::string sjis = TextCodec::toCp932("表,\"ソ\"");
    EXPECT_EQ(splitCsvFields(sjis), (V{TextCodec::toCp932("表"), TextCodec::toCp932("ソ")}));
}

TEST(FieldRules, NumbersDatesAndLongPaths) {
    using namespace fieldrules;
    EXPECT_EQ(integerValue(" 12x"), 12);
    EXPECT_EQ(integerValue("-3"), -3);
    EXPECT_EQ(integerValue("ab"), 0);
    EXPECT_EQ(integerValue("99999999999999"), 2147483647);
    EXPECT_TRUE(isDigits("0042"));
    EXPECT_FALSE(isDigits(""));
    EXPECT_FALSE(isDigits("４２")); // double-byte digits are not digits
    EXPECT_TRUE(validDay(2, 29));
    EXPECT_FALSE(validDay(4, 31));
    EXPECT_FALSE(validDay(13, 1));

    const std::string fifty(50, 'a');
    EXPECT_EQ(wrapLongPath(fifty), fifty);
    EXPECT_EQ(wrapLongPath(fifty + "b"), fifty + "\nb");
    // Counted in characters: a Japanese folder name is never cut inside a character.
    const std::string japanese = "/文書" + std::string(47, 'x') + "/ログ";
    EXPECT_EQ(wrapLongPath(japanese), "/文書" + std::string(47, 'x') + "\n/ログ");
}

} // namespace
} // namespace qdx
