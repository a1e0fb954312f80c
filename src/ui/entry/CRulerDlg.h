#pragma once

#include <QDialog>

#include <array>
#include <string>

class QPlainTextEdit;

namespace qdx {

class CColorButton;

// The classification criteria: the project's definitions of tooth classes 1 to 5, shown beside
// the entry dialog while a chart is typed. Modeless, owned by the entry dialog; 終了 hides it.
class CRulerDlg : public QDialog {
    Q_OBJECT
public:
    explicit CRulerDlg(QWidget* parent);

    // Copies the first five texts into the fields and shows the window.
    void showTexts(const std::array<std::string, 6>& rulers);
    QString text(int index) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    std::array<QPlainTextEdit*, 5> m_texts{};
    CColorButton* m_closeButton = nullptr;
};

} // namespace qdx
