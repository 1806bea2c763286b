#include "game.h"

#include <cmath>

namespace model {

namespace {

// The field a tag names exactly (a whole number 0..64): the cascade matches tokens to
// fields that way, where a move rounds the tag.
int exactField(double tag)
{
    return tag >= 0 && tag <= MaxIndex && tag == std::floor(tag) ? int(tag) : -1;
}

} // namespace

void Game::setMode(Mode m)
{
    for (int i = 0; i < 3; ++i)
        modeTags[size_t(i)] = i == int(m) ? 1 : 0;
}

std::optional<int> Game::fieldOfToken(int token) const
{
    if (!isIndex(token))
        return std::nullopt;
    // Half to even, as a tag's text has always been read.
    const double r = std::nearbyint(tokens[size_t(token)].tag);
    if (!std::isfinite(r) || r < 0 || r > MaxIndex)
        return std::nullopt;
    return int(r);
}

TokenFields Game::tokenFields() const
{
    TokenFields f;
    for (int k = 0; k < FieldCount; ++k)
        f[size_t(k)] = fieldOfToken(k).value_or(-1);
    return f;
}

int Game::tokensInPlay() const
{
    const int n = tokenCountOrZero();
    return n >= 1 && n <= MaxIndex ? n : 0;
}

std::pair<float, float> Game::tokenPlace(int token, int field) const
{
    const Token &z = tokens[size_t(token)];
    const Field &f = fields[size_t(field)];
    return {float(double(f.left) + (double(f.width) - double(z.width)) / 2),
            float(double(f.top) + (double(f.height) - double(z.height)) / 2)};
}

std::optional<int> Game::moveTarget(int token) const
{
    const std::optional<int> from = fieldOfToken(token);
    if (!from || !onBoard(*from))
        return std::nullopt;
    const auto &row = edges[size_t(*from)];
    // A free field in the supply is no place for a token, even when an edge leads there.
    const int target = puzzle::highestOpenNeighbour(
        *from, [&](int j) { return row[size_t(j)] == 1; },
        [&](int j) { return fields[size_t(j)].free() && fields[size_t(j)].onBoard(); });
    if (target < 0)
        return std::nullopt;
    return target;
}

CascadeCount Game::cascadeCount(int lastMoved, int prevFree) const
{
    CascadeCount c;
    c.free = prevFree;
    for (int j = 0; j < FieldCount; ++j)
        if (fields[size_t(j)].free() && fields[size_t(j)].onBoard())
            c.free = j;
    if (!isIndex(c.free))
        return c;

    std::array<int, FieldCount> on{};
    for (int u = 0; u < FieldCount; ++u)
        on[size_t(u)] = exactField(tokens[size_t(u)].tag);

    const auto &row = edges[size_t(c.free)];
    for (int nb = 0; nb < FieldCount; ++nb) {
        if (row[size_t(nb)] != 1)
            continue;
        for (int u = 0; u < FieldCount; ++u) {
            if (u != lastMoved && on[size_t(u)] == nb) {
                ++c.count;
                c.candidate = u;
            }
        }
    }
    return c;
}

void Game::slideDone(int token, int target, std::pair<float, float> place)
{
    if (!isIndex(token) || !isIndex(target))
        return;
    Token &z = tokens[size_t(token)];
    std::tie(z.left, z.top) = place;
    fields[size_t(target)].tip = OccupiedTip;
    const std::optional<int> old = fieldOfToken(token);
    if (old)
        fields[size_t(*old)].tip = FreeTip;
    z.tag = target;
    ++slidesMade;
    if (history.recording && history.recordSlides)
        history.recording->slides.push_back({token, old.value_or(-1), target});
}

void Game::placeTokens(const TokenFields &to)
{
    for (int f : tokenFields())
        if (isIndex(f))
            fields[size_t(f)].tip = FreeTip;
    for (int k = 0; k < FieldCount; ++k) {
        const int f = to[size_t(k)];
        Token &z = tokens[size_t(k)];
        if (!isIndex(f)) {
            z.tag = -1;
            continue;
        }
        std::tie(z.left, z.top) = tokenPlace(k, f);
        z.tag = f;
        fields[size_t(f)].tip = OccupiedTip;
    }
}

void Game::tokensOff(std::int16_t pointer)
{
    for (int i = 0; i < FieldCount; ++i) {
        tokens[size_t(i)].visible = false;
        tokens[size_t(i)].tag = -1;
        fields[size_t(i)].tip = FreeTip;
        fields[size_t(i)].pointer = pointer;
    }
}

void Game::layOutTokens()
{
    std::int32_t n = -1;
    for (int i = 0; i < FieldCount; ++i) {
        if (onBoard(i)) {
            ++n;
            startFields[size_t(n)] = i;
        }
    }
    tokenCount = n;
    for (int k = 0; k < n; ++k) {
        const int f = startFields[size_t(k)];
        Token &z = tokens[size_t(k)];
        z.visible = true;
        std::tie(z.left, z.top) = tokenPlace(k, f);
        z.tag = f;
        fields[size_t(f)].tip = OccupiedTip;
    }
}

void Game::rearrange(const std::vector<int> &perm)
{
    struct Saved { float left, top; double field; };
    std::vector<Saved> saved;
    saved.reserve(perm.size());
    for (size_t i = 0; i < perm.size(); ++i)
        saved.push_back({tokens[i].left, tokens[i].top, tokens[i].tag});
    for (size_t i = 0; i < perm.size(); ++i) {
        const Saved &s = saved[size_t(perm[i])];
        tokens[i].left = s.left;
        tokens[i].top = s.top;
        tokens[i].tag = s.field;
    }
}

std::optional<Position> Game::position() const
{
    Position p;
    p.now.fill(puzzle::NoToken);
    for (int f = 0; f < FieldCount; ++f) {
        p.board.onBoard[size_t(f)] = onBoard(f);
        for (int j = 0; j < FieldCount; ++j)
            p.board.edge[size_t(f)][size_t(j)] = edges[size_t(f)][size_t(j)] == 1;
    }
    const int n = tokensInPlay();
    for (int k = 0; k < n; ++k) {
        const std::optional<int> f = fieldOfToken(k);
        if (!f || !onBoard(*f) || p.now[size_t(*f)] != puzzle::NoToken)
            return std::nullopt;
        p.now[size_t(*f)] = k;
    }
    for (int f = 0; f < FieldCount; ++f)
        if (onBoard(f) && fields[size_t(f)].free() != (p.now[size_t(f)] == puzzle::NoToken))
            return std::nullopt;
    p.target = targetNumbering ? puzzle::numberedTarget(p.board, *targetNumbering) : puzzle::startArrangement(p.board);
    return p;
}

bool Game::atTarget() const
{
    const std::optional<Position> p = position();
    return p && p->now == p->target;
}

void Game::clearHistory()
{
    history = History{};
    success = SuccessWatch{};
}

bool Game::beginStep(bool slides)
{
    if (history.recording)
        return false;
    history.recording = HistoryStep{};
    history.recording->before = tokenFields();
    history.recordSlides = slides;
    return true;
}

void Game::endStep()
{
    // Nothing the guards let through clears the history while an action runs; should
    // it happen, the action simply leaves no step.
    if (!history.recording)
        return;
    HistoryStep step = std::move(*history.recording);
    history.recording.reset();
    step.after = tokenFields();
    if (step.after != step.before) {
        history.done.push_back(std::move(step));
        history.undone.clear();
    }
}

std::optional<HistoryStep> Game::takeStep(bool back)
{
    std::vector<HistoryStep> &from = back ? history.done : history.undone;
    if (from.empty())
        return std::nullopt;
    HistoryStep step = std::move(from.back());
    from.pop_back();
    if (tokenFields() != (back ? step.after : step.before)) {
        clearHistory();
        return std::nullopt;
    }
    return step;
}

void Game::toggleEdge(int a, int c)
{
    if (!isIndex(a) || !isIndex(c))
        return;
    // Each entry flips on its own: for a field paired with itself the same entry flips
    // twice and stays as it was.
    auto &ac = edges[size_t(a)][size_t(c)];
    ac = 1 - ac;
    auto &ca = edges[size_t(c)][size_t(a)];
    ca = 1 - ca;
}

void Game::removeEdgesOf(int field)
{
    if (!isIndex(field))
        return;
    for (int k = 0; k < FieldCount; ++k) {
        edges[size_t(k)][size_t(field)] = 0;
        edges[size_t(field)][size_t(k)] = 0;
    }
}

void Game::resizeFields(int size)
{
    fieldSize = size;
    const float s = float(size);
    for (Field &f : fields) {
        // Fields are square: the width difference keeps the centre in both directions.
        const float shift = (f.width - s) / 2;
        f.left += shift;
        f.top += shift;
        f.width = s;
        f.height = s;
    }
}

} // namespace model
