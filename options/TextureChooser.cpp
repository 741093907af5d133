#include "options/TextureChooser.h"

#include "options/ClockTextureBand.h"
#include "widgets/ColorButton.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/text/StoredText.h"
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
        drawRow(*painter, index.row(), option);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), TextureChooser::kRowHeight);
    }

private:
    static constexpr QPoint kSwatchOffset { 2, 2 };
    static constexpr QPoint kCaptionOffset { 20, 1 };

    void drawRow(QPainter& painter, int row, const QStyleOptionViewItem& option) const
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
    , m_band(band)
    , m_openingBrush(band.bandBrush())
    , m_liveSkin(liveSkin)
    , m_openingTexture(liveSkin.texture())
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

    connect(ui->LStyle, &QListWidget::currentRowChanged, this, &TextureChooser::pickStyle);
    connect(ui->LStyle, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const int row = ui->LStyle->row(item);
        if (row != m_pickedRow)
            pickStyle(row);
    });
    connect(ui->BColor, &QPushButton::clicked, this, &TextureChooser::chooseColour);
    connect(ui->Button1, &QPushButton::clicked, this, [this] { browseOrClearPicture(true); });
    connect(ui->Button2, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui->Button3, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->SpinEdit1, &SpinEdit::valueChanged, this, &TextureChooser::onTransparencyChanged);
}

TextureChooser::~TextureChooser() = default;

bool EditTexture(QWidget* owner, ClockTextureBand& band, LiveSkin& liveSkin)
{
    TextureChooser chooser(owner, band, liveSkin);
    if (!liveSkin.texture().file.isEmpty())
        chooser.browseOrClearPicture(false);
    else
        chooser.selectRow(TextureStyleRow(liveSkin.texture().style));
    chooser.ui->SpinEdit1->setValue(liveSkin.skin().TextureTransparency);
    return chooser.exec() == QDialog::Accepted;
}

void TextureChooser::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        placeAndSelect();
    }
}

void TextureChooser::placeAndSelect()
{
    if (const QScreen* shownOn = screen())
        move(shownOn->availableGeometry().center() - rect().center());
    selectRow(TextureStyleRow(m_liveSkin.texture().style));
    updatePictureButton();
    updateColourButton();
    ui->LStyle->setFocus();
}

void TextureChooser::done(int result)
{
    if (result != QDialog::Accepted)
        restoreOpeningTexture();
    QDialog::done(result);
}

void TextureChooser::selectRow(int row)
{
    const QSignalBlocker quiet(ui->LStyle);
    ui->LStyle->setCurrentRow(row);
    m_pickedRow = -1;
}

void TextureChooser::pickStyle(int row)
{
    BandBrush brush = m_band.bandBrush();
    ChooseTextureStyle(brush, m_liveSkin.texture(), row);
    m_band.setBandBrush(brush);
    m_pickedRow = row;
    updatePictureButton();
    updateColourButton();
}

void TextureChooser::browseOrClearPicture(bool byUser)
{
    if (m_imageButtonClears) {
        // What shows once the picture is gone is the brush's own style, so
        // that row is selected and is what OK stores.
        BandBrush brush = m_band.bandBrush();
        selectRow(BrushStyleRow(brush));
        m_liveSkin.texture().style = BrushStyleRow(brush);
        brush.Image = QImage();
        m_band.setBandBrush(brush);
    } else if (const QString file = byUser ? browsePicture() : rememberedPicture(); !file.isEmpty()) {
        loadBrushPicture(file);
    }
    updatePictureButton();
    updateColourButton();
}

QString TextureChooser::browsePicture()
{
    const std::optional<QString> chosen = ChooseFileToOpen({ tr("Texture picture"), TexturesFolder(ProgramFolder()),
        QStringLiteral("Bitmaps (*.bmp);;Pictures (*.bmp *.jpg *.jpeg *.png *.gif *.ico)") });
    if (!chosen)
        return QString();
    if (!PictureTextureText(*chosen, ProgramFolder())) {
        ShowMessage(tr("A skin cannot name this picture:\n%1\n\n%2 A picture in the Textures folder needs only its name.")
                        .arg(QDir::toNativeSeparators(*chosen),
                            StoredTextLimit(tr("The path of a texture picture"), decltype(Skin::Texture)::kCapacity)));
        return QString();
    }
    return *chosen;
}

QString TextureChooser::rememberedPicture()
{
    const QString path = ExistingTexturePath(m_liveSkin.texture().file, ProgramFolder());
    if (path.isEmpty())
        ShowMessage(QStringLiteral("Texture file not found."));
    return path;
}

void TextureChooser::loadBrushPicture(const QString& path)
{
    BandBrush brush = m_band.bandBrush();
    try {
        brush.Image = LoadPicture(path);
    } catch (const MessageError& error) {
        // The brush keeps the picture it had.
        ShowError(error.message());
        return;
    }
    m_band.setBandBrush(brush);
    m_liveSkin.texture().file = path;
}

void TextureChooser::updatePictureButton()
{
    const BandBrush brush = m_band.bandBrush();
    m_imageButtonClears = !brush.Image.isNull();
    ui->Button1->setText(QString::fromLatin1(m_imageButtonClears ? kClearCaption : kBrowseCaption));
    if (m_imageButtonClears) {
        ui->Image1->setPixmap(QPixmap::fromImage(brush.Image));
    } else {
        ui->Image1->clear();
        m_liveSkin.texture().file.clear();
    }
}

void TextureChooser::updateColourButton()
{
    const BandBrush brush = m_band.bandBrush();
    // A brush that draws nothing has no colour to choose; a pattern tile
    // shows its colour whatever the style.
    ui->BColor->setEnabled(!brush.DrawsNothing());
    ui->BColor->Tag = brush.Color;
    PaintColorButton(*ui->BColor);
}

void TextureChooser::chooseColour()
{
    BandBrush brush = m_band.bandBrush();
    const std::optional<TColor> chosen = ChooseColor(brush.Color);
    if (chosen && *chosen != brush.Color) {
        brush.Color = *chosen;
        m_band.setBandBrush(brush);
    }
    updateColourButton();
}

void TextureChooser::onTransparencyChanged()
{
    m_band.setBandTransparency(ui->SpinEdit1->value());
}

void TextureChooser::restoreOpeningTexture()
{
    m_band.setBandBrush(m_openingBrush);
    m_band.setBandTransparency(m_liveSkin.skin().TextureTransparency);
    m_liveSkin.texture() = m_openingTexture;
}
