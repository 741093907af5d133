#include "platform/Dialogs.h"

#include "platform/DialogOwner.h"

#include <QColorDialog>
#include <QFileDialog>

#include <utility>

namespace {

std::optional<TColor> ShowColorDialog(TColor initial)
{
    QColorDialog dialog(ToQColor(initial), DialogParent());
    MakeModalToItsWindow(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return FromQColor(dialog.selectedColor());
}

std::optional<QString> ShowFileDialog(QFileDialog& dialog)
{
    MakeModalToItsWindow(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> ShowOpenFileDialog(const OpenFileRequest& request)
{
    QFileDialog dialog(DialogParent(), request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return ShowFileDialog(dialog);
}

std::optional<QString> ShowSaveFileDialog(const SaveFileRequest& request)
{
    QFileDialog dialog(DialogParent(), request.title, request.file, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askBeforeOverwrite);
    return ShowFileDialog(dialog);
}

ColorChooser& CurrentColorChooser()
{
    static ColorChooser chooser = ShowColorDialog;
    return chooser;
}

OpenFileChooser& CurrentOpenFileChooser()
{
    static OpenFileChooser chooser = ShowOpenFileDialog;
    return chooser;
}

SaveFileChooser& CurrentSaveFileChooser()
{
    static SaveFileChooser chooser = ShowSaveFileDialog;
    return chooser;
}

} // namespace

std::optional<TColor> ChooseColor(TColor initial)
{
    return CurrentColorChooser()(initial);
}

ColorChooser SetColorChooser(ColorChooser chooser)
{
    return std::exchange(CurrentColorChooser(), std::move(chooser));
}

std::optional<QString> ChooseFileToOpen(const OpenFileRequest& request)
{
    return CurrentOpenFileChooser()(request);
}

OpenFileChooser SetOpenFileChooser(OpenFileChooser chooser)
{
    return std::exchange(CurrentOpenFileChooser(), std::move(chooser));
}

std::optional<QString> ChooseFileToSave(const SaveFileRequest& request)
{
    return CurrentSaveFileChooser()(request);
}

SaveFileChooser SetSaveFileChooser(SaveFileChooser chooser)
{
    return std::exchange(CurrentSaveFileChooser(), std::move(chooser));
}
