#include "foundation/item_store.h"

#include "foundation/files.h"
#include "foundation/numbers.h"
#include "foundation/stored_texts.h"

Tariff readTariff(const IniSnapshot &settings, const QByteArray &itemName)
{
    Tariff tariff;
    tariff.initialPeriod = textToInt(settings.value(itemName, storedtext::kInitialPeriodKey));
    tariff.initialFee = textToInt(settings.value(itemName, storedtext::kInitialFeeKey));
    tariff.minimumUnit = textToInt(settings.value(itemName, storedtext::kMinimumUnitKey));
    tariff.overtimePrice = textToInt(settings.value(itemName, storedtext::kOvertimePriceKey));
    return tariff;
}

namespace {

QList<QByteArray> sectionNamesIn(const QByteArray &content)
{
    QList<QByteArray> names;
    forEachIniLine(content, [&](const IniLine &line) {
        // Only a "[" in the first column makes a listed item; the reader
        // alone also accepts blanks before it.
        if (line.kind == IniLine::Kind::Header && line.body.startsWith('[') && !line.name.isEmpty())
            names.append(line.name.toByteArray());
        return true;
    });
    return names;
}

} // namespace

QList<QByteArray> listSectionNames(const QByteArray &path)
{
    return sectionNamesIn(readWholeFile(path));
}

SettingsSnapshot readSettingsSnapshot(const QByteArray &path)
{
    const QByteArray content = readWholeFile(path);
    return {sectionNamesIn(content), IniSnapshot::fromContent(content)};
}

Result removeSection(const QByteArray &path, const QByteArray &name)
{
    QByteArray content;
    if (Result read = readFileForRewrite(path, content); !read)
        return read;

    const QByteArray header = '[' + name + ']';
    qsizetype cutStart = -1;
    qsizetype cutEnd = content.size();
    // The cut ends where the reader's next section begins, so a "[" inside a
    // value or a header-like text later in a line never shortens it.
    forEachIniLine(content, [&](const IniLine &line) {
        if (cutStart < 0) {
            if (line.body.startsWith(header))
                cutStart = line.start;
            return true;
        }
        if (line.kind == IniLine::Kind::Header) {
            cutEnd = line.start;
            return false;
        }
        return true;
    });
    if (cutStart < 0)
        return Result::success();
    return writeWholeFile(path, {content.left(cutStart) + content.mid(cutEnd)});
}
