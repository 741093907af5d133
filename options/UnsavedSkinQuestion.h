#pragma once

#include <QString>

#include <functional>

// The question asked when the skin on the clock differs from its file and
// the user is about to leave it (Done, "Close Clock", Exit, another skin
// chosen): save the edits to the file, save them as a new skin, discard
// them, or go back to editing.
enum class UnsavedSkinAnswer { Save, SaveAs, Discard, GoBack };

struct UnsavedSkinQuestion {
    QString skinFile;   // the file the skin came from
    QString saveTarget; // where "Save" writes: the file, or the user's copy of a shipped skin
};

// Asks the question. Tests replace the presenter, which by default opens a
// box over the window DialogParent() names, modal to that window alone,
// whose buttons have keyboard mnemonics; Escape and the close button go
// back.
using UnsavedSkinPresenter = std::function<UnsavedSkinAnswer(const UnsavedSkinQuestion& question)>;
UnsavedSkinAnswer AskAboutUnsavedSkin(const UnsavedSkinQuestion& question);
UnsavedSkinPresenter SetUnsavedSkinPresenter(UnsavedSkinPresenter presenter);
