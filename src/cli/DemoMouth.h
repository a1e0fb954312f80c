#pragma once

#include "cli/DemoRandom.h"

#include <array>

namespace qdx::cli {

// The true state of one person's 32 tooth positions at some age, as a dentist or an examiner
// would find it with perfect knowledge. Charts are taken from it with the losses of recording.
class DemoMouth {
public:
    // A mouth of a person of `age` years whose readiness to have teeth treated is `care`
    // (about 0.5 .. 1.6; higher means more fillings, crowns and extractions).
    static DemoMouth atAge(DemoRandom& random, int age, double care);

    // Lets `years` years of life pass: eruption, caries treated by fillings, fillings turned
    // into crowns, extractions and the occasional bridge. Treatment never goes backwards.
    void live(DemoRandom& random, int years);

    // 1..4 (sound, partial metal, full restoration, missing); an unerupted tooth reads 4.
    int toothClass(int position) const { return m_class[position]; }
    bool isDeciduous(int position) const { return m_deciduous[position]; }
    bool isBridged(int position) const { return m_bridge[position]; }
    bool isPresent(int position) const { return m_class[position] != kMissing; }
    int age() const { return m_age; }

    static constexpr int kSound = 1;
    static constexpr int kFilling = 2;
    static constexpr int kCrown = 3;
    static constexpr int kMissing = 4;

private:
    void erupt(int position);
    void treatYear(DemoRandom& random, int position);
    void tryBridge(int position);

    std::array<int, 32> m_class{};
    std::array<bool, 32> m_deciduous{};
    std::array<bool, 32> m_unerupted{};
    std::array<bool, 32> m_bridge{};
    std::array<int, 32> m_eruption{};
    int m_age = 0;
    double m_care = 1.0;
};

} // namespace qdx::cli
