#include "RandomPopulation.h"

#include "store/MatchRow.h"
#include "store/ProjectModel.h"
#include "store/RecordTable.h"

namespace qdx::test {

namespace {

const char* const kKinds[] = {"0", "1", "2", "3", "4", "3", "4", "7"};

} // namespace

std::array<double, 36> PopulationMaker::randomMatrix() {
    std::array<double, 36> m{};
    std::uniform_real_distribution<double> weight(-1.0, 1.0);
    for (double& w : m)
        w = chance(0.1) ? 0.0 : weight(m_random);
    return m;
}

DentalRecord PopulationMaker::makeTemplate() {
    DentalRecord r;
    for (int j = 0; j < 32; ++j) {
        const int c = uniform(1, 5);
        r.classChart[j] = static_cast<char>('0' + c);
        r.presentChart[j] = c == 5 && chance(0.3) ? '1' : '0';
        r.deciduousChart[j] = chance(0.1) ? '1' : '0';
        r.bridgeChart[j] = chance(0.15) ? '1' : '0';
    }
    return r;
}

void PopulationMaker::damage(DentalRecord& r) {
    switch (uniform(0, 3)) {
    case 0: { // a chart cut short, all four strings alike
        const std::size_t length = static_cast<std::size_t>(uniform(0, 31));
        r.classChart.resize(length);
        r.bridgeChart.resize(length);
        r.presentChart.resize(length);
        r.deciduousChart.resize(length);
        break;
    }
    case 1: // class digits a stored file should not hold
        r.classChart[uniform(0, 31)] = "07x9"[uniform(0, 3)];
        break;
    case 2: // flags other than '0' and '1', present flag on a class other than 5
        r.deciduousChart[uniform(0, 31)] = '2';
        r.bridgeChart[uniform(0, 31)] = 'b';
        r.presentChart[uniform(0, 31)] = '1';
        break;
    default: // strings of different lengths
        r.presentChart.resize(static_cast<std::size_t>(uniform(0, 31)));
        r.bridgeChart.resize(static_cast<std::size_t>(uniform(0, 31)));
        break;
    }
}

DentalRecord PopulationMaker::makeRecord(const DentalRecord& base, const PopulationShape& shape,
                                         int id) {
    DentalRecord r = base;
    r.Dental_ID = std::to_string(id);
    r.displayId = "T-" + std::to_string(100000 + id).substr(1);
    for (int j = 0; j < 32; ++j) {
        if (chance(shape.mutation))
            r.classChart[j] = static_cast<char>('0' + uniform(1, 5));
        if (chance(shape.mutation / 2))
            r.deciduousChart[j] = r.deciduousChart[j] == '0' ? '1' : '0';
        if (chance(shape.mutation / 2))
            r.bridgeChart[j] = r.bridgeChart[j] == '0' ? '1' : '0';
        if (r.classChart[j] != '5')
            r.presentChart[j] = '0';
    }
    r.sex = std::to_string(uniform(0, 2));
    r.valid = std::string(1, "0112"[uniform(0, 3)]);
    r.MATCH_KIND = MatchKind::fromStored(chance(0.8) ? "" : kKinds[uniform(0, 5)]);
    if (chance(shape.damaged))
        damage(r);
    return r;
}

Population PopulationMaker::make(const PopulationShape& shape) {
    Population p;
    std::vector<DentalRecord> templates;
    for (int t = 0; t < shape.templates; ++t)
        templates.push_back(makeTemplate());
    int nextId = 1;
    auto pick = [&] {
        return templates[static_cast<std::size_t>(uniform(0, shape.templates - 1))];
    };
    for (std::size_t i = 0; i < shape.postMortem; ++i)
        p.postMortem.push_back(makeRecord(pick(), shape, nextId++));
    for (std::size_t i = 0; i < shape.anteMortem; ++i)
        p.anteMortem.push_back(makeRecord(pick(), shape, nextId++));

    // Rows in ascending key order; the first row of a pair decides its outcome.
    const auto rows = static_cast<std::size_t>(
        shape.matchRows * static_cast<double>(shape.postMortem * shape.anteMortem) / 10.0 + 2);
    for (std::size_t k = 0; k < rows && !p.postMortem.empty() && !p.anteMortem.empty(); ++k) {
        const auto& pm = p.postMortem[static_cast<std::size_t>(
            uniform(0, static_cast<int>(p.postMortem.size()) - 1))];
        const auto& am = p.anteMortem[static_cast<std::size_t>(
            uniform(0, static_cast<int>(p.anteMortem.size()) - 1))];
        p.pairOutcomes.emplace(pm.Dental_ID + "-" + am.Dental_ID,
                               MatchKind::fromStored(kKinds[uniform(0, 7)]));
    }
    p.amToPm = randomMatrix();
    p.pmToAm = randomMatrix();
    p.factor = static_cast<std::uint16_t>(chance(0.2) ? uniform(0, 2) : uniform(0, 65535));
    return p;
}

void storePopulation(ProjectModel& model, PopulationMaker& maker, const StoredShape& shape) {
    const Population p = maker.make(shape.population);
    for (int side : {PostMortem, AnteMortem}) {
        const auto& list = side == PostMortem ? p.postMortem : p.anteMortem;
        for (std::size_t i = 0; i < list.size(); ++i) {
            DentalRecord r = list[i];
            const bool shared = shape.sharedIdEvery > 0 && i % shape.sharedIdEvery == 0;
            r.displayId = shared ? "D-" + std::to_string(i)
                                 : (side == PostMortem ? "P-" : "A-") + r.Dental_ID;
            records::insertRecord(model.database(), side, r);
        }
    }
    const auto& pm = model.reloadRecords(PostMortem);
    const auto& am = model.reloadRecords(AnteMortem);
    const int lastKind = static_cast<int>(shape.kinds.size()) - 1;
    std::vector<MatchRow> rows;
    for (int k = 0; k < shape.matchRows; ++k) {
        MatchRow row;
        row.ID_AFTER =
            pm[static_cast<std::size_t>(maker.uniform(0, static_cast<int>(pm.size()) - 1))]
                .Dental_ID;
        row.ID_BEFOR =
            am[static_cast<std::size_t>(maker.uniform(0, static_cast<int>(am.size()) - 1))]
                .Dental_ID;
        row.KIND = MatchKind::fromStored(
            shape.kinds[static_cast<std::size_t>(maker.uniform(0, lastKind))]);
        rows.push_back(row);
        if (shape.repeated > 0 && maker.chance(shape.repeated))
            rows.push_back(row);
    }
    model.insertMatches(rows);
    model.reloadRecords(PostMortem);
    model.reloadRecords(AnteMortem);
}

} // namespace qdx::test
