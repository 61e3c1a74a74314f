#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

class QLabel;
class QListWidget;
class QTableView;
class HistoryTableModel;

// Browses the history files: on the left the months that have a file, oldest
// first, as "yyyyMM.WD" entries; choosing one reads that file afresh and
// shows its records in the table with their count. The file is read off the
// GUI thread, so the program stays usable while a long month loads; the
// records appear when it is read, and only the latest choice is shown. The
// list of months is made when the window is built. Only reads; non-modal, the
// owner decides its lifetime.
class HistoryWindow : public QWidget {
    Q_OBJECT
public:
    explicit HistoryWindow(QWidget *parent = nullptr);
    // Waits for reads still running.
    ~HistoryWindow() override;

private:
    void buildLayout();
    void fillMonthList();
    void showChosenMonth();
    void showRecords(quint64 request, QList<QList<QByteArray>> records);

    QListWidget *m_monthList = nullptr;
    QTableView *m_table = nullptr;
    QLabel *m_countLabel = nullptr;
    HistoryTableModel *m_model = nullptr;
    quint64 m_latestRequest = 0;
};
