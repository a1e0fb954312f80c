#pragma once

#include "model/DentalRecord.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qdx::cli {

class DemoRandom;

struct DemoOptions {
    int pmCount = 0;
    int amCount = 0;
    std::uint64_t seed = 1;
};

// A post-mortem chart and the ante-mortem chart of the same person, by displayId.
struct DemoPair {
    std::string pmId;
    std::string amId;
};

// A synthetic disaster: ante-mortem charts of missing persons from their dentists, and
// post-mortem charts of bodies, some of which are those persons. The same options and seed
// give the same population, record by record.
class DemoPopulation {
public:
    // Share of the post-mortem charts that belong to a person with an ante-mortem chart (as
    // many as there are ante-mortem charts at most).
    static constexpr double kSharedShare = 0.7;

    explicit DemoPopulation(const DemoOptions& options);

    // Calls `take` for every record of a side (0 post-mortem, 1 ante-mortem) in the order in
    // which they are to be stored.
    void forEachRecord(int side, const std::function<void(const DentalRecord&)>& take) const;
    std::vector<DentalRecord> records(int side) const;
    // In post-mortem storage order.
    const std::vector<DemoPair>& truth() const { return m_truth; }
    int count(int side) const;

    // A chart held compactly until it is turned into a record: large populations would not
    // fit comfortably as a few hundred thousand DentalRecords.
    struct Chart {
        char classChart[32];
        char bridgeChart[32];
        char presentChart[32];
        char deciduousChart[32];
        char sex = '0';
        std::uint8_t ageGroup = 0;
        std::uint16_t site = 0;
        int number = 0;
        std::uint16_t day = 0;
        std::uint16_t familyName = 0;
        std::uint16_t givenName = 0;
        bool named = false;
    };

private:
    struct Body {
        Chart chart;
        int partner = -1; // index of the ante-mortem chart of the same person
    };

    void drawAnteMortem(DemoRandom& random, const std::vector<bool>& found,
                        std::vector<Body>& bodies);
    void storeBodies(DemoRandom& random, std::vector<Body>& bodies);
    DentalRecord toRecord(int side, const Chart& chart) const;

    std::vector<Chart> m_pm;
    std::vector<Chart> m_am;
    std::vector<DemoPair> m_truth;
};

} // namespace qdx::cli
