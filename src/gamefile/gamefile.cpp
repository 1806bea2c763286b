#include "gamefile.h"

#include "app/app.h"
#include "editor/editor.h"
#include "forms/numtext.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace gamefile {

namespace {

const QString Ending = QStringLiteral(".swk");

// The one ending games have; the comparison respects letter case, so "spiel.SWK"
// is not a game file name.
bool hasEnding(const QString &name) { return name.endsWith(Ending, Qt::CaseSensitive); }

void saveFailed(BoardState &st) { st.svc.messages.critical(SaveFailedTitle, SaveFailedText); }
void loadFailed(BoardState &st) { st.svc.messages.critical(LoadFailedTitle, LoadFailedText); }

std::optional<QByteArray> readAll(const QString &path)
{
    if (QFileInfo(path).isDir())
        return std::nullopt;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // One byte more than allowed is enough to tell that a file is too large.
    QByteArray data = f.read(MaxFileSize + 1);
    if (f.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

// A widget's int for a 16-bit value; one outside that range becomes -1, which
// neither a pointer code nor a field size can be, so the check refuses it.
std::int16_t narrow(int v) { return v >= -32768 && v <= 32767 ? std::int16_t(v) : std::int16_t(-1); }

} // namespace

Game collect(const BoardState &st)
{
    Game g;
    for (int i = 0; i < Slots; ++i) {
        const forms::PictureBox *f = st.fields[size_t(i)];
        const forms::PictureBox *z = st.tokens[size_t(i)];
        Group &gr = g.groups[size_t(i)];
        gr.fieldLeft = f->left();
        gr.fieldTop = f->top();
        gr.fieldTip = f->toolTipText();
        gr.fieldTag = numtext::val(f->tag());
        gr.tokenLeft = z->left();
        gr.tokenTop = z->top();
        gr.tokenTip = z->toolTipText();
        gr.tokenTag = numtext::val(z->tag());
        gr.tokenColour = z->backColor();
        gr.fieldPointer = narrow(f->mousePointer());
        gr.tokenVisible = z->visible();
        gr.text = st.tokenTexts[size_t(i)];
    }
    g.edges = st.edges;
    const forms::CommandButton *modes[3] = {st.setModeButton, st.connectModeButton, st.playModeButton};
    for (int m = 0; m < 3; ++m) {
        g.modeTags[size_t(m)] = numtext::val(modes[m]->tag());
        g.modeColours[size_t(m)] = modes[m]->backColor();
    }
    g.tokenCount = st.tokenCountOrZero();
    g.fieldSize = narrow(st.fieldSizeBar->value());
    return g;
}

void apply(BoardState &st, const Game &g)
{
    st.board->clear();

    // The size first: a change resizes every field about its centre, and only then
    // do the fields get their saved places. Set last, it would shift a game saved at
    // another size by half the difference.
    st.fieldSizeBar->setValue(g.fieldSize);

    for (int i = 0; i < Slots; ++i) {
        const Group &gr = g.groups[size_t(i)];
        forms::PictureBox *f = st.fields[size_t(i)];
        forms::PictureBox *z = st.tokens[size_t(i)];
        f->setLeft(gr.fieldLeft);
        f->setTop(gr.fieldTop);
        f->setToolTipText(gr.fieldTip);
        f->setTag(numtext::tagText(gr.fieldTag));
        f->clear();
        z->setLeft(gr.tokenLeft);
        z->setTop(gr.tokenTop);
        z->setToolTipText(gr.tokenTip);
        z->setTag(numtext::tagText(gr.tokenTag));
        z->setBackColor(gr.tokenColour);
        f->setMousePointer(gr.fieldPointer);
        z->setVisible(gr.tokenVisible);
        st.tokenTexts[size_t(i)] = gr.text;
    }
    // Every token shows its own number until play mode lays the tokens out.
    for (int i = 0; i < Slots; ++i) {
        forms::PictureBox *z = st.tokens[size_t(i)];
        z->raise();
        z->clear();
        z->printText(numtext::fromInt(i + 1));
    }

    st.edges = g.edges;

    forms::CommandButton *modes[3] = {st.setModeButton, st.connectModeButton, st.playModeButton};
    for (int m = 0; m < 3; ++m)
        modes[m]->setTag(numtext::tagText(g.modeTags[size_t(m)]));
    for (int m = 0; m < 3; ++m)
        modes[m]->setBackColor(g.modeColours[size_t(m)]);
    st.tokenCount = g.tokenCount;

    editor::eraseBoard(st);
    app::enterPlayMode(st);
}

bool saveTo(BoardState &st, const QString &path)
{
    const std::optional<QByteArray> bytes = write(collect(st));
    if (!bytes) {
        saveFailed(st);
        return false;
    }
    // Written beside the target and renamed over it when complete; where the folder
    // takes no new file but the file itself is writable, it is written in place.
    QSaveFile f(path);
    f.setDirectWriteFallback(true);
    if (!f.open(QIODevice::WriteOnly) || f.write(*bytes) != bytes->size() || !f.commit()) {
        saveFailed(st);
        return false;
    }
    return true;
}

bool openFrom(BoardState &st, const QString &path)
{
    const std::optional<QByteArray> data = readAll(path);
    if (!data) {
        loadFailed(st);
        return false;
    }
    const Parsed parsed = parse(*data);
    if (!parsed.game) {
        loadFailed(st);
        return false;
    }
    apply(st, *parsed.game);
    return true;
}

void saveGame(BoardState &st)
{
    if (st.busy())
        return;
    forms::CommonDialog &dlg = st.svc.dialog;
    dlg.initialDir = QDir::currentPath();
    if (!dlg.showSave())
        return;
    QString name = dlg.fileName;
    if (!hasEnding(name))
        name += Ending;
    st.statusLine->setText(name);
    saveTo(st, name);
}

void openGame(BoardState &st)
{
    if (st.busy())
        return;
    forms::CommonDialog &dlg = st.svc.dialog;
    dlg.fileName = QStringLiteral("*swk");
    dlg.initialDir = QDir::currentPath();
    if (!dlg.showOpen())
        return;
    const QString name = dlg.fileName;
    st.statusLine->setText(name);
    if (!hasEnding(name))
        return;
    openFrom(st, name);
}

} // namespace gamefile
