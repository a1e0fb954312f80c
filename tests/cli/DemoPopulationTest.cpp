#include "cli/DemoPopulation.h"
#include "model/RecordId.h"

#include "support/QdxRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>

namespace qdx::cli {
namespace {

bool sameRecord(const DentalRecord& a, const DentalRecord& b) {
    return a.displayId == b.displayId && a.classChart == b.classChart &&
           a.bridgeChart == b.bridgeChart && a.presentChart == b.presentChart &&
           a.deciduousChart == b.deciduousChart && a.sex == b.sex && a.agegroup == b.agegroup &&
           a.place == b.place && a.name == b.name && a.UpdateTime == b.UpdateTime;
}

bool sameSide(const DemoPopulation& a, const DemoPopulation& b, int side) {
    const auto left = a.records(side);
    const auto right = b.records(side);
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i)
        if (!sameRecord(left[i], right[i]))
            return false;
    return true;
}

TEST(DemoPopulation, IsDeterministicPerSeed) {
    const DemoPopulation a({120, 300, 7});
    const DemoPopulation b({120, 300, 7});
    const DemoPopulation c({120, 300, 8});
    EXPECT_TRUE(sameSide(a, b, PostMortem));
    EXPECT_TRUE(sameSide(a, b, AnteMortem));
    ASSERT_EQ(a.truth().size(), b.truth().size());
    for (std::size_t i = 0; i < a.truth().size(); ++i) {
        EXPECT_EQ(a.truth()[i].pmId, b.truth()[i].pmId);
        EXPECT_EQ(a.truth()[i].amId, b.truth()[i].amId);
    }
    EXPECT_FALSE(sameSide(a, c, PostMortem));
    EXPECT_FALSE(sameSide(a, c, AnteMortem));
}

// Every chart is one a user could have entered: ten-character codes rebuild from it, present
// flags only with class 5, deciduous flags only on teeth 1..5, IDs unique in upper-lower form.
void expectWellFormed(const std::vector<DentalRecord>& list, bool postMortem) {
    std::set<std::string> ids;
    for (const DentalRecord& record : list) {
        EXPECT_TRUE(ids.insert(record.displayId).second) << record.displayId;
        const IdParts id = splitDisplayId(record.displayId);
        EXPECT_FALSE(id.upper.empty());
        ASSERT_EQ(id.lower.size(), 5u);
        EXPECT_EQ(id.lower.find_first_not_of("0123456789"), std::string::npos);
        ASSERT_EQ(record.classChart.size(), 32u);
        ASSERT_EQ(record.presentChart.size(), 32u);
        ASSERT_EQ(record.deciduousChart.size(), 32u);
        ASSERT_EQ(record.bridgeChart.size(), 32u);
        for (int pos = 0; pos < 32; ++pos) {
            const char cls = record.classChart[pos];
            EXPECT_TRUE(cls >= '1' && cls <= '5');
            EXPECT_TRUE(record.presentChart[pos] == '0' || (cls == '5' && postMortem))
                << record.displayId << " " << pos;
            EXPECT_TRUE(record.deciduousChart[pos] == '0' || canBeDeciduous(pos));
            EXPECT_TRUE(record.bridgeChart[pos] == '0' || record.bridgeChart[pos] == '1');
        }
        const int age = std::stoi(record.agegroup);
        EXPECT_TRUE(age >= 0 && age <= 11);
        EXPECT_TRUE(record.sex == "0" || record.sex == "1" || record.sex == "2");
    }
}

TEST(DemoPopulation, ChartsAndIdsAreWellFormed) {
    const DemoPopulation population({400, 900, 3});
    expectWellFormed(population.records(PostMortem), true);
    expectWellFormed(population.records(AnteMortem), false);
}

TEST(DemoPopulation, TruePairsEvolveForwardAndShareTheSex) {
    const DemoPopulation population({1000, 2000, 11});
    ASSERT_EQ(population.truth().size(), 700u);
    std::map<std::string, DentalRecord> pm;
    std::map<std::string, DentalRecord> am;
    for (const DentalRecord& record : population.records(PostMortem))
        pm[record.displayId] = record;
    for (const DentalRecord& record : population.records(AnteMortem))
        am[record.displayId] = record;
    std::set<std::string> partners;
    int compared = 0;
    int forward = 0;
    int exact = 0;
    for (const DemoPair& pair : population.truth()) {
        ASSERT_TRUE(pm.count(pair.pmId));
        ASSERT_TRUE(am.count(pair.amId));
        EXPECT_TRUE(partners.insert(pair.amId).second);
        const DentalRecord& body = pm[pair.pmId];
        const DentalRecord& chart = am[pair.amId];
        EXPECT_TRUE(body.sex == "0" || body.sex == chart.sex);
        for (int pos = 0; pos < 32; ++pos) {
            const int p = body.classChart[pos] - '0' + body.presentChart[pos] - '0';
            const int a = chart.classChart[pos] - '0';
            if (p == 5 || a == 5 || p == 6 || body.deciduousChart[pos] != chart.deciduousChart[pos])
                continue;
            ++compared;
            forward += p >= a;
            exact += p == a;
        }
    }
    // Treatment only goes forward; only misreadings and shed milk teeth break it.
    EXPECT_GT(forward, compared * 97 / 100);
    EXPECT_GT(exact, compared * 80 / 100);
    EXPECT_LT(exact, compared);
}

TEST(DemoPopulation, PairCountIsCappedByTheAnteMortemSide) {
    EXPECT_EQ(DemoPopulation({100, 30, 1}).truth().size(), 30u);
    EXPECT_EQ(DemoPopulation({0, 30, 1}).truth().size(), 0u);
    EXPECT_EQ(DemoPopulation({10, 0, 1}).truth().size(), 0u);
    EXPECT_EQ(DemoPopulation({10, 0, 1}).count(PostMortem), 10);
}

TEST(DemoCommand, WritesTheSameProjectAndTruthForTheSameSeed) {
    test::TempDir dir;
    for (const char* name : {"a", "b"}) {
        const test::QdxResult result =
            test::runQdx({"demo", dir.file(name), "--pm", "40", "--am", "90", "--seed", "5",
                          "--truth", dir.file(std::string(name) + ".csv")});
        ASSERT_EQ(result.exitCode, 0) << result.err;
    }
    for (const char* side : {"pm", "am"}) {
        const auto a = test::runQdx({"list", dir.file("a"), "--side", side});
        const auto b = test::runQdx({"list", dir.file("b"), "--side", side});
        EXPECT_EQ(a.exitCode, 0);
        EXPECT_EQ(a.out, b.out);
    }
    const std::string truth = test::readBytes(dir.file("a.csv"));
    EXPECT_EQ(truth, test::readBytes(dir.file("b.csv")));
    // CP932 header "死後ID,生前ID", then one CR LF line per pair.
    EXPECT_EQ(truth.rfind("\x8E\x80\x8C\xE3ID,\x90\xB6\x91\x4FID\r\n", 0), 0u);
    std::size_t lines = 0;
    for (std::size_t at = truth.find("\r\n"); at != std::string::npos;
         at = truth.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 1u + 28u);

    // Refused before anything is touched: an existing project, and with it the truth file.
    test::writeBytes(dir.file("keep.csv"), "mine");
    const auto again = test::runQdx(
        {"demo", dir.file("a"), "--pm", "1", "--am", "1", "--truth", dir.file("keep.csv")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(test::readBytes(dir.file("keep.csv")), "mine");
    // A truth file that cannot be created leaves no project behind.
    const auto noTruth = test::runQdx(
        {"demo", dir.file("c"), "--pm", "1", "--am", "1", "--truth", dir.file("missing/t.csv")});
    EXPECT_EQ(noTruth.exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.file("c.qdx")));
    const auto info = test::runQdx({"info", dir.file("a")});
    EXPECT_NE(info.out.find("post-mortem records\t40\n"), std::string::npos) << info.out;
}

} // namespace
} // namespace qdx::cli

namespace qdx::cli {
namespace {

std::vector<std::vector<std::string>> csvLines(const std::string& bytes) {
    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    for (std::size_t end = bytes.find("\r\n"); end != std::string::npos;
         start = end + 2, end = bytes.find("\r\n", start)) {
        std::vector<std::string> fields;
        const std::string line = bytes.substr(start, end - start);
        std::size_t from = 0;
        for (std::size_t comma = line.find(','); comma != std::string::npos;
             from = comma + 1, comma = line.find(',', from))
            fields.push_back(line.substr(from, comma - from));
        fields.push_back(line.substr(from));
        lines.push_back(fields);
    }
    return lines;
}

// The demo is meant for trying the program: its true partners must mostly come out on top.
TEST(DemoCommand, FullSearchRanksMostTruePartnersFirst) {
    test::TempDir dir;
    ASSERT_EQ(test::runQdx({"demo", dir.file("d"), "--pm", "100", "--am", "300", "--truth",
                            dir.file("truth.csv")})
                  .exitCode,
              0);
    const auto truth = csvLines(test::readBytes(dir.file("truth.csv")));
    ASSERT_EQ(truth.size(), 71u);
    for (int direction : {0, 1}) {
        const std::string csv = dir.file("result.csv");
        const auto result = test::runQdx({"search", dir.file("d"), "--direction",
                                          std::to_string(direction), "--top", "10", "--csv", csv});
        ASSERT_EQ(result.exitCode, 0) << result.err;
        std::map<std::string, std::vector<std::string>> ranked;
        for (const auto& fields : csvLines(test::readBytes(csv))) {
            std::vector<std::string>& ids = ranked[fields[0]];
            for (std::size_t at = 3; at < fields.size(); at += 7)
                ids.push_back(fields[at][0] == ' ' ? fields[at].substr(1) : fields[at]);
        }
        int first = 0;
        int inTop = 0;
        for (std::size_t i = 1; i < truth.size(); ++i) {
            const std::string& searching = truth[i][direction == 0 ? 1 : 0];
            const std::string& partner = truth[i][direction == 0 ? 0 : 1];
            const auto& ids = ranked[searching];
            ASSERT_EQ(ids.size(), 10u) << searching;
            first += ids[0] == partner;
            inTop += std::find(ids.begin(), ids.end(), partner) != ids.end();
        }
        EXPECT_GT(first, 70 * 6 / 10) << "direction " << direction;
        EXPECT_GT(inTop, 70 * 8 / 10) << "direction " << direction;
    }
}

} // namespace
} // namespace qdx::cli
