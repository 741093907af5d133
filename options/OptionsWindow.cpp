#include "options/OptionsWindow.h"

#include "alarms/AlarmStore.h"
#include "options/AlarmEditing.h"
#include "options/ClockCommands.h"
#include "options/ClockView.h"
#include "widgets/ColorButton.h"
#include "options/DesignerFields.h"
#include "options/SkinGallery.h"
#include "options/SkinListAndGallery.h"
#include "widgets/SpinEdit.h"
#include "options/TextureChooser.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/AwayPlacement.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/files/ProgramFolder.h"
#include "widgets/RadioGroup.h"
#include "skins/SkinFile.h"
#include "skins/TextureChoice.h"
#include "ui_OptionsWindow.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QScreen>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int kEscape = 27;

const char* const kStatusNotice = "Click here to read the Vellamor manual";

// A plain sans whose lines are the given number of pixels high (ascent and
// descent; the em is smaller), Arial or the font the desktop offers in its
// place.
QFont SansOfLineHeight(int lineHeight)
{
    QFont font(QStringLiteral("Arial"));
    int pixelSize = lineHeight;
    do
        font.setPixelSize(pixelSize--);
    while (pixelSize > 1 && QFontMetrics(font).height() > lineHeight);
    return font;
}

// The window's own font, lines of 13 pixels: the controls' layout at the
// window's fixed width is made for it.
QFont WindowFont()
{
    return SansOfLineHeight(13);
}

// The backgrounds that set the permanent options and the saving of a skin
// apart from the skin's own controls.
constexpr TColor kPermanentOptionsColor = 0xEAF3F4;
constexpr TColor kSaveSkinColor = 0xCEE3E8;

void SetBackground(QWidget& widget, TColor colour)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    widget.setPalette(palette);
}

// The notice of the status bar: underlined blue, lines of 15 pixels.
void StyleStatusBar(QStatusBar& bar)
{
    QFont font = SansOfLineHeight(15);
    font.setUnderline(true);
    bar.setFont(font);
    QPalette palette = bar.palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    bar.setPalette(palette);
}

} // namespace

// A row of the designer's table with its control.
struct OptionsWindow::BoundRow {
    const DesignerRow& row;
    QWidget* control;
};

OptionsWindow::OptionsWindow(ClockCommands& clock, AlarmStore& alarms)
    : ui(std::make_unique<Ui::OptionsWindow>())
    , FClock(clock)
    , FAlarmStore(alarms)
{
    setFont(WindowFont());
    ui->setupUi(this);
    FormCreate();
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::FormCreate()
{
    SetBackground(*ui->gbPermanent, kPermanentOptionsColor);
    SetBackground(*ui->gbSaveSkin, kSaveSkinColor);
    StyleStatusBar(*ui->StatusBar1);
    ui->StatusBar1->showMessage(QString::fromLatin1(kStatusNotice));
    ui->StatusBar1->installEventFilter(this);
    BindDesignerRows();
    FSkinList = new SkinListAndGallery(*this, { *ui->cbSettings, *ui->sbSaveSettings, *ui->chkSnapshot, *ui->ScrollBox1 });
    SetSkinGallery(FSkinList);
    ui->bbPattern->setEnabled(false);
    // Filled before the window is first shown, too: the clock's size keys
    // store the designer (the font among it) before that.
    FillFontNames();
    FInnerEdgeFormMaximum = ui->seInnerEdge->maximum();
    FOuterEdgeFormMinimum = ui->seOuterEdge->minimum();

    // The designer's controls share one change handler; the band boundaries
    // and the shape have their own.
    for (const BoundRow& bound : FDesignerRows) {
        QWidget* const control = bound.control;
        if (auto* button = qobject_cast<ColorButton*>(control))
            connect(button, &QPushButton::clicked, this, [this, button] { bbHourStCClick(button); });
        else if (auto* list = qobject_cast<QComboBox*>(control))
            connect(list, &QComboBox::currentIndexChanged, this, [this] { bbHourStCClick(nullptr); });
        else if (control == ui->seInnerEdge)
            connect(ui->seInnerEdge, &SpinEdit::valueChanged, this, &OptionsWindow::seInnerEdgeChange);
        else if (control == ui->seOuterEdge)
            connect(ui->seOuterEdge, &SpinEdit::valueChanged, this, &OptionsWindow::seOuterEdgeChange);
        else if (auto* box = qobject_cast<SpinEdit*>(control))
            connect(box, &SpinEdit::valueChanged, this, [this] { bbHourStCClick(nullptr); });
    }
    connect(ui->chkStayOnTop, &QCheckBox::clicked, this, [this] { bbHourStCClick(nullptr); });
    for (QRadioButton* shape : ui->rgShape->findChildren<QRadioButton*>())
        connect(shape, &QRadioButton::clicked, this, [this] { OKBtnClick(ui->rgShape); });
    for (QRadioButton* format : ui->rgDigFormat->findChildren<QRadioButton*>())
        connect(format, &QRadioButton::clicked, this, &OptionsWindow::rgDigFormatClick);
    connect(ui->bbPattern, &QPushButton::clicked, this, &OptionsWindow::bbPatternClick);
    connect(ui->bbDone, &QPushButton::clicked, this, [this] { OKBtnClick(ui->bbDone); });
    connect(ui->bbClose, &QPushButton::clicked, this, &OptionsWindow::bbCloseClick);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &OptionsWindow::PageControl1Change);

    ui->PageControl1->setCurrentWidget(ui->tsSkinDesign);
}

void OptionsWindow::BindDesignerRows()
{
    for (const DesignerRow& row : DesignerRowsInStoreOrder()) {
        QWidget* const control = findChild<QWidget*>(QLatin1String(row.control));
        if (!control)
            qFatal("The options form has no control %s", row.control);
        FDesignerRows.push_back({ row, control });
    }
}

void OptionsWindow::LoadSkin(const QString& fileName)
{
    if (FUpdating)
        return;
    if (ReadSkinFile(SkinPathToRead(fileName, ProgramFolder())))
        Skin = FLoadBuffer;
    // An empty setting reaches here as the program folder itself: no skin
    // file was named, so the current skin is the default one, which the skin
    // list then shows and the settings name. A named file that is missing
    // stays the current skin, so a file that comes back is used again.
    FSkinFile = QFileInfo(fileName).isDir() ? QString() : fileName;
    if (isVisible())
        SkinToControls();
    FClock.ApplySkin();
}

bool OptionsWindow::ReadSkinFile(const QString& fileName)
{
    const SkinLoadOptions options { KeepSize(), Skin.ClockSize, ProgramFolder() };
    return ::ReadSkinFile(fileName, FLoadBuffer, options);
}

void OptionsWindow::SaveSkin(const QString& fileName)
{
    SaveSkinFile(fileName.isEmpty() ? SkinFileOrDefault() : fileName, Skin, ProgramFolder());
}

QString OptionsWindow::SkinFileOrDefault() const
{
    return FSkinFile.isEmpty() ? ProgramFolder() + QLatin1String(kDefaultSkinFileName) : FSkinFile;
}

void OptionsWindow::SkinToControls()
{
    FUpdating = true;
    // The band boundaries bound each other as they are filled; the bounds
    // the last skin left would show this skin's boundaries clamped.
    ui->seInnerEdge->setMaximum(FInnerEdgeFormMaximum);
    ui->seOuterEdge->setMinimum(FOuterEdgeFormMinimum);
    for (const char* name : DesignerFillOrder()) {
        const auto bound = std::find_if(FDesignerRows.begin(), FDesignerRows.end(),
            [name](const BoundRow& candidate) { return qstrcmp(candidate.row.control, name) == 0; });
        const DesignerRow& row = bound->row;
        switch (row.kind) {
        case DesignerKind::Colour: {
            auto& button = static_cast<ColorButton&>(*bound->control);
            button.Tag = Skin.*row.colour;
            PaintColorButton(button);
            break;
        }
        case DesignerKind::Number:
        case DesignerKind::Size:
            static_cast<SpinEdit&>(*bound->control).setValue(Skin.*row.number);
            // Also when the box already showed the value and so reports no
            // change.
            if (bound->control == ui->seInnerEdge)
                BoundOuterEdge();
            else if (bound->control == ui->seOuterEdge)
                BoundInnerEdge();
            break;
        case DesignerKind::ItemIndex: {
            auto& list = static_cast<QComboBox&>(*bound->control);
            const int index = Skin.*row.number;
            list.setCurrentIndex(index >= 0 && index < list.count() ? index : -1);
            break;
        }
        case DesignerKind::Shape:
            SetRadioGroupItemIndex(ui->rgShape, ShapeIndex(Skin));
            break;
        case DesignerKind::Transparency:
            ui->seTransparency->setValue(Skin.Transparency);
            break;
        case DesignerKind::Font:
            SelectFont(Skin.DigFont.text());
            break;
        }
    }
    FUpdating = false;
}

void OptionsWindow::ControlsToSkin()
{
    if (FUpdating)
        return;
    for (const BoundRow& bound : FDesignerRows) {
        const DesignerRow& row = bound.row;
        switch (row.kind) {
        case DesignerKind::Colour:
            Skin.*row.colour = static_cast<const ColorButton&>(*bound.control).Tag;
            break;
        case DesignerKind::Number:
            Skin.*row.number = static_cast<const SpinEdit&>(*bound.control).value();
            break;
        case DesignerKind::Size: {
            const auto& box = static_cast<const SpinEdit&>(*bound.control);
            Skin.*row.number = box.clamped(box.value());
            break;
        }
        case DesignerKind::ItemIndex:
            Skin.*row.number = static_cast<const QComboBox&>(*bound.control).currentIndex();
            break;
        case DesignerKind::Shape:
            StoreShapeIndex(Skin, RadioGroupItemIndex(ui->rgShape));
            break;
        case DesignerKind::Transparency:
            Skin.Transparency = StoredTransparency(ui->seTransparency->value());
            break;
        case DesignerKind::Font:
            Skin.DigFont.setText(ui->cbFontNames->currentText());
            break;
        }
    }
    FClock.ApplySkin();
}

void OptionsWindow::SelectFont(const QString& font)
{
    // The skin's font, else "Arial"; with neither, the selection stays.
    int index = ui->cbFontNames->findText(font, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0)
        index = ui->cbFontNames->findText(QStringLiteral("Arial"), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index >= 0)
        ui->cbFontNames->setCurrentIndex(index);
}

void OptionsWindow::FillFontNames()
{
    QStringList families;
    for (const QString& family : QFontDatabase::families())
        if (!QFontDatabase::isPrivateFamily(family))
            families << family;
    ui->cbFontNames->clear();
    ui->cbFontNames->addItems(ScreenFontNames(families));
    // A list filled anew has no selection until the skin's font is chosen.
    ui->cbFontNames->setCurrentIndex(-1);
}

bool OptionsWindow::KeepLastPosition() const
{
    return ui->chkLastPos->isChecked();
}

void OptionsWindow::SetKeepLastPosition(bool keep)
{
    ui->chkLastPos->setChecked(keep);
}

bool OptionsWindow::KeepSize() const
{
    return ui->chkKeepSize->isChecked();
}

void OptionsWindow::SetKeepSize(bool keep)
{
    ui->chkKeepSize->setChecked(keep);
}

bool OptionsWindow::StayOnTop() const
{
    return ui->chkStayOnTop->isChecked();
}

void OptionsWindow::SetStayOnTop(bool onTop)
{
    ui->chkStayOnTop->setChecked(onTop);
}

void OptionsWindow::StepSize(int step)
{
    ui->seSize->setValue(ui->seSize->value() + step);
}

int OptionsWindow::DigFormatIndex() const
{
    return RadioGroupItemIndex(ui->rgDigFormat);
}

void OptionsWindow::SetDigFormatIndex(int index)
{
    SetRadioGroupItemIndex(ui->rgDigFormat, index);
    rgDigFormatClick();
}

void OptionsWindow::PlaceOnAlarmsPage(QWidget* frame)
{
    ui->layoutAlarm->addWidget(frame);
}

void OptionsWindow::SaveAlarms()
{
    // An alarm being edited is stored with the others, also when the clock
    // closes while the options are open.
    if (FAlarmEditor && FAlarmEditor->IsEditing())
        FAlarmEditor->EndEditing();
    FAlarmStore.SaveAlarms();
}

void OptionsWindow::ShowAlarmsPage()
{
    ui->PageControl1->setCurrentIndex(kAlarmsPage);
}

void OptionsWindow::OpenOrRaise()
{
    // Away from the clock, which the designer changes and may grow, rather
    // than over it.
    if (!isVisible() && parentWidget())
        move(PlaceAwayFrom(parentWidget()->frameGeometry(), frameGeometry().size(),
            parentWidget()->screen()->availableGeometry()));
    // Not modal: the tray icon, the clock and its tick carry on while the
    // window is open. A window manager shows a modal window in place of
    // its minimised owner, and the tray could not bring the clock back.
    show();
    raise();
    activateWindow();
}

void OptionsWindow::FormActivate(bool realActivation)
{
    FUpdating = true;
    if (FGallery)
        FGallery->RefillSkinList();
    if (realActivation) {
        FillFontNames();
        SkinToControls();
    }
    FUpdating = false;
    if (FAlarmEditor)
        FAlarmEditor->InitEditor();
}

void OptionsWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        FormActivate(true);
}

void OptionsWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the window whichever control has the focus, unless the
    // control uses them itself.
    if (event->text().size() == 1)
        FormKeyPress(event->text().front());
    if (isVisible())
        QDialog::keyPressEvent(event);
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->StatusBar1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
        && ui->StatusBar1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        StatusBar1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsWindow::bbHourStCClick(QObject* sender)
{
    if (FUpdating)
        return;
    if (auto* button = qobject_cast<ColorButton*>(sender)) {
        if (const auto chosen = ChooseColor(button->Tag))
            button->Tag = *chosen;
        PaintColorButton(*button);
    }
    ControlsToSkin();
}

void OptionsWindow::seInnerEdgeChange()
{
    bbHourStCClick(nullptr);
    BoundOuterEdge();
}

void OptionsWindow::seOuterEdgeChange()
{
    bbHourStCClick(nullptr);
    BoundInnerEdge();
}

void OptionsWindow::BoundOuterEdge()
{
    ui->seOuterEdge->setMinimum(ui->seInnerEdge->value() - 1);
}

void OptionsWindow::BoundInnerEdge()
{
    ui->seInnerEdge->setMaximum(ui->seOuterEdge->value() + 1);
}

void OptionsWindow::SetClockView(ClockView* view)
{
    FClockView = view;
    FSkinList->SetClockView(view);
    ui->bbPattern->setEnabled(view != nullptr);
}

void OptionsWindow::bbPatternClick()
{
    // The band already shows the choice; nothing is redrawn.
    if (!EditTexture(this, *FClockView))
        return;
    Skin.TextureTransparency = FClockView->bandTransparency();
    Skin.TextureColor = FClockView->bandBrush().Color;
    Skin.Texture.setText(ChosenTextureText(ProgramFolder()));
}

void OptionsWindow::OKBtnClick(QObject* sender)
{
    ControlsToSkin();
    if (FAlarmEditor && FAlarmEditor->IsEditing())
        FAlarmEditor->EndEditing();
    if (sender == ui->bbDone) {
        FClock.SaveSettings();
        accept();
    }
}

void OptionsWindow::bbCloseClick()
{
    OKBtnClick(ui->bbDone);
    FClock.CloseClock();
}

void OptionsWindow::rgDigFormatClick()
{
    if (FAlarmEditor)
        FAlarmEditor->SetTimeFormat(DigFormatIndex() == 0);
}

void OptionsWindow::FormKeyPress(QChar key)
{
    // Closes as the title bar does: nothing is stored or undone.
    if (key.unicode() == kEscape)
        reject();
}

void OptionsWindow::PageControl1Change(int index)
{
    if (index == kGalleryPage && FGallery && GalleryPageTag == 0)
        FGallery->BuildGallery();
    else if (index == kAlarmsPage && FAlarmEditor)
        FAlarmEditor->SelectFirstIfNone();
}

QString OptionsWindow::ManualFile()
{
    return ShippedFolder() + QStringLiteral("manual/index.html");
}

void OptionsWindow::StatusBar1Click()
{
    const QString manual = ManualFile();
    if (!QFileInfo(manual).isFile()) {
        ShowMessage(tr("The manual is not installed: %1").arg(QDir::toNativeSeparators(manual)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(manual)))
        ShowMessage(tr("Cannot open the manual %1: no web browser answered.").arg(QDir::toNativeSeparators(manual)));
}
