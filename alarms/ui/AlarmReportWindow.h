#pragma once

#include <QWidget>

class QListWidget;

// The one window that tells the user about their alarms: those missed while
// the clock was not running, snoozes that fell due meanwhile, alarms skipped
// by a clock jump, a store that could not be saved. Each report is a line of
// its list (lbReports); a report that comes while the window is open joins
// the list, so windows never pile up. It does not block: the clock ticks and
// rings while it is open. OK (btnOK) or closing it clears the list.
class AlarmReportWindow : public QWidget {
    Q_OBJECT

public:
    // Over owner: it comes up above the clock, also one that stays on top.
    explicit AlarmReportWindow(QWidget* owner);

    void addReport(const QString& report);
    QStringList reports() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* const m_list;
};
