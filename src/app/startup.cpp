#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace app {

using colors::rgb;

namespace {
constexpr float Twips = forms::TwipsPerPixel;
const QString TokenTip = QStringLiteral("Maus links: ziehen, Maus rechts: färben");
} // namespace

void setUpApplication()
{
    QApplication::setApplicationName(QStringLiteral("Graphen-Schiebwerk"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    auto *qtbase = new QTranslator(qApp);
    if (qtbase->load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
}

void startUp(BoardState &st)
{
    st.normalViewButton->setVisible(false);

    // The normal view, for the view commands to come back to.
    const QRect frame = st.window->frameGeometry();
    BoardState::NormalGeometry &n = st.normalGeometry;
    n.windowLeft = frame.x() * double(Twips);
    n.windowTop = frame.y() * double(Twips);
    n.windowWidth = frame.width() * double(Twips);
    n.windowHeight = frame.height() * double(Twips);
    n.dividerWidth = st.dividerBar->width();
    n.boardHeight = st.board->height();
    n.boardWidth = st.board->width();
    n.eraseButtonLeft = st.eraseButton->left();
    n.clearNotesLeft = st.clearNotesButton->left();
    n.statusLineTop = st.statusLine->top();
    n.statusLineWidth = st.statusLine->width();
    n.notesTop = st.notes->top();
    n.notesWidth = st.notes->width();
    n.clearNotesTop = st.clearNotesButton->top();
    watchStartupFrame(st);

    model::Game &game = st.game;
    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *f = st.fields[size_t(i)];
        model::Field &field = game.fields[size_t(i)];
        field.width = field.height = 42;
        field.tag = 0;
        field.tip = FreeTip;
        field.colour = rgb(255, 255, 255);
        f->setBorder(forms::PictureBox::Border::Single);
        f->setFlat(true);

        // The supply pile: a small random offset around (16, 36), field 0 on top.
        const int g = MaxIndex - i;
        const double r = st.svc.rnd.next();
        const double s = st.svc.rnd.next();
        game.fields[size_t(g)].left = float(8 * r + 16 - 4);
        game.fields[size_t(g)].top = float(8 * s + 36 - 4);
        st.fields[size_t(g)]->raise();

        forms::PictureBox *z = st.tokens[size_t(i)];
        model::Token &token = game.tokens[size_t(i)];
        token.visible = false;
        token.tag = -1;
        token.textColour = rgb(255, 255, 255);
        token.colour = rgb(0, 0, 255);
        token.width = token.height = 32;
        token.tip = TokenTip;
        token.text = numtext::fromInt(i + 1);
        QFont font = z->font();
        font.setPointSizeF(16);
        font.setBold(true);
        z->setFont(font);
        z->setBorder(forms::PictureBox::Border::Single);
        z->setFlat(true);
    }
    st.showFields();
    st.showTokens();

    for (auto &row : st.game.edges)
        row.fill(0);
    st.pendingFieldChosen = 0;
    st.pendingField = 0;
    enterSetMode(st);
}

void newBoard(BoardState &st)
{
    if (st.busy())
        return;
    enterSetMode(st);
    for (int i = 0; i < FieldCount; ++i) {
        model::Field &f = st.game.fields[size_t(i)];
        f.left = 12;
        f.top = 36;
        f.tag = 0;
        st.game.tokens[size_t(i)].colour = rgb(0, 0, 255);
        st.game.tokens[size_t(i)].text = numtext::fromInt(i + 1);
    }
    st.showFields();
    st.showTokens();
    for (auto &row : st.game.edges)
        row.fill(0);
    editor::redrawEdges(st);
}

void showInfo(BoardState &st)
{
    st.svc.messages.information(QStringLiteral("Programmiert von"), QStringLiteral("dem Graphen-Schiebwerk-Team"));
}

} // namespace app
