#include "items/item_commands.h"

#include "foundation/codepage.h"
#include "foundation/ini.h"
#include "foundation/item_store.h"
#include "foundation/stored_texts.h"
#include "foundation/texts.h"

#include <array>
#include <limits>
#include <utility>

namespace {

// The six keys of an item's section in the order a switch reads and writes
// them; the first four are the tariff.
const std::array<QByteArray, 6> kSwitchedKeys{
    QByteArray(storedtext::kInitialPeriodKey), QByteArray(storedtext::kInitialFeeKey),
    QByteArray(storedtext::kMinimumUnitKey),   QByteArray(storedtext::kOvertimePriceKey),
    QByteArray(storedtext::kStatusKey),        QByteArray(storedtext::kStartTimeKey)};
constexpr int kTariffKeyCount = 4;

QString quoted(const QString &text)
{
    return QStringLiteral("“") + text + QStringLiteral("”");
}

QString itemLabel(const QByteArray &name)
{
    return QStringLiteral("项目") + quoted(gbkToUnicode(name));
}

QString describeCharacter(char32_t c)
{
    if (c == U'\n' || c == U'\r' || c == U'\x2028' || c == U'\x2029')
        return QStringLiteral("换行符");
    if (QChar::category(c) == QChar::Other_Control)
        return QStringLiteral("控制字符 U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    return quoted(QString::fromUcs4(&c, 1));
}

// Characters that end or split a section header, a key line, a history field
// or a list of file patterns.
bool isReservedCharacter(char32_t c)
{
    switch (c) {
    case U'[': case U']': case U'|': case U'@': case U'=':
    case U'\n': case U'\r': case U'\x2028': case U'\x2029':
        return true;
    default:
        return QChar::category(c) == QChar::Other_Control;
    }
}

bool isWholeNumberText(const QByteArray &text)
{
    const qsizetype firstDigit = text.startsWith('-') ? 1 : 0;
    if (text.size() == firstDigit)
        return false;
    qint64 magnitude = 0;
    for (qsizetype i = firstDigit; i < text.size(); ++i) {
        const char c = text.at(i);
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        // Beyond 32 bits the stored text would be read back as another number.
        if (magnitude > qint64(std::numeric_limits<qint32>::max()) + firstDigit)
            return false;
    }
    return true;
}

bool sectionExists(const QByteArray &settingsPath, const QByteArray &name)
{
    const QList<QByteArray> names = listSectionNames(settingsPath);
    for (const QByteArray &existing : names) {
        if (compareText(existing, name, /*caseSensitive=*/false) == 0)
            return true;
    }
    return false;
}

Result writeValue(const QByteArray &settingsPath, const QByteArray &name, const QByteArray &key,
                  const QByteArray &value)
{
    const Result written = writeIniValue(settingsPath, name, key, value);
    if (written)
        return written;
    return Result::failure(itemLabel(name) + QStringLiteral("的“") + gbkToUnicode(key)
                           + QStringLiteral("”未能保存：") + written.message());
}

std::array<QByteArray, 6> readSwitchedValues(const IniSnapshot &settings, const QByteArray &name)
{
    std::array<QByteArray, 6> values;
    for (size_t i = 0; i < kSwitchedKeys.size(); ++i)
        values[i] = settings.value(name, kSwitchedKeys[i]);
    return values;
}

} // namespace

Result checkItemName(const QString &name)
{
    if (name.isEmpty())
        return Result::failure(QStringLiteral("请填写项目名称。"));
    if (name.front().isSpace() || name.back().isSpace())
        return Result::failure(QStringLiteral("项目名称的开头和结尾不能有空格。"));
    for (const char32_t c : name.toUcs4()) {
        if (isReservedCharacter(c))
            return Result::failure(QStringLiteral("项目名称不能含有") + describeCharacter(c)
                                   + QStringLiteral("。"));
        if (!isGbkEncodable(QString::fromUcs4(&c, 1)))
            return Result::failure(QStringLiteral("项目名称中的字符") + describeCharacter(c)
                                   + QStringLiteral("无法保存到设置文件（GBK 编码中没有这个字符）。"));
    }
    return Result::success();
}

Result checkTariffTexts(const TariffTexts &tariff)
{
    const std::array<std::pair<const char *, const QByteArray *>, kTariffKeyCount> fields{{
        {storedtext::kInitialPeriodKey, &tariff.initialPeriod},
        {storedtext::kInitialFeeKey, &tariff.initialFee},
        {storedtext::kMinimumUnitKey, &tariff.minimumUnit},
        {storedtext::kOvertimePriceKey, &tariff.overtimePrice},
    }};
    for (const auto &[key, text] : fields) {
        if (!isWholeNumberText(*text))
            return Result::failure(QStringLiteral("“") + gbkToUnicode(key)
                                   + QStringLiteral("”须为整数，不能是") + quoted(gbkToUnicode(*text))
                                   + QStringLiteral("。"));
    }
    return Result::success();
}

Result checkNewItem(const QByteArray &settingsPath, const QString &name, const TariffTexts &tariff)
{
    if (Result checked = checkItemName(name); !checked)
        return checked;
    if (Result checked = checkTariffTexts(tariff); !checked)
        return checked;
    // Writing over an existing section would silently reset a running item
    // to idle and lose its start time.
    const QByteArray storedName = unicodeToGbk(name);
    if (sectionExists(settingsPath, storedName))
        return Result::failure(itemLabel(storedName)
                               + QStringLiteral("已经存在。请换一个名称，或在列表中选择该项目后修改它。"));
    return Result::success();
}

Result addItem(const QByteArray &settingsPath, const QString &name, const TariffTexts &tariff)
{
    if (Result checked = checkNewItem(settingsPath, name, tariff); !checked)
        return checked;
    return writeIdleItem(settingsPath, unicodeToGbk(name), tariff);
}

Result modifyItem(const QByteArray &settingsPath, const QByteArray &name, const TariffTexts &tariff)
{
    if (Result checked = checkTariffTexts(tariff); !checked)
        return checked;
    return writeIdleItem(settingsPath, name, tariff);
}

Result writeIdleItem(const QByteArray &settingsPath, const QByteArray &name, const TariffTexts &tariff)
{
    const std::array<const QByteArray *, kTariffKeyCount> values{
        &tariff.initialPeriod, &tariff.initialFee, &tariff.minimumUnit, &tariff.overtimePrice};
    for (int i = 0; i < kTariffKeyCount; ++i) {
        if (Result written = writeValue(settingsPath, name, kSwitchedKeys[i], *values[i]); !written)
            return written;
    }
    return returnItemToIdle(settingsPath, name);
}

Result returnItemToIdle(const QByteArray &settingsPath, const QByteArray &name)
{
    if (Result written = writeValue(settingsPath, name, storedtext::kStatusKey, storedtext::kIdle);
        !written)
        return written;
    return writeValue(settingsPath, name, storedtext::kStartTimeKey, storedtext::kNone);
}

QList<QByteArray> listIdleItems(const QByteArray &settingsPath)
{
    const SettingsSnapshot settings = readSettingsSnapshot(settingsPath);
    QList<QByteArray> idle;
    for (const QByteArray &name : settings.itemNames) {
        if (settings.values.value(name, storedtext::kStatusKey) == storedtext::kIdle)
            idle.append(name);
    }
    return idle;
}

Result switchItem(const QByteArray &settingsPath, const QByteArray &source, const QByteArray &target)
{
    const IniSnapshot settings = IniSnapshot::read(settingsPath);
    const std::array<QByteArray, 6> sourceValues = readSwitchedValues(settings, source);
    const std::array<QByteArray, 6> targetValues = readSwitchedValues(settings, target);
    for (size_t i = 0; i < kSwitchedKeys.size(); ++i) {
        if (Result written = writeValue(settingsPath, target, kSwitchedKeys[i], sourceValues[i]);
            !written)
            return written;
    }
    for (int i = 0; i < kTariffKeyCount; ++i) {
        if (Result written = writeValue(settingsPath, source, kSwitchedKeys[i], targetValues[i]);
            !written)
            return written;
    }
    return returnItemToIdle(settingsPath, source);
}

CheckoutOutcome checkOutItem(const QByteArray &settingsPath, const QByteArray &historyPath,
                             const QByteArray &itemName, const HistoryRecord &record)
{
    const Result stored = appendHistoryLineTo(historyPath, record.toLine());
    if (!stored)
        return {CheckoutStep::RecordNotStored,
                QStringLiteral("结账记录未能保存，") + itemLabel(itemName)
                    + QStringLiteral("仍在计时，没有结账。\n") + stored.message()};
    const Result idle = returnItemToIdle(settingsPath, itemName);
    if (!idle)
        return {CheckoutStep::RecordStoredItemBusy,
                QStringLiteral("结账记录已保存到“") + gbkToUnicode(historyPath)
                    + QStringLiteral("”，但") + itemLabel(itemName)
                    + QStringLiteral("未能恢复为空闲。请不要再次结账；该项目在列表中仍显示为使用中。\n")
                    + idle.message()};
    return {};
}
