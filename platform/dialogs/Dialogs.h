#pragma once

#include "platform/raster/Color.h"

#include <QString>

#include <functional>
#include <optional>

// The standard choosers a window opens: a colour, a file to open, a file to
// save. Each call returns what the user chose, or nothing when the user
// cancelled. Each goes through a replaceable presenter: by default the real
// modal dialog (QColorDialog, QFileDialog), over the window DialogParent()
// names and modal to it alone; a test puts its own answer in place of the user:
//
//     const ColorChooser previous = SetColorChooser([](TColor) { return kLime; });
//     ... the code under test calls ChooseColor ...
//     SetColorChooser(previous);
//
// Each Set... function returns the presenter it replaces, for restoring.

// A colour, the dialog preset to initial.
using ColorChooser = std::function<std::optional<TColor>(TColor initial)>;
std::optional<TColor> ChooseColor(TColor initial);
ColorChooser SetColorChooser(ColorChooser chooser);

// Filters are written as Qt writes them: "Bitmaps (*.bmp)", several joined
// by ";;" ("WAV or MP3 file (*.wav *.mp3);;All files (*)"); an empty filter
// shows every file.

// A file to open: an existing one, unless told otherwise.
struct OpenFileRequest {
    QString title;
    QString folder; // where the dialog starts
    QString filter;
    // Whether a typed name that names no file is taken as it stands, in the
    // dialog's folder (an alarm's message is typed that way).
    bool acceptMissingFile = false;
    // Whether a preview of the picture under the cursor stands beside the
    // file list.
    bool picturePreview = false;
};
using OpenFileChooser = std::function<std::optional<QString>(const OpenFileRequest& request)>;
std::optional<QString> ChooseFileToOpen(const OpenFileRequest& request);
OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser);

// A file to save to.
struct SaveFileRequest {
    QString title;
    // Where the dialog starts: a folder, or a file path whose name is
    // proposed.
    QString file;
    QString filter;
    // Added to a name typed without an extension ("clk"); empty adds none.
    QString defaultSuffix;
    // Whether choosing an existing file asks before it is overwritten.
    bool askBeforeOverwrite = true;
};
using SaveFileChooser = std::function<std::optional<QString>(const SaveFileRequest& request)>;
std::optional<QString> ChooseFileToSave(const SaveFileRequest& request);
SaveFileChooser SetSaveFileChooser(SaveFileChooser chooser);
