#include "engine.h"
#include "play.h"

#include "forms/numtext.h"

namespace play {

std::vector<int> randomPermutation(forms::Random &rnd, int n)
{
    std::vector<int> perm;
    perm.reserve(size_t(std::max(n, 0)));
    for (int i = 0; i < n; ++i) {
        int r = 0;
        bool ok = false;
        while (!ok) {
            ok = true;
            r = rnd.below(n);
            for (int j = 0; j < i; ++j)
                if (perm[size_t(j)] == r)
                    ok = false;
        }
        perm.push_back(r);
    }
    return perm;
}

void scramble(BoardState &st)
{
    // A sliding token still carries its old field in its tag: no rearranging under it.
    if (st.moveInProgress)
        return;
    const int n = st.game.tokensInPlay();
    if (n < 1)
        return;
    StepRecorder step(st, false);
    st.game.rearrange(randomPermutation(st.svc.rnd, n));
    for (int i = 0; i < n; ++i)
        st.showToken(i);
    setApart(st);
}

void setRandomTarget(BoardState &st)
{
    const int n = st.game.tokensInPlay();
    if (n < 1)
        return;
    const std::vector<int> perm = randomPermutation(st.svc.rnd, n);
    for (int i = 0; i < n; ++i) {
        forms::PictureBox *f = st.fields[size_t(i)];
        f->clear();
        f->printText(numtext::fromInt(perm[size_t(i)] + 1));
    }
    st.game.targetNumbering = perm;
    setApart(st);
}

} // namespace play
