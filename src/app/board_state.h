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
#include <optional>
#include <vector>

namespace app {

constexpr int FieldCount = 65;
constexpr int MaxIndex = FieldCount - 1;

// Tooltip words that record occupation.
inline const QString Frei = QStringLiteral("frei");
inline const QString Besetzt = QStringLiteral("besetzt");

struct Services {
    forms::CommonDialog &dialog;
    forms::MessageBoxes &messages;
    forms::Pacing &pacing;
    forms::Rnd &rnd;
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

struct BoardState {
    explicit BoardState(Services s) : svc(s) {}

    Services svc;

    // ---- widgets (owned by the window) ----
    QMainWindow *form = nullptr;
    std::array<forms::PictureBox *, FieldCount> picFeld{};
    std::array<forms::PictureBox *, FieldCount> picZahl{};
    forms::PictureBox *picRahmen = nullptr; // the board
    std::array<forms::PictureBox *, 9> Picture1{}; // palette: 0 = current colour
    forms::PictureBox *Picture2 = nullptr; // divider bar
    forms::PictureBox *Picture3 = nullptr; // lamp box
    forms::PictureBox *Picture4 = nullptr; // cascade box
    forms::PictureBox *Picture5 = nullptr; // step numbers
    forms::PictureBox *picEigenschaften = nullptr;
    forms::PictureBox *picsteinFarbe = nullptr;
    forms::PictureBox *pictextfarbe = nullptr;

    forms::CommandButton *cmdSetzen = nullptr, *cmdVerbinden = nullptr, *cmdSpielen = nullptr;
    forms::CommandButton *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr,
                         *Command5 = nullptr, *Command6 = nullptr, *Command7 = nullptr, *Command8 = nullptr,
                         *Command9 = nullptr, *Command10 = nullptr, *Command11 = nullptr, *Command12 = nullptr;
    forms::CommandButton *cmdtxtFeld = nullptr, *image1 = nullptr, *image2 = nullptr;

    forms::TextBox *txtDateiname = nullptr, *txtFeld = nullptr;
    forms::TextBox *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr, *Text6 = nullptr,
                   *Text7 = nullptr;
    forms::NotesBox *Text5 = nullptr;
    std::array<forms::Label *, 3> Label1{};
    forms::Label *Label2 = nullptr;
    forms::CheckBox *chkLawine = nullptr, *chkschnell = nullptr;
    forms::ScrollBar *VScroll1 = nullptr;
    forms::Shape *Shape1 = nullptr, *shpSetzen = nullptr, *shpVerbinden = nullptr, *shpSpielen = nullptr;
    forms::DragOutline *dragOutline = nullptr;

    QMenu *cmdDatei = nullptr, *cmdAnsicht = nullptr;
    QAction *cmdneu = nullptr, *cmdLadenM = nullptr, *cmdSpeichernM = nullptr, *cmdEnde = nullptr;
    QAction *cmdGanz = nullptr, *cmdNormal = nullptr, *cmdNaus = nullptr, *cmdNein = nullptr;
    QAction *cmdInfo = nullptr;
    QMenu *moveMenu = nullptr;
    QAction *undoAction = nullptr, *redoAction = nullptr, *hintAction = nullptr, *solveAction = nullptr,
            *solvabilityAction = nullptr;

    // ---- variables ----
    std::array<std::array<std::int32_t, FieldCount>, FieldCount> Kante{}; // 1 = edge
    std::array<QString, FieldCount> Steintext;
    std::array<std::int32_t, FieldCount> Feldnummer{};
    // Number of tokens in play; empty until play first starts, and empty counts as 0.
    std::optional<std::int32_t> Steinzahl;
    std::int32_t Feld1 = 0;
    std::int32_t Feld1Gewaehlt = 0;
    float GriffX = 0, GriffY = 0;
    // The field being dragged in set mode (it holds the mouse grab), or -1.
    int dragFeld = -1;
    double AltX = 0, AltY = 0;
    std::int32_t Zeichnen = 0;
    std::int16_t MischenAktiv = 0;
    std::int16_t KaskadeStopp = 0;
    std::int32_t AktStein = 0;
    std::array<double, 25> Normalmass{};

    // ---- the moves menu ----
    History history;
    // The numbering "Vorgabe" last wrote since play began (token targetNumbering[i] on
    // field i); without one the target is the start order.
    std::optional<std::vector<int>> targetNumbering;

    // ---- guards ----
    // A token move (with its cascade) or a shuffle is running; moves never nest.
    bool moveInProgress = false;
    bool shuffleRunning = false;
    // The window is closing: every running loop ends at its next pump of events.
    bool closing = false;

    // ---- helpers everybody uses ----
    // A move or a shuffle runs: the mode buttons and the file commands do nothing.
    bool busy() const { return moveInProgress || shuffleRunning; }
    std::int32_t steinzahl() const { return Steinzahl.value_or(0); }
    static bool isIndex(int i) { return i >= 0 && i <= MaxIndex; }
    // A mode button's tag reads as 1.
    static bool tagIsOne(const QString &tag);
    bool setMode() const { return tagIsOne(cmdSetzen->tag()); }
    bool connectMode() const { return tagIsOne(cmdVerbinden->tag()); }
    bool playMode() const { return tagIsOne(cmdSpielen->tag()); }
    // A field lies on the board (its tag reads as 1).
    bool onBoard(int field) const { return isIndex(field) && tagIsOne(picFeld[field]->tag()); }
    // The field a token stands on, or nullopt when its tag names no field 0..64.
    std::optional<int> fieldOfToken(int token) const;
    TokenFields tokenFields() const;
    // Forgets every step and brings the menu entries up to date.
    void clearHistory();
    // Undo and redo are there when there is a step to take; the rest of the moves menu in play.
    void updateMoveActions();
};

} // namespace app
