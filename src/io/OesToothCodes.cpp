#include "io/OesToothCodes.h"

namespace qdx {
namespace {

// First chart position of each FDI quadrant and whether the numbers run towards it (+1) or
// away from it (-1): quadrant 1 (upper right) lists 8..1 at positions 0..7, and so on.
struct Quadrant {
    int positionOfTooth1;
    int step; // position change per tooth number
};

constexpr Quadrant kQuadrants[9] = {
    {0, 0},  {7, -1}, {8, 1},   {23, -1}, {24, 1}, // 1..4 permanent
    {7, -1}, {8, 1},  {23, -1}, {24, 1},           // 5..8 deciduous
};

} // namespace

OesTooth lookUpOesToothCode(std::string_view code) {
    OesTooth tooth;
    if (code.size() != 4 || code[0] != '1' || code[1] != '0' || code[2] < '1' || code[2] > '8') {
        return tooth;
    }
    const int quadrant = code[2] - '0';
    const bool deciduous = quadrant >= 5;
    const char last = code[3];
    const char lastLetter = deciduous ? 'E' : 'H';
    if (last >= 'A' && last <= lastLetter) {
        tooth.kind = OesTooth::Supernumerary;
        return tooth;
    }
    const int maxNumber = deciduous ? 5 : 8;
    if (last < '1' || last > '0' + maxNumber) {
        return tooth;
    }
    const Quadrant& q = kQuadrants[quadrant];
    tooth.kind = deciduous ? OesTooth::Deciduous : OesTooth::Permanent;
    tooth.position = q.positionOfTooth1 + q.step * (last - '1');
    return tooth;
}

} // namespace qdx
