#pragma once
// The game state: the widgets that hold much of it (tags, tooltips, positions,
// colours, visibility) and the window-wide variables. Indexes of fields and tokens
// always run 0..64; whatever reads an index from a text checks its range.

#include "forms/controls.h"
#include "forms/picturebox.h"
#include "forms/services.h"
#include "forms/shape.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace play {
struct Guide;
}

namespace app {

constexpr int FieldCount = 65;
constexpr int MaxIndex = FieldCount - 1;

// Tooltip words that record occupation.
inline const QString FreeTip = QStringLiteral("frei");
inline const QString OccupiedTip = QStringLiteral("besetzt");

struct Services {
    forms::CommonDialog &dialog;
    forms::MessageBoxes &messages;
    forms::Pacing &pacing;
    forms::Random &rnd;
};

// Where every token stands: its field, or -1 when it is out of play.
using TokenFields = std::array<int, FieldCount>;

// One user action in play, for undo and redo: where the tokens stood before and after
// it, and for a clicked move (with its cascade) or a hint the single slides in order,
// which undo plays backwards. A shuffle, "Mischen" or a solution has no slides: its
// tokens go back at once.
struct HistoryStep {
    struct Slide { int token, from, to; };
    TokenFields before{}, after{};
    std::vector<Slide> slides;
};

struct History {
    std::vector<HistoryStep> done, undone;
    // The step being recorded while its action runs.
    std::optional<HistoryStep> recording;
    bool recordSlides = false;
};

// Whether the player's own moves bring the board back to its target after a shuffle,
// "Mischen" or "Vorgabe" set it apart, and how many slides they took on the way. Open
// only while there is something to solve, so a board merely moved away and back, or one
// solved already, says nothing.
struct SuccessWatch {
    bool open = false;
    int moves = 0;
    void setApart(bool atTarget)
    {
        open = !atTarget;
        moves = 0;
    }
    // A move of the player's own; true once, when it reaches the target.
    bool moved(int slides, bool atTarget)
    {
        if (!open)
            return false;
        moves += slides;
        open = !atTarget;
        return atTarget;
    }
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

    // ---- variables ----
    std::array<std::array<std::int32_t, FieldCount>, FieldCount> edges{}; // 1 = edge
    std::array<QString, FieldCount> tokenTexts;
    std::array<std::int32_t, FieldCount> startFields{};
    // Number of tokens in play; empty until play first starts, and empty counts as 0.
    std::optional<std::int32_t> tokenCount;
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

    // ---- the moves menu ----
    History history;
    // The numbering "Vorgabe" last wrote since play began (token targetNumbering[i] on
    // field i); without one the target is the start order.
    std::optional<std::vector<int>> targetNumbering;
    // The plan hints and "Lösen" follow, and the solver's tables for it (never null).
    std::unique_ptr<play::Guide> guide;
    SuccessWatch success;
    // Every slide so far, so an action can tell how many it made.
    int slidesMade = 0;

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
    std::int32_t tokenCountOrZero() const { return tokenCount.value_or(0); }
    static bool isIndex(int i) { return i >= 0 && i <= MaxIndex; }
    // A mode button's tag reads as 1.
    static bool tagIsOne(const QString &tag);
    bool inSetMode() const { return tagIsOne(setModeButton->tag()); }
    bool inConnectMode() const { return tagIsOne(connectModeButton->tag()); }
    bool inPlayMode() const { return tagIsOne(playModeButton->tag()); }
    // A field lies on the board (its tag reads as 1).
    bool onBoard(int field) const { return isIndex(field) && tagIsOne(fields[field]->tag()); }
    // The field a token stands on, or nullopt when its tag names no field 0..64.
    std::optional<int> fieldOfToken(int token) const;
    TokenFields tokenFields() const;
    // Forgets every step and any success under way, and brings the menu entries up to date.
    void clearHistory();
    // The moves menu as the state allows, in play and while nothing runs: undo and redo
    // when there is a step to take, hints, solving and the check always. Called whenever
    // a run starts or ends, so the shortcuts are inert exactly when the entries are grey.
    void updateMoveActions();
};

} // namespace app
