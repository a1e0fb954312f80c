#pragma once

#include "ui/search/CandidateTableModel.h"
#include "views/search/IndividualSearchRows.h"

#include <QColor>

#include <vector>

namespace qdx {

// The individual search list: the searching chart, its candidates and the grey rows, with the
// side colours and the agreeing teeth marked.
class IndividualSearchTableModel : public CandidateTableModel<IndividualRow> {
    Q_OBJECT
public:
    explicit IndividualSearchTableModel(QObject* parent = nullptr);

    // Replaces the rows; searchingSide 0 post-mortem, 1 ante-mortem.
    void setRows(std::vector<IndividualRow> rows, int searchingSide);

    static QColor agreeingToothColor() { return {255, 102, 255}; }

protected:
    QString cellText(const IndividualRow& row, int column) const override;
    QVariant background(const IndividualRow& row, int column) const override;
    QString headerText(int column) const override;
    bool isRightAligned(int column) const override;

private:
    int m_searchingSide = 1;
};

} // namespace qdx
