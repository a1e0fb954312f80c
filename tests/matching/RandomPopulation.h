#pragma once

#include "model/DentalRecord.h"
#include "store/PairOutcomeMap.h"

namespace qdx {
class ProjectModel;
}

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace qdx::test {

// Seeded random projects for comparing the engines: small template pools so that identical
// charts and tied keys are everywhere, every flag, sex and valid value, damaged chart text,
// identified candidates and match rows of every kind with duplicates for a pair.
struct Population {
    std::vector<DentalRecord> postMortem;
    std::vector<DentalRecord> anteMortem;
    PairOutcomeMap pairOutcomes;
    std::array<double, 36> amToPm{};
    std::array<double, 36> pmToAm{};
    std::uint16_t factor = 2;
};

struct PopulationShape {
    std::size_t postMortem = 100;
    std::size_t anteMortem = 100;
    int templates = 6;       // distinct base charts; few means many ties
    double mutation = 0.1;   // chance that a tooth differs from its template
    double damaged = 0.0;    // chance of a record with short or damaged chart text
    double matchRows = 0.05; // match rows per record pair of a sample
};

class PopulationMaker {
public:
    explicit PopulationMaker(std::uint32_t seed) : m_random(seed) {}

    Population make(const PopulationShape& shape);
    std::array<double, 36> randomMatrix();
    int uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(m_random);
    }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_random); }

private:
    DentalRecord makeRecord(const DentalRecord& base, const PopulationShape& shape, int id);
    DentalRecord makeTemplate();
    void damage(DentalRecord& record);

    std::mt19937 m_random;
};

// A random population stored in an open project: IDs "P-"/"A-" + Dental_ID (with
// `sharedIdEvery` n > 0, every n-th record of each side "D-" + its place, so that IDs recur
// across the sides), then `matchRows` match rows on random pairs with kinds drawn from
// `kinds`, a second row for a pair with chance `repeated`; both lists reloaded.
struct StoredShape {
    PopulationShape population;
    int matchRows = 40;
    std::vector<std::string> kinds = {"0", "1", "2", "3", "4"};
    double repeated = 0.0;
    std::size_t sharedIdEvery = 0;
};
void storePopulation(ProjectModel& model, PopulationMaker& maker, const StoredShape& shape);

} // namespace qdx::test
