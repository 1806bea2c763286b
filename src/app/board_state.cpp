#include "board_state.h"

#include "forms/numtext.h"
#include "play/guide.h"

namespace app {

BoardState::BoardState(Services s) : svc(s), guide(std::make_unique<play::Guide>()) {}

BoardState::~BoardState() = default;

bool BoardState::tagIsOne(const QString &tag) { return numtext::val(tag) == 1.0; }

std::optional<int> BoardState::fieldOfToken(int token) const
{
    if (!isIndex(token))
        return std::nullopt;
    return numtext::indexFromText(tokens[token]->tag(), 0, MaxIndex);
}

TokenFields BoardState::tokenFields() const
{
    TokenFields f;
    for (int k = 0; k < FieldCount; ++k)
        f[size_t(k)] = fieldOfToken(k).value_or(-1);
    return f;
}

void BoardState::clearHistory()
{
    history = History{};
    success = SuccessWatch{};
    updateMoveActions();
}

void BoardState::updateMoveActions()
{
    if (!undoAction)
        return;
    const bool play = inPlayMode() && !busy();
    undoAction->setEnabled(play && !history.done.empty());
    redoAction->setEnabled(play && !history.undone.empty());
    hintAction->setEnabled(play);
    solveAction->setEnabled(play);
    solvabilityAction->setEnabled(play);
}

} // namespace app
