#pragma once
// Turns key codes (keyboard keys, mouse buttons, the wheel) into display commands and runs
// them against the run state, asking the window for everything it draws. Keeps no state of
// its own: the effects live in AppState (settings, CurrentIndex, ImageProcessCommand) and in
// what the window shows.
#include <QString>

#include "display/DisplayActions.h"
#include "display/DisplayCommand.h"
#include "display/Navigation.h"
#include "display/RandomGenerator.h"
#include "sources/AppState.h"

namespace pictavo {

class CommandDispatcher {
public:
    // Borrows `state` and `actions`, which must outlive the dispatcher.
    CommandDispatcher(AppState& state, DisplayActions& actions, RandomGenerator random = RandomGenerator());

    // Runs the command bound to `code` (the earliest row wins, Escape always leaves); at most
    // one command, except that image processing and the animation toggle pass the repaint
    // binding on, so a repaint code bound to an earlier row runs that row.
    void ExecuteCommand(KeyCode code);
    // Writes the key-result line for `code` when that setting is on and the show is running.
    void ShowKeyResult(KeyCode code);
    // Shows the picture(s) at CurrentIndex (from the cache when it holds them); nothing when
    // the index lies outside the list.
    void ShowCurrentPosition();

    // The input routes: a key-down anywhere in the window, a mouse button (1, 2 or 4) on the
    // window, the picture area or the animation view, and a wheel step (`delta` below 1 means
    // towards the user). An auto-repeated key that arrives while a move waits for pending
    // events or while any show is under way is dropped, so a held key runs at the pace the
    // pictures can be shown; a fresh press is always served.
    void KeyDown(KeyCode code, bool autoRepeat = false);
    void MouseButtonDown(KeyCode button);
    void Wheel(int delta);

    // The entry on screen; empty when the index lies outside the list.
    QString CurrentEntry() const;

private:
    void Run(Command command);
    void RunMove(Move move);
    void RunRandomJump();
    void ShowMovedTo(std::int32_t index);
    void RedrawFresh();
    void RunFileInfo();
    void RunImageProcess(int processIndex);
    bool LetPendingEventsRun();

    AppState& state_;
    DisplayActions& actions_;
    RandomGenerator random_;
    // Moves currently letting pending events run (more than one when keys nest).
    int movesWaiting_ = 0;
};

}  // namespace pictavo
