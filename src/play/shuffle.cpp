#include "engine.h"
#include "play.h"

namespace play {

// In this order.
void setShuffleControlsEnabled(BoardState &st, bool on)
{
    st.cmdSetzen->setEnabled(on);
    st.cmdVerbinden->setEnabled(on);
    st.cmdSpielen->setEnabled(on);
    st.Command4->setEnabled(on);
    st.Command5->setEnabled(on);
    st.Command6->setEnabled(on);
    st.cmdDatei->menuAction()->setEnabled(on);
}

void image1_Click(BoardState &st)
{
    // Outside play every token is off the board, so there is nothing to move; and one
    // shuffle (or move) at a time.
    if (st.closing || st.busy() || !st.playMode())
        return;
    const int n = tokensInPlay(st);
    if (n < 1)
        return;

    StepRecorder step(st, false);
    setShuffleControlsEnabled(st, false);
    st.shuffleRunning = true;
    st.MischenAktiv = 1;
    do {
        st.svc.pacing.doEvents();
        if (st.closing)
            break;
        SteinZiehen(st, st.svc.rnd.below(n));
        if (st.closing)
            break;
    } while (st.MischenAktiv != 0);
    st.shuffleRunning = false;
    setShuffleControlsEnabled(st, true);
}

void Command8_Click(BoardState &st) { st.MischenAktiv = 0; }

} // namespace play
