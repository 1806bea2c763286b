// "speichern" and "öffnen": the dialogs, the messages and what the board shows of a
// loaded game, around the game file's model-to-bytes mapping.

#include "app.h"
#include "editor/editor.h"
#include "forms/numtext.h"
#include "gamefile/gamefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalBlocker>

namespace app {

namespace {

void saveFailed(BoardState &st) { st.svc.messages.critical(gamefile::SaveFailedTitle, gamefile::SaveFailedText); }
void loadFailed(BoardState &st) { st.svc.messages.critical(gamefile::LoadFailedTitle, gamefile::LoadFailedText); }

// The board shows the game just put into the model: every field and token in place,
// every token with its own number until play mode lays them out.
void showLoadedGame(BoardState &st)
{
    {
        // The model has resized the fields already; the bar only follows.
        const QSignalBlocker quiet(st.fieldSizeBar);
        st.fieldSizeBar->setValue(st.game.fieldSize);
    }
    st.showFields();
    for (forms::PictureBox *f : st.fields)
        f->clear();
    st.showTokens();
    for (int i = 0; i < FieldCount; ++i) {
        forms::PictureBox *z = st.tokens[size_t(i)];
        z->raise();
        z->clear();
        z->printText(numtext::fromInt(i + 1));
    }
    st.showModes();
}

} // namespace

bool saveTo(BoardState &st, const QString &path)
{
    if (gamefile::saveTo(st.game, path))
        return true;
    saveFailed(st);
    return false;
}

bool openFrom(BoardState &st, const QString &path)
{
    const std::optional<gamefile::Game> g = gamefile::readFrom(path);
    if (!g) {
        loadFailed(st);
        return false;
    }
    st.board->clear();
    gamefile::apply(st.game, *g);
    showLoadedGame(st);
    editor::eraseBoard(st);
    enterPlayMode(st);
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
    if (!gamefile::hasEnding(name))
        name += gamefile::Ending;
    st.statusLine->setText(name);
    saveTo(st, name);
}

void openGame(BoardState &st)
{
    if (st.busy())
        return;
    forms::CommonDialog &dlg = st.svc.dialog;
    // Until a game has been chosen or given, an installed program starts the dialog
    // among its sample games; from the build folder it is the working folder always.
    const QString preset = QStringLiteral("*swk");
    const bool chosenBefore = !dlg.fileName.isEmpty() && dlg.fileName != preset;
    const QString samples =
        chosenBefore ? QString() : gamefile::installedSamples(QCoreApplication::applicationDirPath());
    dlg.fileName = preset;
    dlg.initialDir = samples.isEmpty() ? QDir::currentPath() : samples;
    if (!dlg.showOpen())
        return;
    openChosen(st, dlg.fileName);
}

void openChosen(BoardState &st, const QString &name)
{
    st.svc.dialog.fileName = name;
    st.statusLine->setText(name);
    if (!gamefile::hasEnding(name))
        return;
    openFrom(st, name);
}

} // namespace app
