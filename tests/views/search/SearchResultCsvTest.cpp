#include "views/search/SearchResultCsv.h"
#include "io/SearchResultFile.h"

#include "support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace qdx {
namespace {

// The score is written as "%4.4f" would in the C locale, whatever the program's locale is.
TEST(SearchScoreText, EqualsPrintfInTheCLocale) {
    for (double value : {0.0, 0.43385, 0.049525, -0.00004, -0.00005, -0.995, 1.0 / 3.0, 12.34565,
                         0.00005, 1e-9, 123456.789}) {
        char expected[64];
        std::snprintf(expected, sizeof expected, "%4.4f", value);
        EXPECT_EQ(formatSearchScore(value), expected) << value;
    }
}

TEST(SearchResultFile, WritesCp932WithCrLfAlsoInsideFields) {
    test::TempDir dir;
    const std::string path = dir.file("r.csv");
    SearchResultFile file(path);
    file.writeLine("★,\"a\nb\",😀");
    file.writeLine("");
    file.close();
    EXPECT_EQ(test::readBytes(path), "\x81\x9A,\"a\r\nb\",?\r\n\r\n");
    EXPECT_THROW(SearchResultFile(dir.file("missing/r.csv")), SearchResultFileError);
}

TEST(SearchResultCsvLines, QuoteIdsAndMarkContainedCandidates) {
    DentalRecord searching;
    searching.displayId = "say \"12\"-00003";
    searching.classChart = "1234";
    DentalRecord candidate;
    candidate.displayId = "12\"-00003";
    PairResult result;
    result.candidate = &candidate;
    result.searchCount = 3;
    result.score = 0.5;
    // Quoted, the candidate reads "12""-00003" and occurs in "say ""12""-00003".
    EXPECT_EQ(fullSearchCsvLine(searching.displayId, -7, {result}),
              "\"say \"\"12\"\"-00003\",-7,★, \"12\"\"-00003\",3,0,0,0,0.5000");
    // A chart shorter than 32 positions reads as no information beyond its end.
    std::string fives;
    for (int i = 0; i < 28; ++i)
        fives += ",5";
    searching.MATCH_KIND = MatchKind::UnderInvestigation;
    EXPECT_EQ(individualSearchCsvSearchingLine(searching),
              "u,\"say \"\"12\"\"-00003\",,,,,,1,2,3,4" + fives);
}

} // namespace
} // namespace qdx
