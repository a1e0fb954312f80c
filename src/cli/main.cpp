#include <cstdio>

int main() {
    std::puts("qdx: the command-line tool is not built yet");
    return 0;
}
