#pragma once

#include "ui/common/MessageKinds.h"

#include <QDialog>

class QLabel;

namespace qdx {

class CColorButton;

// The program's own message box: its title, Japanese captions and the result codes
// 6 (yes / OK), 7 (no) and 2 (cancel). Esc is ignored; the close box answers 2.
class CMsgBoxDlg : public QDialog {
    Q_OBJECT
public:
    // Control identifiers the buttons act as.
    static constexpr int kConfirmId = 1425;
    static constexpr int kNoId = 7;
    static constexpr int kCancelId = 1427;

    CMsgBoxDlg(const QString& text, MessageButtons buttons, MessageIcon icon,
               QWidget* parent = nullptr);
    // The text of a message identifier of the store (102..112).
    CMsgBoxDlg(int messageId, MessageButtons buttons, MessageIcon icon, QWidget* parent = nullptr);

    QString text() const;
    bool hasIcon() const;
    // The three buttons from left to right.
    CColorButton* button(int position) const { return m_buttons[position]; }
    // The identifier a button acts as (1425, 7 or 1427).
    static int actingId(const CColorButton* button);

    // The result of pressing a button that acts as `id`.
    static int resultFor(int id);
    // The answer a result of exec() stands for.
    static MessageAnswer answerFor(int result);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void build(const QString& text, MessageButtons buttons, MessageIcon icon);
    void setUpButtons(MessageButtons buttons);
    void setButton(int position, const QString& caption, int id);

    QLabel* m_icon = nullptr;
    QLabel* m_text = nullptr;
    CColorButton* m_buttons[3] = {};
};

} // namespace qdx
