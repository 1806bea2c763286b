#pragma once
// The game with its view: the model, the widgets that show it, what the pointer and
// the pen are doing, and the guards of the running actions. Indexes of fields and
// tokens always run 0..64.

#include "forms/controls.h"
#include "forms/picturebox.h"
#include "forms/services.h"
#include "forms/shape.h"
#include "model/game.h"
#include "model/guide.h"
#include "model/random.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace view {

using model::FieldCount;
using model::MaxIndex;
using model::FreeTip;
using model::OccupiedTip;
using model::TokenFields;

struct Services {
    forms::CommonDialog &dialog;
    forms::MessageBoxes &messages;
    forms::Pacing &pacing;
    model::Random &rnd;
};

struct BoardState {
    explicit BoardState(Services s);
    ~BoardState();

    Services svc;

    // ---- widgets (owned by the window) ----
    QMainWindow *window = nullptr;
    std::array<forms::PictureBox *, FieldCount> fields{};
    std::array<forms::PictureBox *, FieldCount> tokens{};
    forms::PictureBox *board = nullptr; // the board
    std::array<forms::PictureBox *, 9> swatches{}; // palette: 0 = current colour
    forms::PictureBox *dividerBar = nullptr; // divider bar
    forms::PictureBox *lampBox = nullptr; // lamp box
    forms::PictureBox *cascadeBox = nullptr; // cascade box
    forms::PictureBox *stepNumberBox = nullptr; // step numbers
    forms::PictureBox *tokenPanel = nullptr;
    forms::PictureBox *tokenColourSwatch = nullptr;
    forms::PictureBox *textColourSwatch = nullptr;

    forms::CommandButton *setModeButton = nullptr, *connectModeButton = nullptr, *playModeButton = nullptr;
    forms::CommandButton *eraseButton = nullptr, *scrambleButton = nullptr, *stopCascadeButton = nullptr, *newButton = nullptr,
                         *openButton = nullptr, *saveButton = nullptr, *clearNotesButton = nullptr, *stopShuffleButton = nullptr,
                         *colourOkButton = nullptr, *targetButton = nullptr, *closePanelButton = nullptr, *normalSizeButton = nullptr;
    forms::CommandButton *textOkButton = nullptr, *shuffleButton = nullptr, *normalViewButton = nullptr;

    forms::TextBox *statusLine = nullptr, *tokenTextBox = nullptr;
    forms::TextBox *colourHeading = nullptr, *dragHint = nullptr, *sendBackHint = nullptr, *actionHeading = nullptr, *cascadeHeading = nullptr,
                   *randomHeading = nullptr;
    forms::NotesBox *notes = nullptr;
    std::array<forms::Label *, 3> stepNumbers{};
    forms::Label *panelTitle = nullptr;
    forms::CheckBox *cascadeOption = nullptr, *fastOption = nullptr;
    forms::ScrollBar *fieldSizeBar = nullptr;
    forms::Shape *lampFrame = nullptr, *setModeLamp = nullptr, *connectModeLamp = nullptr, *playModeLamp = nullptr;
    forms::DragOutline *dragOutline = nullptr;

    QMenu *fileMenu = nullptr, *viewMenu = nullptr;
    QAction *newAction = nullptr, *openAction = nullptr, *saveAction = nullptr, *quitAction = nullptr;
    QAction *fullScreenAction = nullptr, *normalViewAction = nullptr, *hideNotesAction = nullptr, *showNotesAction = nullptr;
    QAction *infoAction = nullptr;
    QMenu *moveMenu = nullptr;
    QAction *undoAction = nullptr, *redoAction = nullptr, *hintAction = nullptr, *solveAction = nullptr,
            *solvabilityAction = nullptr, *reportSuccessAction = nullptr;

    // ---- the game ----
    model::Game game;
    // The plan hints and "Lösen" follow, and the solver's tables for it (never null).
    std::unique_ptr<model::Guide> guide;

    // ---- what the pointer and the pen are doing ----
    std::int32_t pendingField = 0;
    std::int32_t pendingFieldChosen = 0;
    float grabX = 0, grabY = 0;
    // The field being dragged in set mode (it holds the mouse grab), or -1.
    int draggedField = -1;
    double penX = 0, penY = 0;
    std::int32_t penDown = 0;
    std::int16_t shuffleActive = 0;
    std::int16_t cascadeStopRequested = 0;
    std::int32_t panelToken = 0;
    // The normal view the view commands come back to: the window's outer frame in
    // twips, the rest in the units of each control's container.
    struct NormalGeometry {
        double windowLeft = 0, windowTop = 0, windowWidth = 0, windowHeight = 0;
        double dividerWidth = 0;
        double boardHeight = 0, boardWidth = 0;
        double eraseButtonLeft = 0;
        double clearNotesLeft = 0;
        double statusLineTop = 0, statusLineWidth = 0;
        double notesTop = 0, notesWidth = 0;
        double clearNotesTop = 0;
    } normalGeometry{};

    // ---- guards ----
    // A token move (with its cascade) or a shuffle is running; moves never nest.
    bool moveInProgress = false;
    bool shuffleRunning = false;
    // A hint or "Lösen" waits for its search for a solution, which runs on another thread.
    bool searching = false;
    // The window is closing: every running loop ends at its next pump of events.
    bool closing = false;

    // ---- helpers everybody uses ----
    // A move, a shuffle or a search runs: the mode buttons and the file commands do nothing.
    bool busy() const { return moveInProgress || shuffleRunning || searching; }
    static bool isIndex(int i) { return model::isIndex(i); }
    bool inSetMode() const { return game.inMode(model::Mode::Set); }
    bool inConnectMode() const { return game.inMode(model::Mode::Connect); }
    bool inPlayMode() const { return game.inMode(model::Mode::Play); }
    bool onBoard(int field) const { return game.onBoard(field); }
    // Forgets every step and any success under way, and brings the menu entries up to date.
    void clearHistory();
    // The moves menu as the state allows, in play and while nothing runs: undo and redo
    // when there is a step to take, hints, solving and the check always. Called whenever
    // a run starts or ends, so the shortcuts are inert exactly when the entries are grey.
    void updateMoveActions();

    // ---- the view of the model ----
    // Writes what the model holds of a field or token onto its widget: place and size,
    // tag and tooltip texts, colours, pointer, visibility.
    void showField(int i);
    void showToken(int k);
    // Only the place and size of a field, for what moves fields and nothing else.
    void showFieldPlace(int i);
    void showFields();
    void showTokens();
    // The mode buttons' tags and colours.
    void showModes();
};

} // namespace view
