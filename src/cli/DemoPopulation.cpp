#include "cli/DemoPopulation.h"

#include "cli/DemoMouth.h"
#include "cli/DemoRandom.h"
#include "model/ToothChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace qdx::cli {

namespace {

const char* const kSitePlaces[] = {"市民体育館",   "旧青果市場",     "総合運動公園",
                                   "中央公民館",   "北小学校体育館", "港湾倉庫",
                                   "県立武道館",   "南中学校体育館", "消防署訓練棟",
                                   "工業団地倉庫", "東高校体育館",   "旧市民プール"};
const char* const kTowns[] = {"石巻市", "気仙沼市", "南三陸町", "女川町",     "東松島市", "名取市",
                              "岩沼市", "亘理町",   "山元町",   "陸前高田市", "大船渡市", "釜石市",
                              "大槌町", "宮古市",   "相馬市",   "南相馬市"};
const char* const kFamilyNames[] = {"佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺",   "山本",
                                    "中村", "小林", "加藤", "吉田", "山田", "佐々木", "山口",
                                    "松本", "井上", "木村", "林",   "斎藤", "清水",   "阿部",
                                    "菅原", "千葉", "及川", "三浦", "遠藤"};
const char* const kMaleNames[] = {"太郎", "一郎", "健一", "誠", "浩", "隆", "修", "大輔",
                                  "翔太", "拓也", "勝",   "茂", "清", "進", "博"};
const char* const kFemaleNames[] = {"花子", "幸子", "恵子", "洋子",   "陽子", "美穂", "直美",
                                    "由美", "愛",   "彩",   "久美子", "和子", "節子", "優子"};

template <typename T, std::size_t N> constexpr int countOf(const T (&)[N]) {
    return static_cast<int>(N);
}

// Share of the dead per age group 1..11 (older people are over-represented among victims).
const int kAgeGroupWeights[] = {4, 5, 6, 8, 10, 12, 15, 17, 14, 7, 2};

struct Person {
    char sex = '1';
    int deathAge = 40;
    int anteMortemAge = 40;
    double care = 1.0;
};

int ageGroupOf(int age) {
    if (age < 10)
        return 1;
    return std::min(11, age / 10 + 1);
}

Person makePerson(DemoRandom& random) {
    Person person;
    person.sex = random.chance(0.5) ? '1' : '2';
    int pick = random.below(100);
    int group = 1;
    while (pick >= kAgeGroupWeights[group - 1]) {
        pick -= kAgeGroupWeights[group - 1];
        ++group;
    }
    if (group == 1)
        person.deathAge = random.between(2, 9);
    else if (group == 11)
        person.deathAge = random.between(100, 104);
    else
        person.deathAge = 10 * (group - 1) + random.between(0, 9);
    // Most dental records are a few years old; some go back a decade.
    const int gap = random.chance(0.7) ? random.between(0, 3) : random.between(4, 10);
    person.anteMortemAge = std::max(2, person.deathAge - gap);
    person.care = 0.5 + 1.1 * random.uniform();
    return person;
}

void setTooth(DemoPopulation::Chart& chart, int pos, char toothClass, char bridge, char present,
              char deciduous) {
    chart.classChart[pos] = toothClass;
    chart.bridgeChart[pos] = bridge;
    chart.presentChart[pos] = present;
    chart.deciduousChart[pos] = deciduous;
}

void setNoInformation(DemoPopulation::Chart& chart, int pos) {
    setTooth(chart, pos, '5', '0', '0', '0');
}

char digit(int value) {
    return static_cast<char>('0' + value);
}

// A dentist's chart: treated teeth are nearly always charted, sound ones often left blank;
// some records cover one jaw only.
DemoPopulation::Chart anteMortemChart(DemoRandom& random, const DemoMouth& mouth) {
    DemoPopulation::Chart chart;
    const double unrecorded = random.chance(0.3) ? 0.1 + 0.5 * random.uniform() : 0.02;
    const int skippedJaw = random.chance(0.08) ? random.below(2) : -1;
    for (int pos = 0; pos < kToothCount; ++pos) {
        const int toothClass = mouth.toothClass(pos);
        const double skip = toothClass == DemoMouth::kSound ? unrecorded : unrecorded / 4;
        if (pos / 16 == skippedJaw || random.chance(skip)) {
            setNoInformation(chart, pos);
            continue;
        }
        setTooth(chart, pos, digit(toothClass), mouth.isBridged(pos) ? '1' : '0', '0',
                 mouth.isDeciduous(pos) ? '1' : '0');
    }
    return chart;
}

// Positions an examiner cannot see: a lost jaw, or a damaged stretch of one.
std::pair<int, int> lostStretch(DemoRandom& random) {
    if (random.chance(0.03)) {
        const int jaw = random.below(2);
        return {16 * jaw, 16 * jaw + 16};
    }
    if (random.chance(0.12)) {
        const int jaw = random.below(2);
        const int length = random.between(3, 10);
        const int start = 16 * jaw + random.below(16 - length + 1);
        return {start, start + length};
    }
    return {0, 0};
}

int misread(DemoRandom& random, int toothClass) {
    switch (toothClass) {
    case DemoMouth::kSound:
        return DemoMouth::kFilling;
    case DemoMouth::kFilling:
        return random.chance(0.5) ? DemoMouth::kSound : DemoMouth::kCrown;
    case DemoMouth::kCrown:
        return DemoMouth::kFilling;
    default:
        return toothClass;
    }
}

// The examiner's chart of a body: front teeth fall out after death (present, state unknown),
// parts of a jaw may be missing, and now and then a finding is misread.
DemoPopulation::Chart postMortemChart(DemoRandom& random, const DemoMouth& mouth) {
    DemoPopulation::Chart chart;
    const auto [lostFrom, lostTo] = lostStretch(random);
    for (int pos = 0; pos < kToothCount; ++pos) {
        if (pos >= lostFrom && pos < lostTo) {
            setNoInformation(chart, pos);
            continue;
        }
        const char deciduous = mouth.isDeciduous(pos) ? '1' : '0';
        const char bridge = mouth.isBridged(pos) ? '1' : '0';
        int toothClass = mouth.toothClass(pos);
        if (mouth.isPresent(pos)) {
            const double lostAfterDeath = toothNumber(pos) <= 3 ? 0.06 : 0.015;
            if (random.chance(lostAfterDeath + 0.02)) {
                setTooth(chart, pos, '5', bridge, '1', deciduous);
                continue;
            }
            if (random.chance(0.02))
                toothClass = misread(random, toothClass);
        }
        setTooth(chart, pos, digit(toothClass), bridge, '0', deciduous);
    }
    return chart;
}

std::uint8_t estimatedAgeGroup(DemoRandom& random, int age) {
    if (random.chance(0.05))
        return 0;
    int group = ageGroupOf(age);
    if (random.chance(0.3))
        group += random.chance(0.5) ? 1 : -1;
    return static_cast<std::uint8_t>(std::clamp(group, 1, 11));
}

std::string formatted(const char* format, int value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string upperPart(int side, int site) {
    return formatted(side == PostMortem ? "T%02d" : "D%04d", site + 1);
}

} // namespace

namespace {

// Which ante-mortem persons are among the dead.
std::vector<bool> chooseFound(DemoRandom& random, int amCount, int pairCount) {
    std::vector<int> order(static_cast<std::size_t>(amCount));
    for (int i = 0; i < amCount; ++i)
        order[i] = i;
    std::vector<bool> found(static_cast<std::size_t>(amCount), false);
    for (int i = 0; i < pairCount; ++i) {
        std::swap(order[i], order[i + random.below(amCount - i)]);
        found[order[i]] = true;
    }
    return found;
}

DemoPopulation::Chart bodyChart(DemoRandom& random, const DemoMouth& mouth, const Person& person) {
    DemoPopulation::Chart body = postMortemChart(random, mouth);
    body.sex = random.chance(0.9) ? person.sex : '0';
    body.ageGroup = estimatedAgeGroup(random, person.deathAge);
    return body;
}

} // namespace

DemoPopulation::DemoPopulation(const DemoOptions& options) {
    DemoRandom random(options.seed);
    const int pmCount = std::max(0, options.pmCount);
    const int amCount = std::max(0, options.amCount);
    const int pairCount = std::min(amCount, static_cast<int>(std::lround(kSharedShare * pmCount)));
    std::vector<Body> bodies;
    bodies.reserve(static_cast<std::size_t>(pmCount));
    drawAnteMortem(random, chooseFound(random, amCount, pairCount), bodies);
    while (static_cast<int>(bodies.size()) < pmCount) {
        const Person person = makePerson(random);
        const DemoMouth mouth = DemoMouth::atAge(random, person.deathAge, person.care);
        bodies.push_back({bodyChart(random, mouth, person), -1});
    }
    storeBodies(random, bodies);
}

// The dentists' charts, and for the persons found among the dead their bodies' charts, taken
// after the years between the visit and the disaster.
void DemoPopulation::drawAnteMortem(DemoRandom& random, const std::vector<bool>& found,
                                    std::vector<Body>& bodies) {
    const int amCount = static_cast<int>(found.size());
    const int clinics = std::max(1, amCount / 150);
    std::vector<int> clinicCount(static_cast<std::size_t>(clinics), 0);
    m_am.reserve(found.size());
    for (int i = 0; i < amCount; ++i) {
        const Person person = makePerson(random);
        DemoMouth mouth = DemoMouth::atAge(random, person.anteMortemAge, person.care);
        Chart chart = anteMortemChart(random, mouth);
        chart.sex = person.sex;
        chart.ageGroup = static_cast<std::uint8_t>(ageGroupOf(person.deathAge));
        chart.site = static_cast<std::uint16_t>(random.below(clinics));
        chart.number = ++clinicCount[chart.site];
        chart.day = static_cast<std::uint16_t>(1 + static_cast<long long>(i) * 30 / amCount);
        chart.named = true;
        chart.familyName = static_cast<std::uint16_t>(random.below(countOf(kFamilyNames)));
        chart.givenName = static_cast<std::uint16_t>(
            random.below(person.sex == '1' ? countOf(kMaleNames) : countOf(kFemaleNames)));
        m_am.push_back(chart);
        if (!found[i])
            continue;
        mouth.live(random, person.deathAge - person.anteMortemAge);
        bodies.push_back({bodyChart(random, mouth, person), i});
    }
}

// Bodies are examined in no particular order; each gets its team's next number.
void DemoPopulation::storeBodies(DemoRandom& random, std::vector<Body>& bodies) {
    const int pmCount = static_cast<int>(bodies.size());
    for (int i = pmCount - 1; i > 0; --i)
        std::swap(bodies[i], bodies[random.below(i + 1)]);
    const int sites = std::max(countOf(kSitePlaces), pmCount / 90000 + 1);
    std::vector<int> siteCount(static_cast<std::size_t>(sites), 0);
    m_pm.reserve(bodies.size());
    for (int i = 0; i < pmCount; ++i) {
        Chart& body = bodies[i].chart;
        body.site = static_cast<std::uint16_t>(random.below(sites));
        body.number = ++siteCount[body.site];
        body.day = static_cast<std::uint16_t>(12 + static_cast<long long>(i) * 20 / pmCount);
        m_pm.push_back(body);
        if (bodies[i].partner >= 0)
            m_truth.push_back({toRecord(PostMortem, body).displayId,
                               toRecord(AnteMortem, m_am[bodies[i].partner]).displayId});
    }
}

int DemoPopulation::count(int side) const {
    return static_cast<int>(side == PostMortem ? m_pm.size() : m_am.size());
}

DentalRecord DemoPopulation::toRecord(int side, const Chart& chart) const {
    DentalRecord record;
    record.displayId = upperPart(side, chart.site) + "-" + formatted("%05d", chart.number);
    record.classChart.assign(chart.classChart, kToothCount);
    record.bridgeChart.assign(chart.bridgeChart, kToothCount);
    record.presentChart.assign(chart.presentChart, kToothCount);
    record.deciduousChart.assign(chart.deciduousChart, kToothCount);
    record.sex = std::string(1, chart.sex);
    record.agegroup = std::to_string(chart.ageGroup);
    if (side == PostMortem) {
        const int places = countOf(kSitePlaces);
        record.place = kSitePlaces[chart.site % places];
        if (chart.site >= places)
            record.place += std::to_string(chart.site / places + 1);
        record.UpdateTime = formatted("2026-03-%02d", chart.day);
    } else {
        record.place = kTowns[chart.site % countOf(kTowns)];
        record.UpdateTime = formatted("2026-04-%02d", chart.day);
    }
    if (chart.named)
        record.name = std::string(kFamilyNames[chart.familyName]) + " " +
                      (chart.sex == '1' ? kMaleNames : kFemaleNames)[chart.givenName];
    return record;
}

void DemoPopulation::forEachRecord(int side,
                                   const std::function<void(const DentalRecord&)>& take) const {
    for (const Chart& chart : side == PostMortem ? m_pm : m_am)
        take(toRecord(side, chart));
}

std::vector<DentalRecord> DemoPopulation::records(int side) const {
    std::vector<DentalRecord> list;
    list.reserve(static_cast<std::size_t>(count(side)));
    forEachRecord(side, [&list](const DentalRecord& record) { list.push_back(record); });
    return list;
}

} // namespace qdx::cli
