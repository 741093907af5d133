#include "options/TextureChooser.h"

#include "options/ClockTextureBand.h"
#include "widgets/ColorButton.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/MessageError.h"
#include "platform/pictures/PictureLoader.h"
#include "platform/files/ProgramFolder.h"
#include "skins/LiveSkin.h"
#include "skins/SkinFile.h"
#include "skins/Texture.h"
#include "skins/TextureChoice.h"
#include "ui_TextureChooser.h"

#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QSignalBlocker>
#include <QStyledItemDelegate>

#include <array>

namespace {

const char* const kBrowseCaption = "B&rowse...";
const char* const kClearCaption = "Clea&r";

// Draws a row of the style list: its background (the selection's for the
// selected row), the style's sample and the caption.
class StyleRowDelegate : public QStyledItemDelegate {
public:
    explicit StyleRowDelegate(QObject* parent) : QStyledItemDelegate(parent)
    {
        for (int row = 0; row < kTextureStyleRows; ++row)
            m_swatches[size_t(row)] = TextureStyleSwatch(row, TextureChooser::kSwatchSize);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        LStyleDrawItem(*painter, index.row(), option);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), TextureChooser::kRowHeight);
    }

private:
    static constexpr QPoint kSwatchOffset { 2, 2 };
    static constexpr QPoint kCaptionOffset { 20, 1 };

    void LStyleDrawItem(QPainter& painter, int row, const QStyleOptionViewItem& option) const
    {
        painter.save();
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        painter.fillRect(option.rect, option.palette.brush(selected ? QPalette::Highlight : QPalette::Base));
        if (row >= 0 && row < kTextureStyleRows && !m_swatches[size_t(row)].isNull())
            painter.drawImage(option.rect.topLeft() + kSwatchOffset, m_swatches[size_t(row)]);
        painter.setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(option.rect.adjusted(kCaptionOffset.x(), kCaptionOffset.y(), 0, 0),
            Qt::AlignLeft | Qt::AlignTop, TextureStyleCaption(row));
        painter.restore();
    }

    std::array<QImage, kTextureStyleRows> m_swatches;
};

} // namespace

TextureChooser::TextureChooser(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , ui(std::make_unique<Ui::TextureChooser>())
    , EditedBrush(band)
    , SavedBrush(band.bandBrush())
    , FLiveSkin(liveSkin)
    , FOpeningTexture(liveSkin.texture())
{
    // Windows take no font from their owner by themselves.
    if (owner) {
        setFont(owner->font());
        // Over an options window that stays on top, this one does too.
        setWindowFlag(Qt::WindowStaysOnTopHint, owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    }
    ui->setupUi(this);
    setFixedSize(size());
    setWindowModality(Qt::WindowModal);

    ui->LStyle->setItemDelegate(new StyleRowDelegate(ui->LStyle));
    for (int row = 0; row < kTextureStyleRows; ++row)
        ui->LStyle->addItem(TextureStyleCaption(row));
    ui->Button1->setText(QString::fromLatin1(kBrowseCaption));

    connect(ui->LStyle, &QListWidget::currentRowChanged, this, &TextureChooser::LStyleClick);
    connect(ui->LStyle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = ui->LStyle->row(item);
        if (row != FPickedRow)
            LStyleClick(row);
    });
    connect(ui->BColor, &QPushButton::clicked, this, &TextureChooser::BColorClick);
    connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(true); });
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button3, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->SpinEdit1, &SpinEdit::valueChanged, this, &TextureChooser::SpinEdit1Change);
}

TextureChooser::~TextureChooser() = default;

bool EditTexture(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin)
{
    TextureChooser chooser(owner, band, liveSkin);
    if (!liveSkin.texture().file.isEmpty())
        chooser.Button1Click(false);
    else
        chooser.SelectRow(TextureStyleRow(liveSkin.texture().style));
    chooser.ui->SpinEdit1->setValue(liveSkin.skin().TextureTransparency);
    return chooser.exec() == QDialog::Accepted;
}

void TextureChooser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!FShown) {
        FShown = true;
        FormShow();
    }
}

void TextureChooser::FormShow()
{
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    SelectRow(TextureStyleRow(FLiveSkin.texture().style));
    UpdateImageButton();
    UpdateColorButton();
    ui->LStyle->setFocus();
}

void TextureChooser::done(int result)
{
    if (result != QDialog::Accepted)
        Button3Click();
    QDialog::done(result);
}

void TextureChooser::SelectRow(int row)
{
    const QSignalBlocker quiet(ui->LStyle);
    ui->LStyle->setCurrentRow(row);
    FPickedRow = -1;
}

void TextureChooser::LStyleClick(int row)
{
    BandBrush brush = EditedBrush.bandBrush();
    ChooseTextureStyle(brush, FLiveSkin.texture(), row);
    EditedBrush.setBandBrush(brush);
    FPickedRow = row;
    UpdateImageButton();
    UpdateColorButton();
}

void TextureChooser::Button1Click(bool byUser)
{
    if (FButton1Clears) {
        // What shows once the picture is gone is the brush's own style, so
        // that row is selected and is what OK stores.
        BandBrush brush = EditedBrush.bandBrush();
        SelectRow(BrushStyleRow(brush));
        FLiveSkin.texture().style = BrushStyleRow(brush);
        brush.Image = QImage();
        EditedBrush.setBandBrush(brush);
    } else if (const QString file = byUser ? BrowseBitmap() : RememberedPicture(); !file.isEmpty()) {
        LoadBrushPicture(file);
    }
    UpdateImageButton();
    UpdateColorButton();
}

QString TextureChooser::BrowseBitmap()
{
    const std::optional<QString> chosen = ChooseFileToOpen({ tr("Texture picture"), TexturesFolder(ProgramFolder()),
        QStringLiteral("Bitmaps (*.bmp);;Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.ico)") });
    if (!chosen)
        return QString();
    if (!PictureTextureText(*chosen, ProgramFolder())) {
        ShowMessage(tr("A skin cannot name this picture:\n%1\n\nThe path of a texture picture may have at most 120 "
                       "characters, all of the Western (Windows-1252) set. A picture in the Textures folder needs "
                       "only its name.")
                        .arg(QDir::toNativeSeparators(*chosen)));
        return QString();
    }
    return *chosen;
}

QString TextureChooser::RememberedPicture()
{
    const QString path = ExistingTexturePath(FLiveSkin.texture().file, ProgramFolder());
    if (path.isEmpty())
        ShowMessage(QStringLiteral("Texture file not found."));
    return path;
}

void TextureChooser::LoadBrushPicture(const QString& path)
{
    BandBrush brush = EditedBrush.bandBrush();
    try {
        brush.Image = LoadPicture(path);
    } catch (const MessageError& error) {
        // The brush keeps the picture it had.
        ShowError(error.message());
        return;
    }
    EditedBrush.setBandBrush(brush);
    FLiveSkin.texture().file = path;
}

void TextureChooser::UpdateImageButton()
{
    const BandBrush brush = EditedBrush.bandBrush();
    FButton1Clears = !brush.Image.isNull();
    ui->Button1->setText(QString::fromLatin1(FButton1Clears ? kClearCaption : kBrowseCaption));
    if (FButton1Clears) {
        ui->Image1->setPixmap(QPixmap::fromImage(brush.Image));
    } else {
        ui->Image1->clear();
        FLiveSkin.texture().file.clear();
    }
}

void TextureChooser::UpdateColorButton()
{
    const BandBrush brush = EditedBrush.bandBrush();
    // A brush that draws nothing has no colour to choose; a pattern tile
    // shows its colour whatever the style.
    ui->BColor->setEnabled(!brush.DrawsNothing());
    ui->BColor->Tag = brush.Color;
    PaintColorButton(*ui->BColor);
}

void TextureChooser::BColorClick()
{
    BandBrush brush = EditedBrush.bandBrush();
    const std::optional<TColor> chosen = ChooseColor(brush.Color);
    if (chosen && *chosen != brush.Color) {
        brush.Color = *chosen;
        EditedBrush.setBandBrush(brush);
    }
    UpdateColorButton();
}

void TextureChooser::SpinEdit1Change()
{
    EditedBrush.setBandTransparency(ui->SpinEdit1->value());
}

void TextureChooser::Button3Click()
{
    EditedBrush.setBandBrush(SavedBrush);
    EditedBrush.setBandTransparency(FLiveSkin.skin().TextureTransparency);
    FLiveSkin.texture() = FOpeningTexture;
}
