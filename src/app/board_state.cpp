#include "board_state.h"

#include "forms/numtext.h"

namespace app {

bool BoardState::tagIsOne(const QString &tag) { return numtext::val(tag) == 1.0; }

std::optional<int> BoardState::fieldOfToken(int token) const
{
    if (!isIndex(token))
        return std::nullopt;
    return numtext::indexFromText(tokens[token]->tag(), 0, MaxIndex);
}

} // namespace app
