#include "items/item_editor_window.h"

#include "foundation/codepage.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/storage_paths.h"
#include "foundation/stored_texts.h"
#include "items/item_commands.h"
#include "mainwindow/ui_fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace {

QLabel *addLabel(QWidget *parent, const QString &text, QRect geometry, int pixelSize)
{
    auto *label = new QLabel(text, parent);
    label->setGeometry(geometry);
    label->setFont(uiFont(pixelSize));
    return label;
}

QLineEdit *addEdit(QWidget *parent, QRect geometry, const QString &objectName)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setGeometry(geometry);
    edit->setFont(uiFont(14));
    return edit;
}

// Typed characters other than digits and "-" are ignored, as in an integer
// box; whether the text is a whole number is decided on confirmation.
void restrictToIntegerCharacters(QLineEdit *edit)
{
    static const QRegularExpression integerCharacters(QStringLiteral("[0-9-]*"));
    edit->setValidator(new QRegularExpressionValidator(integerCharacters, edit));
}

} // namespace

ItemEditorWindow::ItemEditorWindow(QWidget *owner)
    : QDialog(owner), m_itemName(targetItemName())
{
    buildLayout();
    if (m_itemName.isEmpty())
        showAddMode();
    else
        showModifyMode();
}

ItemEditorWindow::~ItemEditorWindow()
{
    targetItemName().clear();
}

void ItemEditorWindow::done(int result)
{
    targetItemName().clear();
    QDialog::done(result);
}

void ItemEditorWindow::buildLayout()
{
    setFixedSize(286, 365);
    setWindowTitle(QStringLiteral("添加项目"));

    addLabel(this, QStringLiteral("项目名称"), {10, 10, 110, 35}, 14);
    m_nameEdit = addEdit(this, {119, 10, 151, 35}, QStringLiteral("nameEdit"));

    struct TariffRow {
        const char *key;
        QLineEdit **edit;
        const char *objectName;
        int y;
        int hintX;
        const char *hint;
    };
    const TariffRow rows[] = {
        {storedtext::kInitialPeriodKey, &m_initialPeriodEdit, "initialPeriodEdit", 50, 10,
         "单位：？分钟；未超出该时长则不算超时"},
        {storedtext::kInitialFeeKey, &m_initialFeeEdit, "initialFeeEdit", 110, 15,
         "单位：？元/时；未满初始时段时最低消费"},
        {storedtext::kMinimumUnitKey, &m_minimumUnitEdit, "minimumUnitEdit", 170, 15,
         "单位：？分钟；最小计费单位"},
        {storedtext::kOvertimePriceKey, &m_overtimePriceEdit, "overtimePriceEdit", 230, 15,
         "单位：？元/时；超时后按此单价收费"},
    };
    for (const TariffRow &row : rows) {
        addLabel(this, gbkToUnicode(row.key), {10, row.y, 110, 35}, 14);
        *row.edit = addEdit(this, {119, row.y, 151, 35}, QString::fromLatin1(row.objectName));
        restrictToIntegerCharacters(*row.edit);
        // A label paints no background of its own, so the hint is transparent.
        addLabel(this, QString::fromUtf8(row.hint), {row.hintX, row.y + 36, 255, 20}, 12);
    }

    auto *defaultsButton = new QPushButton(QStringLiteral("默认"), this);
    defaultsButton->setObjectName(QStringLiteral("defaultsButton"));
    defaultsButton->setGeometry(110, 291, 50, 35);
    defaultsButton->setFont(uiFont(12));
    defaultsButton->setAutoDefault(false);
    connect(defaultsButton, &QPushButton::clicked, this, &ItemEditorWindow::fillDefaults);

    m_confirmButton = new QPushButton(QStringLiteral("确定添加"), this);
    m_confirmButton->setObjectName(QStringLiteral("confirmButton"));
    m_confirmButton->setGeometry(170, 291, 100, 35);
    m_confirmButton->setFont(uiFont(14));
    m_confirmButton->setAutoDefault(false);
    connect(m_confirmButton, &QPushButton::clicked, this, &ItemEditorWindow::confirm);
}

void ItemEditorWindow::showModifyMode()
{
    const QString name = gbkToUnicode(m_itemName);
    m_nameEdit->setText(name);
    m_nameEdit->setEnabled(false);

    const IniSnapshot settings = IniSnapshot::read(storagePaths().settingsFilePath);
    m_initialPeriodEdit->setText(gbkToUnicode(settings.value(m_itemName, storedtext::kInitialPeriodKey)));
    m_initialFeeEdit->setText(gbkToUnicode(settings.value(m_itemName, storedtext::kInitialFeeKey)));
    m_minimumUnitEdit->setText(gbkToUnicode(settings.value(m_itemName, storedtext::kMinimumUnitKey)));
    m_overtimePriceEdit->setText(gbkToUnicode(settings.value(m_itemName, storedtext::kOvertimePriceKey)));

    m_confirmButton->setText(QStringLiteral("确定修改"));
    setWindowTitle(QStringLiteral("正在修改 【") + name + QStringLiteral("】"));
}

void ItemEditorWindow::showAddMode()
{
    m_nameEdit->setEnabled(true);
    m_confirmButton->setText(QStringLiteral("添加项目"));
    setWindowTitle(QStringLiteral("添加项目"));
}

void ItemEditorWindow::fillDefaults()
{
    m_initialPeriodEdit->setText(QString::number(kDefaultTariff.initialPeriod));
    m_initialFeeEdit->setText(QString::number(kDefaultTariff.initialFee));
    m_minimumUnitEdit->setText(QString::number(kDefaultTariff.minimumUnit));
    m_overtimePriceEdit->setText(QString::number(kDefaultTariff.overtimePrice));
}

bool ItemEditorWindow::anyBoxEmpty() const
{
    for (const QLineEdit *edit : {m_nameEdit, m_initialPeriodEdit, m_initialFeeEdit,
                                  m_minimumUnitEdit, m_overtimePriceEdit}) {
        if (edit->text().isEmpty())
            return true;
    }
    return false;
}

TariffTexts ItemEditorWindow::typedTariff() const
{
    return {unicodeToGbk(m_initialPeriodEdit->text()), unicodeToGbk(m_initialFeeEdit->text()),
            unicodeToGbk(m_minimumUnitEdit->text()), unicodeToGbk(m_overtimePriceEdit->text())};
}

void ItemEditorWindow::confirm()
{
    // An unfinished form is not an error: the operator is still typing.
    if (anyBoxEmpty())
        return;

    const QByteArray settingsPath = storagePaths().settingsFilePath;
    const TariffTexts tariff = typedTariff();
    const bool adding = m_itemName.isEmpty();
    const Result checked = adding ? checkNewItem(settingsPath, m_nameEdit->text(), tariff)
                                  : checkTariffTexts(tariff);
    if (!checked) {
        showFailure(checked.message());
        return;
    }

    const QByteArray name = adding ? unicodeToGbk(m_nameEdit->text()) : m_itemName;
    const Result written = writeIdleItem(settingsPath, name, tariff);
    // Even a failed write may have changed some of the item's keys.
    emit itemStoreChanged();
    if (!written) {
        showFailure(written.message());
        return;
    }
    accept();
}

void ItemEditorWindow::showFailure(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}
