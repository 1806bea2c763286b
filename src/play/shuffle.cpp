#include "engine.h"
#include "play.h"

namespace play {

// In this order.
void setShuffleControlsEnabled(BoardState &st, bool on)
{
    st.setModeButton->setEnabled(on);
    st.connectModeButton->setEnabled(on);
    st.playModeButton->setEnabled(on);
    st.newButton->setEnabled(on);
    st.openButton->setEnabled(on);
    st.saveButton->setEnabled(on);
    st.fileMenu->menuAction()->setEnabled(on);
}

void startShuffle(BoardState &st)
{
    // Outside play every token is off the board, so there is nothing to move; and one
    // shuffle (or move) at a time.
    if (st.closing || st.busy() || !st.inPlayMode())
        return;
    const int n = st.game.tokensInPlay();
    if (n < 1)
        return;

    StepRecorder step(st, false);
    setShuffleControlsEnabled(st, false);
    st.shuffleRunning = true;
    st.updateMoveActions();
    st.shuffleActive = 1;
    EscapeStops escape([&st] { stopShuffle(st); });
    do {
        st.svc.pacing.pumpEvents();
        if (st.closing)
            break;
        moveToken(st, st.svc.rnd.below(n));
        if (st.closing)
            break;
    } while (st.shuffleActive != 0);
    st.shuffleRunning = false;
    setShuffleControlsEnabled(st, true);
    st.updateMoveActions();
    setApart(st);
}

void stopShuffle(BoardState &st) { st.shuffleActive = 0; }

} // namespace play
