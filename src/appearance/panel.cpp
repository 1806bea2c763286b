#include "appearance.h"

namespace appearance {

namespace {

// The token the panel was opened for; nothing when panelToken names no token.
forms::PictureBox *target(BoardState &st)
{
    return BoardState::isIndex(st.panelToken) ? st.tokens[size_t(st.panelToken)] : nullptr;
}

} // namespace

void chooseTokenColour(BoardState &st)
{
    // A cancelled dialog leaves swatch and preview alone.
    if (!st.svc.dialog.showColour())
        return;
    st.tokenColourSwatch->setBackColor(st.svc.dialog.colour);
    st.tokenTextBox->setBackColor(st.svc.dialog.colour);
}

void chooseTextColour(BoardState &st)
{
    if (!st.svc.dialog.showColour())
        return;
    st.textColourSwatch->setBackColor(st.svc.dialog.colour);
    st.tokenTextBox->setForeColor(st.svc.dialog.colour);
}

void applyPanelColours(BoardState &st)
{
    // The swatches' colours, and the text as it stands in the box; tokenTexts keeps
    // the stored text, so the next redraw of the token texts shows that one again.
    if (forms::PictureBox *z = target(st)) {
        model::Token &m = st.game.tokens[size_t(st.panelToken)];
        m.colour = st.tokenColourSwatch->backColor();
        m.textColour = st.textColourSwatch->backColor();
        st.showToken(st.panelToken);
        z->clear();
        z->printText(st.tokenTextBox->text());
    }
    st.tokenPanel->setVisible(false);
}

void applyTokenText(BoardState &st)
{
    // The text only: colours chosen in the swatches wait for the colour "ok".
    if (forms::PictureBox *z = target(st)) {
        z->clear();
        st.game.tokens[size_t(st.panelToken)].text = st.tokenTextBox->text();
        z->printText(st.game.tokens[size_t(st.panelToken)].text);
    }
    st.tokenPanel->setVisible(false);
}

void closePanel(BoardState &st) { st.tokenPanel->setVisible(false); }

} // namespace appearance
