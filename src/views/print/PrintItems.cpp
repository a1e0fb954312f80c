#include "views/print/PrintItems.h"

#include "platform/LocalTime.h"

namespace qdx {

std::string printCreatedText(std::time_t when, const Wording& wording) {
    const std::string pattern = worded(wording, "作成日：%Y年%m月%d日 %H時%M分");
    return platform::formatLocalTime(when, pattern.c_str());
}

} // namespace qdx
