#pragma once

#include "model/DentalRecord.h"
#include "ui/main/RecordListModel.h"

#include <QObject>
#include <QString>

#include <array>
#include <vector>

class QFont;
class QTableView;
class QWidget;

namespace qdx {

class CColorButton;
class CColorStatic;

// One record list of the main window: its caption, count and legends, the list, its buttons,
// its selection, the key remembered across a reload and its scroll place. The controls are
// children of the window's client area, where the layout table places them by name: the side's
// prefix ("postMortem", "anteMortem") and the part ("postMortemNewButton").
class RecordListPane : public QObject {
    Q_OBJECT
public:
    enum Button { NewButton, ModifyButton, DeleteButton, HistoryButton, CompareButton, QrButton };
    struct Position {
        int top = -1;
        int selected = -1;
    };

    // Makes the captions and the list; the buttons come with addButtons, after both lists in
    // the focus order.
    RecordListPane(int side, QWidget* client, QObject* parent);
    void addButtons(bool showHidden);

    int side() const { return m_side; }
    RecordListModel& model() { return m_model; }
    const RecordListModel& model() const { return m_model; }
    QTableView* view() const { return m_view; }
    CColorButton* button(Button which) const { return m_buttons[which]; }
    CColorStatic* title() const { return m_title; }
    static QString countCaption(int rows);

    // Replaces the rows and selects the remembered key's row, or else the highest key's.
    void fill(const std::vector<DentalRecord>& records);
    // The selected row, or -1.
    int selectedRow() const;
    // The ID of the selected row; empty without one.
    QString selectedId() const;
    // Selects the row and shows it; -1 or a row out of range clears the selection. The window's
    // own selections do not count as the user's choice (rowChosen).
    void select(int row);
    Position position() const;
    void restore(const Position& position);
    // Scrolls the row to the top of the list when it is there.
    void scrollToTop(int row);
    // The key whose row the next fill selects (modify keeps the record selected).
    void rememberKey(const QString& key) { m_rememberedKey = key; }
    void forgetKey() { m_rememberedKey.clear(); }

    void setUpColumns();
    // Fits the ID column to its contents and returns its width.
    int fitIdColumn();
    void setIdColumnWidth(int width);
    // The captions' and the list's fonts from the window's; the window sets the buttons'.
    void applyFonts(const QFont& base);
    // The record buttons need rows; new and modify also the entry window.
    void updateButtons(bool entryPlugged, bool projectOpen);

signals:
    // The user made a row current (click, arrow keys, type-to-find) or clicked one.
    void rowChosen(int side);
    // A double click or Enter on a row.
    void rowOpened(int side);
    void buttonClicked(int side, RecordListPane::Button button);

private:
    void buildList(QWidget* client);
    void currentMoved();
    void fitLegend(const QFont& base);

    const int m_side;
    QWidget* m_client;
    RecordListModel m_model;
    CColorStatic* m_title = nullptr;
    CColorStatic* m_count = nullptr;
    CColorStatic* m_legends[2] = {}; // the classes, "b:ブリッジあり"
    QTableView* m_view = nullptr;
    std::array<CColorButton*, 6> m_buttons{};
    QString m_rememberedKey;
    bool m_selecting = false;
};

} // namespace qdx
