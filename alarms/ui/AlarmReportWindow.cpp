#include "alarms/ui/AlarmReportWindow.h"

#include "platform/dialogs/AwayPlacement.h"

#include <QDialogButtonBox>
#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kWidth = 460;
constexpr int kHeight = 220;

} // namespace

AlarmReportWindow::AlarmReportWindow(QWidget* owner)
    : QWidget(owner, Qt::Dialog)
    , m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("AlarmReports"));
    setWindowTitle(QStringLiteral("Alarm reports"));
    m_list->setObjectName(QStringLiteral("lbReports"));
    m_list->setWordWrap(true);
    m_list->setSelectionMode(QAbstractItemView::NoSelection);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setDefault(true);
    m_list->setFocusPolicy(Qt::NoFocus); // Enter or Space answers OK
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(kWidth, kHeight);
}

void AlarmReportWindow::addReport(const QString& report)
{
    m_list->addItem(report);
    m_list->scrollToBottom();
    // Beside the clock, which stays in view, rather than over it.
    ShowAwayFromParent(*this);
}

QStringList AlarmReportWindow::reports() const
{
    QStringList lines;
    for (int i = 0; i < m_list->count(); ++i)
        lines << m_list->item(i)->text();
    return lines;
}

void AlarmReportWindow::closeEvent(QCloseEvent* event)
{
    // Read: the next report starts a list of its own.
    m_list->clear();
    QWidget::closeEvent(event);
}
