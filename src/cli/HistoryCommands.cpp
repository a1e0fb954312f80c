#include "cli/HistoryCommands.h"

#include "cli/ExitCode.h"
#include "cli/ProjectSession.h"
#include "model/RecordId.h"
#include "views/history/HistoryActions.h"
#include "views/history/MatchHistoryList.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <map>
#include <memory>

namespace qdx::cli {
namespace {

struct HistoryOptions {
    std::string project;
    std::string side;
    std::string id;
    std::vector<std::pair<std::string, std::string>> registers;
    std::vector<std::string> deletes;
    std::vector<std::string> identified;
    bool noSave = false;
    bool replace = false;
    std::vector<HistoryAction> actions; // in command-line order, built after parsing
};

// The kind words of --register: the kind list's entries with the radio button for 同一人物.
const std::map<std::string, std::pair<KindChoice, SamePersonBasis>>& kindWords() {
    static const std::map<std::string, std::pair<KindChoice, SamePersonBasis>> words = {
        {"same-dental", {KindChoice::SamePerson, SamePersonBasis::DentalChart}},
        {"same-other", {KindChoice::SamePerson, SamePersonBasis::OtherInformation}},
        {"examining", {KindChoice::UnderInvestigation, SamePersonBasis::DentalChart}},
        {"other", {KindChoice::Imposter, SamePersonBasis::DentalChart}},
    };
    return words;
}

// Puts the actions in the order they were given; CLI11 keeps each option's values apart and
// lists every value string of the command line, in order, in parse_order().
void collectActions(const CLI::App& command, HistoryOptions& o, const CLI::Option* reg,
                    const CLI::Option* del, const CLI::Option* identified) {
    std::size_t registerValues = 0, d = 0, i = 0;
    for (const CLI::Option* option : command.parse_order()) {
        HistoryAction action;
        if (option == reg) {
            // KIND and PARTNER are two values of one --register.
            if (registerValues++ % 2 == 1)
                continue;
            const auto& [word, partner] = o.registers.at(registerValues / 2);
            const auto found = kindWords().find(word);
            if (found == kindWords().end())
                throw CLI::ValidationError("--register",
                                           "kind must be same-dental, same-other, examining or "
                                           "other: " +
                                               word);
            action.type = HistoryAction::Type::Register;
            action.choice = found->second.first;
            action.basis = found->second.second;
            action.partner = partner;
        } else if (option == del) {
            action.type = HistoryAction::Type::Delete;
            action.partner = o.deletes.at(d++);
        } else if (option == identified) {
            action.type = HistoryAction::Type::Identified;
            action.on = o.identified.at(i++) == "on";
        } else {
            continue;
        }
        o.actions.push_back(action);
    }
}

int runHistory(const HistoryOptions& o) {
    ProjectSession session(o.project);
    ProjectModel& model = session.model();
    const int side = o.side == "pm" ? PostMortem : AnteMortem;
    long long key = 0;
    if (model.isIdFree(side, o.id, key))
        throw CommandError("no record with this ID on that side: " + o.id);
    MatchHistoryEditor editor = loadMatchHistory(model, side, key);
    for (const HistoryAction& action : o.actions) {
        if (action.type == HistoryAction::Type::Register && !o.replace) {
            // The window's question; without --replace the answer is いいえ.
            const IdParts parts = splitDisplayId(action.partner);
            if (const auto question = registerQuestion(editor, model, action.choice, action.basis,
                                                       parts.upper, parts.lower))
                throw CommandError(*question);
        }
        const HistoryMessage refused = applyHistoryAction(editor, model, action);
        if (refused != HistoryMessage::None) {
            // Nothing is saved: the session rolls the project back.
            throw CommandError(std::string(historyMessageText(refused)));
        }
    }
    if (!o.actions.empty() && !o.noSave) {
        model.replaceMatchHistory(side, editor.entries());
        session.commitAndClose();
    }
    const std::string listing = historyListing(editor);
    std::fwrite(listing.data(), 1, listing.size(), stdout);
    return ExitSuccess;
}

} // namespace

void addHistoryCommands(CLI::App& app, CommandAction& selected) {
    auto o = std::make_shared<HistoryOptions>();
    CLI::App* history = app.add_subcommand(
        "history", "list and edit the match history of one record, as the match history "
                   "window does; actions run in the order given");
    history->add_option("PROJECT", o->project, "project file")->required();
    history->add_option("--side", o->side, "pm (post-mortem) or am (ante-mortem)")
        ->required()
        ->check(CLI::IsMember({"pm", "am"}));
    history->add_option("--id", o->id, "ID of the record")->required();
    CLI::Option* reg = history->add_option(
        "--register", o->registers,
        "register KIND PARTNER: same-dental, same-other, examining or other with the other "
        "side's record PARTNER");
    CLI::Option* del =
        history->add_option("--delete", o->deletes, "delete the entry with the record PARTNER");
    CLI::Option* identified =
        history->add_option("--identified", o->identified, "bring 判明済み on or off")
            ->check(CLI::IsMember({"on", "off"}));
    history->add_flag("--replace", o->replace,
                      "register the same person also when the partner is already another "
                      "record's same person (saving removes that registration)");
    history->add_flag("--no-save", o->noSave, "leave the edited history unsaved (rolled back)");
    history->callback([&selected, o, history, reg, del, identified] {
        collectActions(*history, *o, reg, del, identified);
        selected = [o] { return runHistory(*o); };
    });
}

} // namespace qdx::cli
