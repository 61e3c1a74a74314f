#include "history/history_window.h"

#include "foundation/codepage.h"
#include "foundation/storage_paths.h"
#include "history/file_search.h"
#include "history/history_file.h"
#include "history/history_table_model.h"
#include "mainwindow/ui_fonts.h"

#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QTableView>
#include <QThread>

namespace {

QString recordCountText(qsizetype count)
{
    return QStringLiteral("共 %1 条记录").arg(count);
}

} // namespace

HistoryWindow::HistoryWindow(QWidget *parent) : QWidget(parent)
{
    buildLayout();
    fillMonthList();
}

HistoryWindow::~HistoryWindow()
{
    // A reader still running posts its result to this window; it must end
    // before the window goes.
    for (QThread *reader : findChildren<QThread *>(Qt::FindDirectChildrenOnly))
        reader->wait();
}

void HistoryWindow::buildLayout()
{
    setWindowTitle(QStringLiteral("历史记录"));
    setFixedSize(1276, 669);

    m_monthList = new QListWidget(this);
    m_monthList->setObjectName(QStringLiteral("monthList"));
    m_monthList->setGeometry(9, 10, 140, 370);
    m_monthList->setFont(uiFont(14));

    m_model = new HistoryTableModel(this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("recordTable"));
    m_table->setGeometry(157, 10, 1103, 621);
    m_table->setFont(uiFont(12));
    m_table->setModel(m_model);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setWordWrap(false);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    // Fixed row heights keep a month of many records from being measured row
    // by row.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 8);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < HistoryTableModel::ColumnCount; ++column)
        m_table->setColumnWidth(column, HistoryTableModel::columnWidth(HistoryTableModel::Column(column)));

    m_countLabel = new QLabel(recordCountText(0), this);
    m_countLabel->setObjectName(QStringLiteral("countLabel"));
    m_countLabel->setGeometry(10, 600, 140, 30);
    m_countLabel->setFont(uiFont(12));
    m_countLabel->setAlignment(Qt::AlignCenter);

    // Selection, not the current row: the list makes its first row current
    // when it takes the focus, and that must not count as a choice.
    connect(m_monthList, &QListWidget::itemSelectionChanged, this, &HistoryWindow::showChosenMonth);
}

void HistoryWindow::fillMonthList()
{
    const QByteArray folder = directoryOfPath(storagePaths().historyFilePath);
    QList<QByteArray> paths;
    // The folder holds one small file per month, so the search is quick; it
    // runs without dispatching events, which could otherwise close windows
    // while this one is still being built.
    findFiles(folder, QByteArrayLiteral("*.WD.txt"), paths, /*withFolder=*/true, /*sorted=*/true,
              /*intoSubfolders=*/false);
    for (const QByteArray &path : paths) {
        auto *entry = new QListWidgetItem(gbkToUnicode(fileBaseName(path)), m_monthList);
        entry->setData(Qt::UserRole, path);
    }
}

void HistoryWindow::showChosenMonth()
{
    const QList<QListWidgetItem *> chosen = m_monthList->selectedItems();
    if (chosen.isEmpty())
        return;
    const QByteArray path = chosen.first()->data(Qt::UserRole).toByteArray();
    const quint64 request = ++m_latestRequest;
    // A month of a hundred thousand records takes a second or more to read.
    QThread *reader = QThread::create([this, path, request] {
        QList<QList<QByteArray>> records = readHistoryFile(path);
        QMetaObject::invokeMethod(
                this, [this, request, records] { showRecords(request, records); }, Qt::QueuedConnection);
    });
    reader->setParent(this);
    connect(reader, &QThread::finished, reader, &QObject::deleteLater);
    reader->start();
}

void HistoryWindow::showRecords(quint64 request, QList<QList<QByteArray>> records)
{
    // An earlier choice that took longer to read must not replace a later one.
    if (request != m_latestRequest)
        return;
    m_countLabel->setText(recordCountText(records.size()));
    m_model->setRecords(std::move(records));
}
