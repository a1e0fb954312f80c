#pragma once

#include <QDialog>

class QLineEdit;

namespace qdx {

class CColorButton;

// A small question for one line of text (the examiner's name): a caption, the field, OK and
// キャンセル in the program's colours. Enter confirms; Esc cancels.
class CTextInputDlg : public QDialog {
    Q_OBJECT
public:
    CTextInputDlg(const QString& title, const QString& label, const QString& text,
                  QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* edit() const { return m_edit; }

private:
    QLineEdit* m_edit = nullptr;
    CColorButton* m_ok = nullptr;
    CColorButton* m_cancel = nullptr;
};

} // namespace qdx
