#include "views/print/PrintItems.h"

#include "platform/LocalTime.h"

namespace qdx {

std::string printCreatedText(std::time_t when) {
    return platform::formatLocalTime(when, "作成日：%Y年%m月%d日 %H時%M分");
}

} // namespace qdx
