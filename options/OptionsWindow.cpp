#include "options/OptionsWindow.h"

#include "alarms/ui/AlarmEditing.h"
#include "clock/ClockSettings.h"
#include "options/ClockCommands.h"
#include "options/ClockTextureBand.h"
#include "options/DesignerPage.h"
#include "options/SkinListAndGallery.h"
#include "options/TextureChooser.h"
#include "platform/dialogs/Application.h"
#include "platform/dialogs/AwayPlacement.h"
#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/LocalFileOpener.h"
#include "platform/files/ProgramFolder.h"
#include "skins/LiveSkin.h"
#include "skins/TextureChoice.h"
#include "widgets/RadioGroup.h"
#include "ui_OptionsWindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

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

OptionsWindow::OptionsWindow(LiveSkin& liveSkin, ClockSettingsFile& settings, ClockCommands& clock)
    : ui(std::make_unique<Ui::OptionsWindow>())
    , m_liveSkin(liveSkin)
    , m_settings(settings)
    , m_clock(clock)
{
    setFont(WindowFont());
    ui->setupUi(this);
    styleWindow();
    m_designer = new DesignerPage(*ui->tsSkinDesign, m_liveSkin);
    m_skinList = new SkinListAndGallery(m_liveSkin, m_settings,
        { *ui->cbSettings, *ui->sbSaveSettings, *ui->chkSnapshot, *ui->ScrollBox1 }, this);
    ui->bbPattern->setEnabled(false);
    m_designer->fillFontNames();
    m_designer->showSkin();
    showSettings();
    connectControls();
    showRevertable();
    connect(&m_settings, &ClockSettingsFile::changed, this, &OptionsWindow::showSettings);
    ui->PageControl1->setCurrentWidget(ui->tsSkinDesign);
}

OptionsWindow::~OptionsWindow() = default;

void OptionsWindow::styleWindow()
{
    SetBackground(*ui->gbPermanent, kPermanentOptionsColor);
    SetBackground(*ui->gbSaveSkin, kSaveSkinColor);
    StyleStatusBar(*ui->StatusBar1);
    ui->StatusBar1->showMessage(QString::fromLatin1(kStatusNotice));
    ui->StatusBar1->installEventFilter(this);
}

void OptionsWindow::connectControls()
{
    connect(ui->chkLastPos, &QCheckBox::toggled, &m_settings, &ClockSettingsFile::setKeepLastPosition);
    connect(ui->chkKeepSize, &QCheckBox::toggled, &m_settings, &ClockSettingsFile::setKeepSize);
    connect(ui->chkStayOnTop, &QCheckBox::toggled, &m_settings, &ClockSettingsFile::setStayOnTop);
    for (QRadioButton* format : ui->rgDigFormat->findChildren<QRadioButton*>())
        connect(format, &QRadioButton::clicked, this,
            [this] { m_settings.setReadoutFormatIndex(RadioGroupItemIndex(ui->rgDigFormat)); });
    connect(m_designer, &DesignerPage::shapeChosen, this, &OptionsWindow::endAlarmEditing);
    connect(ui->bbPattern, &QPushButton::clicked, this, &OptionsWindow::editTexture);
    connect(ui->bbDone, &QPushButton::clicked, this, &OptionsWindow::saveAndClose);
    connect(ui->bbClose, &QPushButton::clicked, this, &OptionsWindow::closeClock);
    connect(ui->sbRevert, &QAbstractButton::clicked, this, &OptionsWindow::revertSkin);
    connect(&m_liveSkin, &LiveSkin::changed, this, &OptionsWindow::showRevertable);
    connect(&m_liveSkin, &LiveSkin::saved, this, &OptionsWindow::showRevertable);
    connect(&m_settings, &ClockSettingsFile::changed, this, &OptionsWindow::showRevertable);
    connect(ui->PageControl1, &QTabWidget::currentChanged, this, &OptionsWindow::onPageChanged);
}

void OptionsWindow::showSettings()
{
    const ClockSettings& settings = m_settings.settings();
    ui->chkLastPos->setChecked(settings.keepLastPosition);
    ui->chkKeepSize->setChecked(settings.keepSize);
    ui->chkStayOnTop->setChecked(settings.stayOnTop);
    SetRadioGroupItemIndex(ui->rgDigFormat, settings.readoutFormatIndex);
    showReadoutFormat();
}

void OptionsWindow::showReadoutFormat()
{
    const int format = m_settings.settings().readoutFormatIndex;
    if (!m_alarmEditor || format == m_editorReadoutFormat)
        return;
    m_editorReadoutFormat = format;
    m_alarmEditor->setTimeFormat(format == 0);
}

void OptionsWindow::placeAlarmEditor(QWidget* frame, AlarmEditing& editing)
{
    ui->layoutAlarm->addWidget(frame);
    m_alarmEditor = &editing;
    showReadoutFormat();
}

void OptionsWindow::setClockBand(ClockTextureBand* band)
{
    m_clockBand = band;
    ui->bbPattern->setEnabled(band != nullptr);
}

void OptionsWindow::showAlarmsPage()
{
    ui->PageControl1->setCurrentIndex(kAlarmsPage);
}

void OptionsWindow::openOrRaise()
{
    // Away from the clock, which the designer changes and may grow, rather
    // than over it. Not modal: the tray icon, the clock and its tick carry
    // on while the window is open. A window manager shows a modal window in
    // place of its minimised owner, and the tray could not bring the clock
    // back.
    ShowAwayFromParent(*this);
}

void OptionsWindow::onActivated()
{
    m_skinList->refillSkinList();
    m_designer->fillFontNames();
    m_designer->showSkin();
    if (m_alarmEditor)
        m_alarmEditor->resetPickers();
}

void OptionsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Also where the window manager does not activate the window.
    onActivated();
    m_refilledOnShow = true;
}

void OptionsWindow::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !std::exchange(m_refilledOnShow, false))
        onActivated();
}

void OptionsWindow::keyPressEvent(QKeyEvent* event)
{
    // Keys reach the window whichever control has the focus, unless the
    // control uses them itself. Escape closes as the title bar does:
    // nothing is stored or undone.
    if (event->text().size() == 1 && event->text().front().unicode() == kEscape)
        reject();
    if (isVisible())
        QDialog::keyPressEvent(event);
}

void OptionsWindow::closeEvent(QCloseEvent* event)
{
    if (!settleSkinEdits()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ui->StatusBar1 && event->type() == QEvent::MouseButtonRelease
        && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton
        && ui->StatusBar1->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint())) {
        openManual();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void OptionsWindow::editTexture()
{
    // The band already shows the choice; nothing is redrawn.
    if (!EditTexture(this, *m_clockBand, m_liveSkin))
        return;
    m_liveSkin.storeShownTexture(ChosenTextureText(m_liveSkin.texture(), ProgramFolder()),
        m_clockBand->bandBrush().Color, m_clockBand->bandTransparency());
    showRevertable();
}

void OptionsWindow::endAlarmEditing()
{
    if (m_alarmEditor && m_alarmEditor->isEditing())
        m_alarmEditor->endEditing();
}

bool OptionsWindow::settleSkinEdits()
{
    if (isVisible())
        m_designer->storeControls();
    return m_skinList->settleUnsavedSkin();
}

void OptionsWindow::saveAndClose()
{
    if (!settleSkinEdits())
        return;
    endAlarmEditing();
    m_clock.SaveSettings();
    accept();
}

void OptionsWindow::closeClock()
{
    // The clock saves as it closes, and closes also when the save fails,
    // after saying so.
    if (!settleSkinEdits())
        return;
    endAlarmEditing();
    accept();
    m_clock.CloseClock();
}

void OptionsWindow::revertSkin()
{
    m_liveSkin.revert(m_settings.settings().keepSize);
}

void OptionsWindow::showRevertable()
{
    ui->sbRevert->setEnabled(m_liveSkin.isModified(m_settings.settings().keepSize));
}

void OptionsWindow::onPageChanged(int index)
{
    if (index == kGalleryPage)
        m_skinList->buildGallery();
    else if (index == kAlarmsPage && m_alarmEditor)
        m_alarmEditor->selectFirstIfNone();
}

QString OptionsWindow::ManualFile()
{
    return ShippedFolder() + QStringLiteral("manual/index.html");
}

void OptionsWindow::openManual()
{
    const QString manual = ManualFile();
    if (!QFileInfo(manual).isFile()) {
        ShowMessage(tr("The manual is not installed: %1").arg(QDir::toNativeSeparators(manual)));
        return;
    }
    OpenLocalFile(manual, [manual](const QString& reason) {
        ShowMessage(tr("Cannot open the manual: %1.\n\nIt is the page %2; open it in a web browser.")
                        .arg(reason, QDir::toNativeSeparators(manual)));
    });
}
