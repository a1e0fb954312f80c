// Loads the record lists of a generated large project: 100,000 post-mortem records with 50,000
// match rows and 300,000 ante-mortem records, the size of a large disaster.
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>

namespace {

constexpr int kPostMortemCount = 100000;
constexpr int kAnteMortemCount = 300000;
constexpr int kMatchCount = 50000;

std::string toothCode(std::mt19937& random) {
    std::string code = "5000000000";
    code[0] = static_cast<char>('1' + random() % 5);
    code[1] = random() % 10 == 0 ? '1' : '0';
    return code;
}

void fillRecords(sqlite3* connection, const char* table, int count, std::mt19937& random) {
    std::string sql = std::string("INSERT INTO ") + table +
                      " (EXT_IDu, EXT_IDl, name, sex, "
                      "agegroup, place, summary, valid";
    for (const char* tooth :
         {"dru8", "dru7", "dru6", "dru5", "dru4", "dru3", "dru2", "dru1", "dlu1", "dlu2", "dlu3",
          "dlu4", "dlu5", "dlu6", "dlu7", "dlu8", "dld8", "dld7", "dld6", "dld5", "dld4", "dld3",
          "dld2", "dld1", "drd1", "drd2", "drd3", "drd4", "drd5", "drd6", "drd7", "drd8"})
        sql += std::string(", ") + tooth;
    sql += ", UpdateTime) VALUES (" + std::string(41, '?') + ")";
    for (std::size_t at = sql.find("??"); at != std::string::npos; at = sql.find("??", at))
        sql.insert(at + 1, ",");
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(connection));
    const char* uppers[] = {"宮城", "岩手", "福島", "A", "B"};
    for (int i = 0; i < count; ++i) {
        char lower[16];
        std::snprintf(lower, sizeof lower, "%05d", i % 100000);
        std::string texts[42] = {uppers[i / 100000 % 5] + std::to_string(i % 7),
                                 lower,
                                 "氏名" + std::to_string(i),
                                 std::to_string(random() % 3),
                                 std::to_string(random() % 12),
                                 "場所" + std::to_string(random() % 50),
                                 "",
                                 "1"};
        for (int t = 0; t < 32; ++t)
            texts[8 + t] = toothCode(random);
        texts[40] = "2011-03-20";
        for (int c = 0; c < 41; ++c)
            sqlite3_bind_text(st, c + 1, texts[c].c_str(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(st) != SQLITE_DONE)
            throw std::runtime_error(sqlite3_errmsg(connection));
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

void fillMatches(sqlite3* connection, std::mt19937& random) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(connection,
                       "INSERT INTO TB_MATCH (ID_AFTER, ID_BEFOR, KIND, I_MATCHID) "
                       "VALUES (?, ?, ?, ?)",
                       -1, &st, nullptr);
    for (int i = 0; i < kMatchCount; ++i) {
        const std::string after = std::to_string(1 + random() % kPostMortemCount);
        const std::string before = std::to_string(1 + random() % kAnteMortemCount);
        const std::string kind = std::to_string(1 + random() % 4);
        const bool pending = i % 50 == 0;
        sqlite3_bind_text(st, 1, pending ? "0" : after.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, before.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 3, kind.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 4, pending ? "1X-00001" : "", -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
}

// The generated project, created once per run in the temp folder and opened in a model. With
// QDX_BENCH_STORE_FILE set, that file is used, generated only when it does not exist yet, and kept.
struct LargeProject {
    std::filesystem::path folder;
    std::filesystem::path file;
    bool keep = false;
    qdx::ProjectModel model;

    LargeProject() {
        if (const char* given = std::getenv("QDX_BENCH_STORE_FILE")) {
            file = given;
            keep = true;
        } else {
            folder = std::filesystem::temp_directory_path() /
                     ("qdx-bench-store-" + std::to_string(std::random_device{}()));
            std::filesystem::create_directories(folder);
            file = folder / "large.qdx";
        }
        const auto location = qdx::splitProjectPath(file.string());
        if (!std::filesystem::exists(file))
            generate(location);
        qdx::openProjectFile(model, location); // as the program finds it
    }
    ~LargeProject() {
        model.close(false);
        std::error_code ignored;
        if (!keep)
            std::filesystem::remove_all(folder, ignored);
    }

    void generate(const qdx::ProjectLocation& location) {
        qdx::openProjectFile(model, location);
        sqlite3* connection = model.database().connection();
        std::mt19937 random(20110311);
        fillRecords(connection, "TB_AFTER", kPostMortemCount, random);
        fillRecords(connection, "TB_BEFOR", kAnteMortemCount, random);
        fillMatches(connection, random);
        model.save();
        model.close(true);
    }
};

LargeProject& project() {
    static LargeProject instance;
    return instance;
}

void loadList(benchmark::State& state, int side) {
    auto& model = project().model;
    std::size_t count = 0;
    for (auto _ : state) {
        const auto list = model.loadRecordList(side);
        count = list.size();
        benchmark::DoNotOptimize(list.data());
    }
    state.counters["records"] = static_cast<double>(count);
}

void BM_LoadPostMortemList(benchmark::State& state) {
    loadList(state, qdx::PostMortem);
}
void BM_LoadAnteMortemList(benchmark::State& state) {
    loadList(state, qdx::AnteMortem);
}

void BM_PairOutcomeIndex(benchmark::State& state) {
    auto& model = project().model;
    for (auto _ : state) {
        const auto index = model.loadPairOutcomes();
        benchmark::DoNotOptimize(index.size());
    }
}

BENCHMARK(BM_LoadPostMortemList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LoadAnteMortemList)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PairOutcomeIndex)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
