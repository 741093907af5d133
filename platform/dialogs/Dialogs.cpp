#include "platform/dialogs/Dialogs.h"

#include "platform/dialogs/DialogOwner.h"
#include "platform/files/MessageError.h"
#include "platform/pictures/PictureLoader.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>

#include <utility>

namespace {

constexpr int kPreviewSide = 160;

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

// The picture of a file shrunk to fit a square of side; nothing for
// anything that is not a picture this program shows.
QPixmap PreviewOf(const QString& path, int side)
{
    if (!QFileInfo(path).isFile())
        return QPixmap();
    QImage picture;
    try {
        picture = LoadPicture(path);
    } catch (const MessageError&) {
        return QPixmap();
    }
    if (picture.width() > side || picture.height() > side)
        picture = picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return QPixmap::fromImage(picture);
}

// A square beside the file list showing the picture under the cursor.
void AddPicturePreview(QFileDialog& dialog)
{
    // Only the dialog's own widgets can take the preview.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid)
        return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(kPreviewSide, kPreviewSide);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    // The list keeps the room it had without the preview.
    dialog.resize(dialog.sizeHint().width() + kPreviewSide, dialog.sizeHint().height());
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        preview->setPixmap(PreviewOf(path, kPreviewSide - 2 * preview->frameWidth()));
    });
}

std::optional<QString> ShowOpenFileDialog(const OpenFileRequest& request)
{
    QFileDialog dialog(DialogParent(), request.title, request.folder, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.acceptMissingFile ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.picturePreview)
        AddPicturePreview(dialog);
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
