// Writes a digital-pen CSV file and a folder of OES files of the given size, for timing the
// imports with the command-line tool:
//   make_import_files OUT_FOLDER [COUNT]
// gives OUT_FOLDER/pen.csv (COUNT forms) and OUT_FOLDER/oes/ (COUNT persons, 100 per file).
#include "io/TextCodec.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

class Random {
public:
    std::uint32_t next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

private:
    std::uint64_t m_state = 20261209;
};

void writeText(const std::filesystem::path& path, const std::string& utf8) {
    std::ofstream out(path, std::ios::binary);
    out << qdx::TextCodec::toCp932(utf8);
}

std::string penFile(int count, Random& random) {
    std::string text = "遺体番号,性別,検査日,最終更新日時,検死場所,口腔内写真枚数,"
                       "エックス線写真枚数,歯1\r\n";
    for (int i = 0; i < count; ++i) {
        std::string line = "B" + std::to_string(i) + "," + std::to_string(random.below(4)) +
                           ",2024/05/01,2024/05/" + std::to_string(10 + random.below(19)) +
                           " 09:30:00,東京都港区,2,0";
        for (int field = 7; field <= 58; ++field) {
            const int roll = random.below(10);
            line += "," + (roll < 4 ? std::string() : std::to_string(1 + random.below(19)));
        }
        line += ",\"所見あり\r\n二行目\",,,P" + std::to_string(100000 + i) + ",\r\n";
        text += line;
    }
    return text;
}

std::string oesPerson(int id, Random& random) {
    std::string text = "ON,,,,,,,,1234567,,,,,,,\r\n";
    text += "PN,,,,1," + std::to_string(id) + ",,,20240501,氏名" + std::to_string(id) + "," +
            (random.below(2) ? "01" : "02") + ",19" + std::to_string(30 + random.below(60)) +
            "0115,,,,\r\n";
    for (int tooth = 0; tooth < 12; ++tooth) {
        const int quadrant = 1 + random.below(4);
        text += "TB,10" + std::to_string(quadrant) + std::to_string(1 + random.below(8)) + "," +
                std::to_string(random.below(5)) + ",0,,,,,\r\nTF,1";
        for (int item = 1; item <= 26; ++item) {
            text += random.below(8) == 0 ? ",01" : ",00";
        }
        text += ",,,,\r\n";
    }
    return text + "DT\r\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_import_files OUT_FOLDER [COUNT]\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const int count = argc > 2 ? std::atoi(argv[2]) : 10000;
    std::filesystem::create_directories(folder / "oes");
    Random random;
    writeText(folder / "pen.csv", penFile(count, random));
    const int perFile = 100;
    for (int first = 0; first < count; first += perFile) {
        std::string text = "VR,HVZOES001000,,,,\r\n";
        for (int id = first; id < first + perFile && id < count; ++id) {
            text += oesPerson(id + 1, random);
        }
        writeText(folder / "oes" / ("BENCH-20240501-" + std::to_string(first / perFile) + ".oes"),
                  text);
    }
    std::printf("%s: pen.csv with %d forms, oes/ with %d persons\n", folder.c_str(), count, count);
    return 0;
}
