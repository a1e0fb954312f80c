#pragma once

#include "views/entry/EntryForm.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace qdx {

class ChartPainter;
class ChartWidget;
class CColorButton;
class CColorStatic;
class CRulerDlg;
class ProjectModel;

// The record entry dialog: one chart typed by clicking its teeth, with the identification
// fields. It never writes to the project: 保存 checks the identifier, asks what needs asking,
// fills the project model's RecordEntry and closes with Accepted; the opener stores it. In
// modify mode the record's match history is loaded into the model's entryMatches, which the
// history dialog (entry mode) edits.
class CCusporaEntryDlg : public QDialog {
    Q_OBJECT
public:
    enum class Mode { New = 0, Modify = 1 };
    // Opens the match history of the record in its entry mode on model.entryMatches();
    // returns when it closed. Plugged in by the program; without it 照合履歴 stays disabled.
    using HistoryOpener = std::function<void(CCusporaEntryDlg&, int side, long long dentalId)>;
    // Opens the change history of the record (変更履歴, modify mode); without it the button
    // stays disabled.
    using LogOpener = std::function<void(CCusporaEntryDlg&, int side, long long dentalId,
                                         const std::string& displayId)>;

    CCusporaEntryDlg(ProjectModel& model, int side, Mode mode, long long dentalId,
                     QWidget* parent = nullptr);
    ~CCusporaEntryDlg() override;

    // Reads the record (modify mode) and its match history and fills the controls. False when
    // the project could not be read; the message has been shown.
    bool load();
    void setHistoryOpener(HistoryOpener opener);
    void setLogOpener(LogOpener opener);
    // 確認: marks the stored chart as checked by this run's examiner, when the rule lets them
    // (the row goes into the project at once, like a store, and is saved with the project).
    void checkChart();

    const EntryForm& form() const { return m_form; }
    ProjectModel& model() { return m_model; }
    CRulerDlg* rulerDialog() const { return m_ruler; }

    // What the mouse does on the chart, in picture coordinates (also used by tests).
    void chartClicked(QPoint point);
    void chartRightClicked(QPoint point);
    int lastHitTooth() const { return m_lastHit; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildIdentityControls();
    void buildChartControls();
    void buildCommandButtons();
    void layOut();
    CColorButton* addButton(const QString& caption, const QString& name);
    void fillLists();
    void showForm();
    void showMatchState();
    void showCheckState();
    void updateRecordButtons();
    void readControls();
    void redrawChart();
    void checkImportedId();
    void save();
    void cancel();
    void bulk(BulkSetting setting);
    void openHistory();
    void openRuler();
    void openLog();
    bool ask(std::string_view text);

    ProjectModel& m_model;
    int m_side;
    Mode m_mode;
    long long m_dentalId;
    EntryForm m_form;
    int m_lastHit = -1;
    bool m_closing = false;
    HistoryOpener m_historyOpener;
    LogOpener m_logOpener;
    EntryChart m_storedChart; // the chart as loaded: a check applies to it
    std::unique_ptr<ChartPainter> m_painter;

    QLabel* m_keyLabel = nullptr;
    QLabel* m_dateLabel = nullptr;
    QComboBox* m_upperCombo = nullptr;
    QLineEdit* m_lowerEdit = nullptr;
    QButtonGroup* m_sexGroup = nullptr;
    std::vector<QRadioButton*> m_sexRadios;
    QComboBox* m_ageCombo = nullptr;
    QPlainTextEdit* m_summaryEdit = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_placeCombo = nullptr;
    QLabel* m_matchStateLabel = nullptr;
    QLabel* m_partnerLabel = nullptr;
    QLabel* m_checkStateLabel = nullptr;
    std::vector<QLabel*> m_captions;
    ChartWidget* m_chart = nullptr;
    QWidget* m_legend = nullptr;
    CColorButton* m_historyButton = nullptr;
    CColorButton* m_checkButton = nullptr;
    CColorButton* m_logButton = nullptr;
    CColorButton* m_rulerButton = nullptr;
    CColorButton* m_saveButton = nullptr;
    CColorButton* m_cancelButton = nullptr;
    std::vector<std::pair<CColorButton*, BulkSetting>> m_bulkButtons;
    CRulerDlg* m_ruler = nullptr;
};

} // namespace qdx
