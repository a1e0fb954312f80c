// A project file of arbitrary bytes merged into a scratch project that already holds records
// with the IDs of the seed files, so clashing IDs get their "IMPORT" prefix. A source that
// cannot be read must come out as StoreError; one that can must arrive whole: every record of
// both sides and every complete match row, each stored chart with valid digits.
#include "FuzzCheck.h"
#include "ScratchProject.h"

#include "io/ProjectMerge.h"
#include "store/StoreError.h"
#include "store/TableStatement.h"

#include <cstdint>
#include <cstdlib>

namespace {

struct RowCounts {
    long long postMortem = 0;
    long long anteMortem = 0;
    long long matches = 0;

    bool operator==(const RowCounts&) const = default;
};

long long countRows(const qdx::ProjectModel& model, const char* statement) {
    qdx::TableStatement st(model.database());
    st.sql = statement;
    st.prepare();
    st.step();
    return std::atoll(st.columnText(0).c_str());
}

RowCounts storedCounts(const qdx::ProjectModel& model) {
    return {countRows(model, "SELECT count(*) FROM TB_AFTER"),
            countRows(model, "SELECT count(*) FROM TB_BEFOR"),
            countRows(model, "SELECT count(*) FROM TB_MATCH")};
}

void addRecord(qdx::ProjectModel& model, int side, const char* upper, const char* lower) {
    model.clearEntry();
    qdx::RecordEntry& entry = model.entry();
    entry.side = side;
    entry.upperIdPart = upper;
    entry.lowerIdPart = lower;
    model.storeEntry();
}

// The scratch project with the records the merge meets, saved once.
qdx::fuzz::ScratchProject& mergeTarget(RowCounts& before) {
    static RowCounts counts;
    static qdx::fuzz::ScratchProject& scratch = []() -> qdx::fuzz::ScratchProject& {
        auto& project = qdx::fuzz::ScratchProject::instance();
        addRecord(project.model, qdx::PostMortem, "T01", "00001");
        addRecord(project.model, qdx::PostMortem, "IMPORTT01", "00001");
        addRecord(project.model, qdx::AnteMortem, "D0001", "00001");
        project.model.save();
        counts = storedCounts(project.model);
        return project;
    }();
    before = counts;
    return scratch;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RowCounts before;
    auto& scratch = mergeTarget(before);
    const std::string path =
        qdx::fuzz::writeScratchFile("source.qdx", {reinterpret_cast<const char*>(data), size})
            .string();
    std::vector<qdx::DentalRecord> pm;
    std::vector<qdx::DentalRecord> am;
    std::vector<qdx::MatchRow> rows;
    try {
        qdx::ProjectModel::readOtherProject(path, pm, am, rows);
    } catch (const qdx::StoreError&) {
        return 0; // the merge reads the same way first and stops there
    }
    scratch.beforeInput();
    try {
        qdx::mergeProject(scratch.model, path);
        const RowCounts expected{before.postMortem + static_cast<long long>(pm.size()),
                                 before.anteMortem + static_cast<long long>(am.size()),
                                 before.matches + static_cast<long long>(rows.size())};
        qdx::fuzz::require(storedCounts(scratch.model) == expected,
                           "every record and match row of the source arrives");
        qdx::fuzz::requireStoredCharts(scratch.model, qdx::PostMortem, false);
        qdx::fuzz::requireStoredCharts(scratch.model, qdx::AnteMortem, false);
    } catch (const qdx::StoreError&) {
        // The merge flow restores the project from its backup.
    }
    scratch.afterInput();
    return 0;
}
