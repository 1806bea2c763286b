#include "appearance.h"

namespace appearance {

namespace {

// The token the panel was opened for; nothing when AktStein names no token.
forms::PictureBox *target(BoardState &st)
{
    return BoardState::isIndex(st.AktStein) ? st.picZahl[size_t(st.AktStein)] : nullptr;
}

} // namespace

void picsteinFarbe_Click(BoardState &st)
{
    // A cancelled dialog leaves swatch and preview alone.
    if (!st.svc.dialog.ShowColor())
        return;
    st.picsteinFarbe->setBackColor(st.svc.dialog.Color);
    st.txtFeld->setBackColor(st.svc.dialog.Color);
}

void pictextfarbe_Click(BoardState &st)
{
    if (!st.svc.dialog.ShowColor())
        return;
    st.pictextfarbe->setBackColor(st.svc.dialog.Color);
    st.txtFeld->setForeColor(st.svc.dialog.Color);
}

void Command9_Click(BoardState &st)
{
    // The swatches' colours, and the text as it stands in the box; Steintext keeps
    // the stored text, so the next redraw of the token texts shows that one again.
    if (forms::PictureBox *z = target(st)) {
        z->setBackColor(st.picsteinFarbe->backColor());
        z->setForeColor(st.pictextfarbe->backColor());
        z->Cls();
        z->Print(st.txtFeld->text());
    }
    st.picEigenschaften->setVisible(false);
}

void cmdtxtFeld_Click(BoardState &st)
{
    // The text only: colours chosen in the swatches wait for the colour "ok".
    if (forms::PictureBox *z = target(st)) {
        z->Cls();
        st.Steintext[size_t(st.AktStein)] = st.txtFeld->text();
        z->Print(st.Steintext[size_t(st.AktStein)]);
    }
    st.picEigenschaften->setVisible(false);
}

void Command11_Click(BoardState &st) { st.picEigenschaften->setVisible(false); }

} // namespace appearance
