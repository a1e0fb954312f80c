#include "ui/main/SearchConditionControls.h"

#include "matching/PairResult.h"
#include "ui/common/CColorStatic.h"
#include "ui/common/CoreText.h"
#include "ui/common/DisplayLanguage.h"
#include "ui/main/ClientControls.h"
#include "views/search/DisplayCount.h"
#include "views/search/SearchLabels.h"

#include <QCheckBox>
#include <QComboBox>

#include <algorithm>

namespace qdx {

namespace {

void fillDirections(QComboBox* combo) {
    combo->clear();
    for (int direction : {0, 1}) {
        combo->addItem(coreTr(directionLabel(direction)));
    }
}

void fillRankKeys(QComboBox* combo) {
    combo->clear();
    for (int key = 0; key < kRankKeyCount; ++key) {
        combo->addItem(coreTr(rankKeyLabel(key)));
    }
}

QComboBox* addCombo(QWidget* client, const QString& name, int width) {
    auto* combo = new QComboBox(client);
    combo->setObjectName(name);
    combo->resize(width, 24);
    return combo;
}

} // namespace

SearchConditionControls::SearchConditionControls(QWidget* client, bool shown, QObject* parent)
    : QObject(parent) {
    m_labels[0] = addClientStatic(client, tr("検索条件"), QStringLiteral("conditionLabel"));
    m_labels[1] = addClientStatic(client, tr("表示件数"), QStringLiteral("displayCountLabel"));
    m_directionCombo = addCombo(client, QStringLiteral("directionCombo"), 110);
    m_displayCountCombo = addCombo(client, QStringLiteral("displayCountCombo"), 110);
    m_rankKeyCombo = addCombo(client, QStringLiteral("rankKeyCombo"), 160);
    m_hideExcludedCheck = new QCheckBox(tr("検索対象外を非表示"), client);
    m_hideExcludedCheck->setObjectName(QStringLiteral("hideExcludedCheck"));
    for (QWidget* widget : std::initializer_list<QWidget*>{m_labels[0], m_labels[1],
                                                           m_directionCombo, m_displayCountCombo,
                                                           m_rankKeyCombo, m_hideExcludedCheck}) {
        widget->setVisible(shown);
    }
    connect(m_directionCombo, &QComboBox::currentIndexChanged, this,
            &SearchConditionControls::candidatesChanged);
    connect(m_hideExcludedCheck, &QCheckBox::toggled, this,
            &SearchConditionControls::candidatesChanged);
}

void SearchConditionControls::fitLabels() {
    for (CColorStatic* label : m_labels) {
        label->adjustSize();
    }
}

SearchConditions SearchConditionControls::current() const {
    SearchConditions c;
    c.searchDirection = direction();
    c.topNIndex = m_displayCountCombo->currentIndex();
    c.rankKey = std::max(m_rankKeyCombo->currentIndex(), 0);
    c.hideExcluded = m_hideExcludedCheck->isChecked() ? 1 : 0;
    return c;
}

int SearchConditionControls::direction() const {
    return std::max(m_directionCombo->currentIndex(), 0);
}

void SearchConditionControls::setDirection(int direction) {
    m_directionCombo->setCurrentIndex(direction);
}

void SearchConditionControls::reset() {
    const QSignalBlocker blockDirection(m_directionCombo);
    const QSignalBlocker blockRank(m_rankKeyCombo);
    const QSignalBlocker blockHide(m_hideExcludedCheck);
    fillDirections(m_directionCombo);
    m_directionCombo->setCurrentIndex(0);
    m_hideExcludedCheck->setChecked(false);
    fillRankKeys(m_rankKeyCombo);
    m_rankKeyCombo->setCurrentIndex(0);
}

void SearchConditionControls::setChoices(const SearchConditions& conditions) {
    m_directionCombo->setCurrentIndex(std::clamp(conditions.searchDirection, 0, 1));
    m_rankKeyCombo->setCurrentIndex(std::clamp(conditions.rankKey, 0, 3));
    m_hideExcludedCheck->setChecked(conditions.hideExcluded != 0);
}

void SearchConditionControls::selectDisplayCount(int index) {
    if (index < m_displayCountCombo->count()) {
        m_displayCountCombo->setCurrentIndex(std::max(index, -1));
    }
}

void SearchConditionControls::offerDisplayCounts(int candidates) {
    const DisplayCountChoice choices =
        displayCountChoice(candidates, m_displayCountCombo->currentIndex());
    m_displayCountCombo->setEnabled(candidates != 0);
    const QSignalBlocker block(m_displayCountCombo);
    m_displayCountCombo->clear();
    for (int i = 0; i < choices.items; ++i) {
        m_displayCountCombo->addItem(qs(displayCountCaption(i, displayWording())));
    }
    m_displayCountCombo->setCurrentIndex(choices.selected);
}

int SearchConditionControls::copyTo(QComboBox* direction, QComboBox* topN, QComboBox* rank) const {
    if (direction != nullptr) {
        fillDirections(direction);
        direction->setCurrentIndex(m_directionCombo->currentIndex());
    }
    if (topN != nullptr) {
        topN->clear();
        for (int i = 0; i < m_displayCountCombo->count(); ++i) {
            topN->addItem(m_displayCountCombo->itemText(i));
        }
        topN->setCurrentIndex(m_displayCountCombo->currentIndex());
    }
    if (rank != nullptr) {
        fillRankKeys(rank);
        rank->setCurrentIndex(m_rankKeyCombo->currentIndex());
    }
    return m_hideExcludedCheck->isChecked() ? 1 : 0;
}

} // namespace qdx
