#pragma once

#include <cstddef>
#include <string>

namespace qdx::cli {

// A one-line percentage on stderr, shown only when stderr is a terminal so that redirected
// output and scripts see nothing of it.
class Progress {
public:
    explicit Progress(std::string label);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void update(std::size_t done, std::size_t total);
    // Ends the line; called by the destructor when it was not called before.
    void finish();

private:
    std::string m_label;
    bool m_shown;
    bool m_open = false;
    int m_lastPercent = -1;
};

} // namespace qdx::cli
