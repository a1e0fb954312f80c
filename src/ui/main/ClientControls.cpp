#include "ui/main/ClientControls.h"

#include "ui/common/CColorButton.h"
#include "ui/common/CColorStatic.h"

namespace qdx {

CColorButton* addClientButton(QWidget* client, const QString& caption, const QString& name) {
    auto* button = new CColorButton(caption, client);
    button->setObjectName(name);
    button->setAutoDefault(true);
    button->resize(kSideButtonSize);
    return button;
}

CColorStatic* addClientStatic(QWidget* client, const QString& text, const QString& name) {
    auto* label = new CColorStatic(text, client);
    label->setObjectName(name);
    return label;
}

} // namespace qdx
