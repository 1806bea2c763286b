#pragma once
// The one window of the game: builds the widget tree and the menus, owns the board
// state and connects every widget event to its handler.

#include "view/board_state.h"

#include <QMainWindow>
#include <memory>

namespace app {

using view::BoardState;
using view::Services;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Null services are replaced by the real ones (Qt dialogs, message boxes, event loop).
    explicit MainWindow(forms::CommonDialog *dialog = nullptr, forms::MessageBoxes *messages = nullptr,
                           forms::Pacing *pacing = nullptr);
    ~MainWindow() override;

    BoardState &state() { return *m_st; }
    QWidget *client() const { return m_client; }

    static constexpr int ClientWidthTwips = 10335;
    static constexpr int ClientHeightTwips = 9915;

protected:
    void closeEvent(QCloseEvent *e) override;

private:
    void buildMenus();
    void buildWidgets();
    void wireEvents();

    std::unique_ptr<forms::CommonDialog> m_ownDialog;
    std::unique_ptr<forms::MessageBoxes> m_ownMessages;
    std::unique_ptr<forms::Pacing> m_ownPacing;
    model::Random m_rnd;
    std::unique_ptr<BoardState> m_st;
    QWidget *m_client = nullptr;
};

} // namespace app
