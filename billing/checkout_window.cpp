#include "billing/checkout_window.h"

#include "billing/bill.h"
#include "foundation/codepage.h"
#include "foundation/datetime.h"
#include "foundation/ini.h"
#include "foundation/storage_paths.h"
#include "items/item_commands.h"
#include "mainwindow/ui_fonts.h"

#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPushButton>

namespace {

QFont windowFont(int pixelSize, bool bold = false)
{
    QFont font = uiFont(pixelSize);
    font.setBold(bold);
    return font;
}

struct ValueStyle {
    int pixelSize;
    bool bold;
    QColor text;
    QColor background;
};

const ValueStyle kPlainValue{19, false, Qt::black, Qt::white};

struct BillRow {
    const char *caption;
    HistoryRecord::Field field;
    QPoint valuePosition;
    int height;
    ValueStyle style;
};

// Rows from top to bottom; the fee rows stand out so the amount is read first.
const BillRow kBillRows[] = {
    {"项目名称", HistoryRecord::ItemName, {119, 10}, 35, {19, true, Qt::black, Qt::white}},
    {"开始时间", HistoryRecord::StartTime, {119, 55}, 35, kPlainValue},
    {"结束时间", HistoryRecord::EndTime, {119, 89}, 35, kPlainValue},
    {"使用时长", HistoryRecord::UsedDuration, {119, 123}, 35, kPlainValue},
    {"初始时段", HistoryRecord::InitialPeriod, {119, 157}, 35, kPlainValue},
    {"超时时长", HistoryRecord::OvertimeDuration, {119, 191}, 35, kPlainValue},
    {"最小计费单位", HistoryRecord::MinimumUnit, {120, 236}, 35, kPlainValue},
    {"超时单价", HistoryRecord::OvertimePrice, {120, 270}, 35, kPlainValue},
    {"初始费用", HistoryRecord::InitialFee, {119, 315}, 35, {21, true, QColor(0, 128, 0), Qt::white}},
    {"超时费用", HistoryRecord::OvertimeFee, {119, 349}, 35, {21, true, QColor(175, 71, 73), Qt::white}},
    {"总费用", HistoryRecord::TotalFee, {119, 383}, 75, {43, true, QColor(255, 255, 0), QColor(255, 0, 0)}},
};

QLabel *addCentredLabel(QWidget *parent, const QString &text, QRect geometry, const QFont &font)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(false);
    return label;
}

void paintLabel(QLabel *label, const QColor &text, const QColor &background)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Window, background);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
}

} // namespace

CheckoutWindow::CheckoutWindow(QWidget *owner)
    : QDialog(owner), m_itemName(selectedItemName())
{
    const StoredBillTexts stored =
            readStoredBillTexts(IniSnapshot::read(storagePaths().settingsFilePath), m_itemName);
    m_billable = hasReadableStartTime(stored);
    if (m_billable) {
        // One reading of the clock serves the shown end time and the billed
        // duration, so the two can never disagree.
        m_bill = computeBill(m_itemName, stored, currentDateTime());
    } else {
        // Figures counted from the year 100 would only mislead.
        m_bill.fields[HistoryRecord::ItemName] = m_itemName;
        m_bill.fields[HistoryRecord::StartTime] = stored.startTime;
    }
    buildLayout();
}

void CheckoutWindow::buildLayout()
{
    setWindowTitle(QStringLiteral("结账统计"));
    setFixedSize(376, 540);

    for (const BillRow &row : kBillRows) {
        const int y = row.valuePosition.y();
        addCentredLabel(this, QString::fromUtf8(row.caption), {10, y, 110, row.height}, windowFont(14));
        QLabel *value = addCentredLabel(this, gbkToUnicode(m_bill.fields[row.field]),
                                        {row.valuePosition, QSize(241, row.height)},
                                        windowFont(row.style.pixelSize, row.style.bold));
        value->setObjectName(QStringLiteral("value%1").arg(int(row.field)));
        paintLabel(value, row.style.text, row.style.background);
    }

    auto *confirmButton = new QPushButton(QStringLiteral("确定结账"), this);
    confirmButton->setObjectName(QStringLiteral("confirmButton"));
    confirmButton->setGeometry(260, 467, 100, 35);
    confirmButton->setFont(windowFont(14));
    confirmButton->setAutoDefault(false);
    connect(confirmButton, &QPushButton::clicked, this, &CheckoutWindow::confirm);
}

void CheckoutWindow::confirm()
{
    if (!m_billable) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("项目“") + gbkToUnicode(m_itemName) + QStringLiteral("”的开始时间“")
                                     + gbkToUnicode(m_bill.fields[HistoryRecord::StartTime])
                                     + QStringLiteral("”无法识别，算不出费用，不能结账。项目仍保持使用中。"));
        return;
    }
    const CheckoutOutcome outcome = checkOutItem(storagePaths().settingsFilePath,
                                                 storagePaths().historyFilePath, m_itemName, m_bill);
    switch (outcome.step) {
    case CheckoutStep::Done:
        emit checkedOut();
        accept();
        return;
    case CheckoutStep::RecordNotStored:
        QMessageBox::warning(this, windowTitle(), outcome.message);
        return;
    case CheckoutStep::RecordStoredItemBusy:
        emit itemStoreChanged();
        QMessageBox::warning(this, windowTitle(), outcome.message);
        // The bill is recorded; confirming again would record it twice.
        accept();
        return;
    }
}
