#pragma once
// A snapshot of everything that lasts on the board: fields, tokens (with what is
// drawn on them and their stacking order), the edge matrix, texts, counts, mode,
// lamps, colours, field size, the notes and the file name line. Two snapshots taken
// around an operation that must change nothing have to be equal.

#include "app/board_state.h"

#include <QImage>
#include <QStringList>
#include <map>

namespace testing {

struct BoardSnapshot {
    std::map<QString, QString> values; // "picFeld(3).left" -> "165"
    std::map<QString, QImage> pictures; // retained drawings, by widget name
};

BoardSnapshot snapshot(const app::BoardState &st);

// The first difference, as "name: before -> after", or an empty string. Entries whose
// name starts with one of `ignore` are left out.
QString firstDifference(const BoardSnapshot &before, const BoardSnapshot &after,
                        const QStringList &ignore = {});

} // namespace testing
