#include "cli/Progress.h"

#include "platform/Terminal.h"

#include <cstdio>

namespace qdx::cli {

Progress::Progress(std::string label)
    : m_label(std::move(label)), m_shown(platform::stderrIsTerminal()) {}

Progress::~Progress() {
    finish();
}

void Progress::update(std::size_t done, std::size_t total) {
    if (!m_shown || total == 0)
        return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == m_lastPercent)
        return;
    m_lastPercent = percent;
    m_open = true;
    std::fprintf(stderr, "\r%s %3d%%", m_label.c_str(), percent);
    std::fflush(stderr);
}

void Progress::finish() {
    if (!m_open)
        return;
    m_open = false;
    std::fputc('\n', stderr);
}

} // namespace qdx::cli
