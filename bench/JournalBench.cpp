// Opens one record's change history in the history of a large project: one ADD row for each
// of 100,000 post-mortem and 300,000 ante-mortem records, 50,000 modifications, 50,000 outcome
// rows and 20,000 checks, about what a large disaster's project collects.
#include "store/ChangeText.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "views/log/ChangeLogRows.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <filesystem>
#include <random>
#include <stdexcept>

namespace {

constexpr int kPostMortemCount = 100000;
constexpr int kAnteMortemCount = 300000;

void insertRows(sqlite3* connection, std::mt19937& random) {
    sqlite3_stmt* st = nullptr;
    const char* sql = "INSERT INTO TB_JOURNAL (TIME,EXAMINER,LOGIN,KIND,SIDE,Dental_ID,EXT_ID,"
                      "TEETH,DETAIL,ORIGIN) VALUES (?,?,?,?,?,?,?,?,?,'')";
    if (sqlite3_prepare_v2(connection, sql, -1, &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sqlite3_errmsg(connection));
    auto row = [&](const char* kind, int side, int key, const std::string& teeth) {
        const std::string texts[] = {"2026/12/10 09:00:00",
                                     "佐藤",
                                     "dvi",
                                     kind,
                                     std::to_string(side),
                                     std::to_string(key),
                                     "T01-" + std::to_string(key),
                                     teeth,
                                     "場所 →気仙沼"};
        for (int c = 0; c < 9; ++c)
            sqlite3_bind_text(st, c + 1, texts[c].c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(st);
        sqlite3_reset(st);
    };
    qdx::DentalRecord record;
    for (int side = 0; side < 2; ++side) {
        const int count = side == 0 ? kPostMortemCount : kAnteMortemCount;
        for (int key = 1; key <= count; ++key) {
            for (char& c : record.classChart)
                c = static_cast<char>('1' + random() % 5);
            row("ADD", side, key, qdx::addedTeethText(record));
        }
    }
    for (int i = 0; i < 50000; ++i)
        row("EDIT", 1, 1 + static_cast<int>(random() % kAnteMortemCount), "右上8 4→3");
    for (int i = 0; i < 50000; ++i)
        row("MATCH", 0, 1 + static_cast<int>(random() % kPostMortemCount), "");
    for (int i = 0; i < 20000; ++i)
        row("CHECK", 1, 1 + static_cast<int>(random() % kAnteMortemCount), "");
    sqlite3_finalize(st);
}

// The project file, made once per run in the temp folder.
const std::string& projectPath() {
    static const std::string path = [] {
        const auto file = std::filesystem::temp_directory_path() / "bench_journal.qdx";
        std::filesystem::remove(file);
        qdx::ProjectModel model;
        qdx::openProjectFile(model, qdx::splitProjectPath(file.string()));
        std::mt19937 random(25);
        insertRows(model.database().connection(), random);
        model.close(true);
        return file.string();
    }();
    return path;
}

// Opening the project and listing one ante-mortem record's history, as the window does when
// the entry dialog's 変更履歴 opens it.
void BM_OpenAndListOneRecord(benchmark::State& state) {
    const std::string& path = projectPath();
    std::mt19937 random(7);
    for (auto _ : state) {
        qdx::ProjectModel model;
        qdx::openProjectFile(model, qdx::splitProjectPath(path));
        qdx::LogFilter filter;
        filter.side = qdx::AnteMortem;
        filter.dentalId = 1 + static_cast<long long>(random() % kAnteMortemCount);
        benchmark::DoNotOptimize(qdx::loadChangeLog(model, filter));
        model.close(false);
    }
}
BENCHMARK(BM_OpenAndListOneRecord)->Unit(benchmark::kMillisecond);

void BM_ListOneRecord(benchmark::State& state) {
    qdx::ProjectModel model;
    qdx::openProjectFile(model, qdx::splitProjectPath(projectPath()));
    std::mt19937 random(7);
    for (auto _ : state) {
        qdx::LogFilter filter;
        filter.side = qdx::AnteMortem;
        filter.dentalId = 1 + static_cast<long long>(random() % kAnteMortemCount);
        benchmark::DoNotOptimize(qdx::loadChangeLog(model, filter));
    }
    model.close(false);
}
BENCHMARK(BM_ListOneRecord)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
