#include "cli/DemoMouth.h"

#include "model/ToothChart.h"

#include <algorithm>
#include <cmath>

namespace qdx::cli {

namespace {

constexpr int kNeverErupts = 1000;

// Molars decay and are treated far more often than front teeth.
double treatmentWeight(int toothNo) {
    if (toothNo <= 3)
        return 0.4;
    if (toothNo <= 5)
        return 0.8;
    if (toothNo <= 7)
        return 1.5;
    return 1.0;
}

// Age at which the permanent tooth of that number comes through (its deciduous predecessor,
// for numbers 1..5, is shed at the same age).
int eruptionAge(DemoRandom& random, int toothNo) {
    static const int ages[] = {0, 7, 8, 11, 10, 11, 6, 12, 18};
    if (toothNo == 8)
        return random.chance(0.35) ? kNeverErupts : random.between(17, 24);
    return ages[toothNo] + random.between(-1, 1);
}

bool sameJaw(int a, int b) {
    return a / 16 == b / 16;
}

// Yearly chance of losing a permanent tooth; it grows after fifty.
double extractionRate(int age, double weight, double care) {
    return (0.002 + 0.0006 * std::max(0, age - 50)) * weight * care;
}

} // namespace

DemoMouth DemoMouth::atAge(DemoRandom& random, int age, double care) {
    DemoMouth mouth;
    mouth.m_age = age;
    mouth.m_care = care;
    std::array<int, 32> erupts{};
    for (int pos = 0; pos < kToothCount; ++pos)
        erupts[pos] = eruptionAge(random, toothNumber(pos));
    mouth.m_eruption = erupts;

    const bool edentulous = age >= 60 && random.chance(std::min(0.3, 0.008 * (age - 58) * care));
    for (int pos = 0; pos < kToothCount; ++pos) {
        const int toothNo = toothNumber(pos);
        if (age < erupts[pos]) {
            if (toothNo <= 5 && age >= 2) {
                mouth.m_deciduous[pos] = true;
                mouth.m_class[pos] = random.chance(0.12 * care) ? kFilling : kSound;
            } else {
                mouth.m_unerupted[pos] = true;
                mouth.m_class[pos] = kMissing;
            }
            continue;
        }
        if (edentulous) {
            mouth.m_class[pos] = kMissing;
            continue;
        }
        const double weight = treatmentWeight(toothNo);
        const double years = age - erupts[pos];
        const double lossYears = years + 2.0 * std::max(0, age - 50);
        const double missing = 1.0 - std::exp(-0.002 * weight * care * lossYears);
        const double treated = 1.0 - std::exp(-0.018 * weight * care * years);
        const double crowned = 1.0 - std::exp(-0.015 * care * years);
        if (random.chance(missing))
            mouth.m_class[pos] = kMissing;
        else if (random.chance(treated))
            mouth.m_class[pos] = random.chance(crowned) ? kCrown : kFilling;
        else
            mouth.m_class[pos] = kSound;
    }
    if (!edentulous)
        for (int pos = 0; pos < kToothCount; ++pos)
            if (mouth.m_class[pos] == kMissing && !mouth.m_unerupted[pos] &&
                random.chance(0.25 * care))
                mouth.tryBridge(pos);
    return mouth;
}

void DemoMouth::live(DemoRandom& random, int years) {
    for (int year = 0; year < years; ++year) {
        ++m_age;
        for (int pos = 0; pos < kToothCount; ++pos) {
            if ((m_unerupted[pos] || m_deciduous[pos]) && m_age >= m_eruption[pos])
                erupt(pos);
            else if (!m_unerupted[pos])
                treatYear(random, pos);
        }
    }
}

void DemoMouth::erupt(int position) {
    m_unerupted[position] = false;
    m_deciduous[position] = false;
    m_class[position] = kSound;
}

void DemoMouth::treatYear(DemoRandom& random, int position) {
    int& toothClass = m_class[position];
    if (toothClass == kMissing)
        return;
    if (m_deciduous[position]) {
        if (toothClass == kSound && random.chance(0.03 * m_care))
            toothClass = kFilling;
        return;
    }
    const double weight = treatmentWeight(toothNumber(position));
    if (random.chance(extractionRate(m_age, weight, m_care))) {
        toothClass = kMissing;
        if (random.chance(0.2 * m_care))
            tryBridge(position);
    } else if (toothClass == kSound && random.chance(0.018 * weight * m_care)) {
        toothClass = kFilling;
    } else if (toothClass == kFilling && random.chance(0.03 * m_care)) {
        toothClass = kCrown;
    }
}

// A missing tooth between two present permanent teeth of the same jaw may be replaced by a
// bridge: both neighbours get crowns and all three carry the bridge mark.
void DemoMouth::tryBridge(int position) {
    const int left = position - 1;
    const int right = position + 1;
    if (left < 0 || right >= kToothCount || !sameJaw(left, position) || !sameJaw(right, position) ||
        toothNumber(position) == 8)
        return;
    for (int side : {left, right})
        if (!isPresent(side) || m_deciduous[side] || m_unerupted[side])
            return;
    m_class[left] = kCrown;
    m_class[right] = kCrown;
    m_bridge[left] = m_bridge[position] = m_bridge[right] = true;
}

} // namespace qdx::cli
