#pragma once

#include "store/MatchRow.h"
#include "store/ProjectModel.h"
#include "store/ProjectOpen.h"
#include "ui/common/Prompts.h"

#include <QList>
#include <QString>

#include <deque>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace qdx::test {

// Answers the message boxes and choosers of the program in place of a person, in order, and
// keeps what was shown. A request nobody scripted is answered with cancel and counted.
class ScriptedResponder : public Prompts::Responder {
public:
    ScriptedResponder() { Prompts::setResponder(this); }
    ~ScriptedResponder() override { Prompts::setResponder(nullptr); }
    ScriptedResponder(const ScriptedResponder&) = delete;
    ScriptedResponder& operator=(const ScriptedResponder&) = delete;

    void answer(int result) { m_answers.push_back(result); }
    void choose(const QString& path) { m_paths.push_back(path); }

    int answerMessage(const Prompts::Message& message) override {
        messages.push_back(message);
        // A plain OK message needs no script.
        if (message.buttons == MbOk) {
            return ResultYes;
        }
        if (m_answers.empty()) {
            ++unexpected;
            return 2;
        }
        const int result = m_answers.front();
        m_answers.pop_front();
        return result;
    }
    QString answerFile(const Prompts::FileChoice& choice) override {
        choices.push_back(choice);
        if (m_paths.empty()) {
            ++unexpected;
            return {};
        }
        const QString path = m_paths.front();
        m_paths.pop_front();
        return path;
    }
    bool answerPrint(QPrinter&) override { return false; }

    QStringList texts() const {
        QStringList list;
        for (const auto& m : messages) {
            list << m.text;
        }
        return list;
    }
    bool allAnswered() const { return m_answers.empty() && m_paths.empty() && unexpected == 0; }

    QList<Prompts::Message> messages;
    QList<Prompts::FileChoice> choices;
    int unexpected = 0;

private:
    std::deque<int> m_answers;
    std::deque<QString> m_paths;
};

struct TestRecord {
    std::string upper;
    std::string lower;
    std::string classes = std::string(32, '5');
    std::string present = std::string(32, '0');
    std::string bridges = std::string(32, '0');
};

// Writes a saved project file with the records (keys 1, 2, ... per side in the given order)
// and complete match rows.
inline void writeProject(const std::string& path, const std::vector<TestRecord>& pm,
                         const std::vector<TestRecord>& am,
                         const std::vector<MatchRow>& matches = {}) {
    ProjectModel model;
    openProjectFile(model, splitProjectPath(path));
    for (int side = 0; side < 2; ++side) {
        for (const TestRecord& r : side == 0 ? pm : am) {
            model.clearEntry();
            RecordEntry& e = model.entry();
            e.side = side;
            e.upperIdPart = r.upper;
            e.lowerIdPart = r.lower;
            for (int p = 0; p < 32; ++p) {
                const auto i = static_cast<std::size_t>(p);
                e.classes[i] = r.classes[i] - '0';
                e.present[i] = r.present[i] - '0';
                e.bridges[i] = r.bridges[i] - '0';
            }
            model.storeEntry();
        }
    }
    model.insertMatches(matches);
    model.save();
    model.close(true);
}

inline MatchRow matchRow(int pmKey, int amKey, const std::string& kind) {
    MatchRow row;
    row.ID_AFTER = std::to_string(pmKey);
    row.ID_BEFOR = std::to_string(amKey);
    row.KIND = kind;
    return row;
}

// A number read from the file on disk through its own connection (-1 when it cannot be read).
inline long long countOnDisk(const std::string& path, const std::string& query) {
    sqlite3* db = nullptr;
    long long value = -1;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW) {
            value = sqlite3_column_int64(statement, 0);
        }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

} // namespace qdx::test
