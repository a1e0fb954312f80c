#pragma once

#include "ui/common/MessageKinds.h"
#include "views/history/MatchHistoryEditor.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QRadioButton;

namespace qdx {

class CColorButton;
class CColorStatic;
class CMatchSortListCtrl;
class ProjectModel;

// "照合履歴設定": what the examiners concluded about one record, as a list of outcomes with the
// records of the other side, and whether the record counts as identified.
//
// Standalone (main window, search windows): the entries come from the model and 保存 stores
// them with replaceMatchHistory; exec() gives Accepted after 保存, Rejected otherwise.
// Entry (record entry dialog): the entries are a copy of model.entryMatches(); there is no 保存,
// and closing ("終了" or the close box) copies the edited list back into entryMatches() without
// a question; exec() gives Rejected.
//
// The constructor reads the record, the target lists and (standalone) the entries; a store
// failure there comes out as StoreError.
class CMarchStatusDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Standalone, Entry };

    CMarchStatusDlg(ProjectModel& model, int side, long long dentalId, Mode mode,
                    QWidget* parent = nullptr);
    ~CMarchStatusDlg() override;

    const MatchHistoryEditor& editor() const { return *m_editor; }
    Mode mode() const { return m_mode; }

    // The buttons' commands.
    void registerTarget();
    void deleteSelected();
    void save();
    void closeAsking();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void buildControls();
    CColorButton* addButton(const QString& caption, const QString& name, const QColor& face,
                            const QColor& text);
    void fillUpperTargets();
    void fillLowerTargets(const QString& upper);
    void kindChanged();
    void identifiedClicked(bool checked);
    void rowClicked(int row);
    void showEntryInControls(std::size_t entry);
    void blankControls();
    void refill();
    void setIdentifiedBox();
    void message(HistoryMessage message, MessageIcon icon);
    // Asks before a same-person registration takes the target away from another record;
    // false when the examiner answers いいえ (or the question could not be read).
    bool confirmRegistration(const std::string& upper, const std::string& lower);
    void placeControls(int cx, int cy);
    KindChoice kindChoice() const;
    SamePersonBasis basis() const;

    ProjectModel& m_model;
    int m_side;
    long long m_dentalId;
    Mode m_mode;
    std::unique_ptr<MatchHistoryEditor> m_editor;
    bool m_closing = false;

    CColorStatic* m_sideLabel = nullptr;
    CColorStatic* m_idLabel = nullptr;
    QCheckBox* m_identifiedCheck = nullptr;
    QGroupBox* m_historyGroup = nullptr;
    CColorStatic* m_kindLabel = nullptr;
    QComboBox* m_kindCombo = nullptr;
    QGroupBox* m_basisFrame = nullptr;
    QRadioButton* m_chartRadio = nullptr;
    QRadioButton* m_otherRadio = nullptr;
    CColorStatic* m_targetLabel = nullptr;
    QComboBox* m_upperCombo = nullptr;
    CColorStatic* m_dashLabel = nullptr;
    QComboBox* m_lowerCombo = nullptr;
    CColorButton* m_registerButton = nullptr;
    CColorStatic* m_listLabel = nullptr;
    CMatchSortListCtrl* m_list = nullptr;
    CColorButton* m_deleteButton = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_cancelButton = nullptr;
};

} // namespace qdx
