#include "engine.h"
#include "play.h"

#include "forms/numtext.h"

namespace play {

void scramble(BoardState &st)
{
    // A sliding token still carries its old field in its tag: no rearranging under it.
    if (st.moveInProgress)
        return;
    const int n = st.game.tokensInPlay();
    if (n < 1)
        return;
    StepRecorder step(st, false);
    st.game.rearrange(model::randomPermutation(st.svc.rnd, n));
    for (int i = 0; i < n; ++i)
        st.showToken(i);
    setApart(st);
}

void setRandomTarget(BoardState &st)
{
    const int n = st.game.tokensInPlay();
    if (n < 1)
        return;
    const std::vector<int> perm = model::randomPermutation(st.svc.rnd, n);
    for (int i = 0; i < n; ++i) {
        forms::PictureBox *f = st.fields[size_t(i)];
        f->clear();
        f->printText(numtext::fromInt(perm[size_t(i)] + 1));
    }
    st.game.targetNumbering = perm;
    setApart(st);
}

} // namespace play
