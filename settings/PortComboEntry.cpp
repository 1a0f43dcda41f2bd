#include "settings/PortComboEntry.h"

#include "core/HexText.h"
#include "settings/PortTable.h"

#include <QByteArray>

#include <string_view>

namespace pemrix {

namespace {

const QString kCustomPortPrefix = QStringLiteral("Custom Port: ");

std::uint32_t ReadHexPrefix(const QString& text)
{
    // Characters beyond ASCII become bytes that are no hex digit, so reading stops there too.
    const QByteArray bytes = text.toUtf8();
    return ParseHexPrefix(std::string_view(bytes.constData(), bytes.size()));
}

} // namespace

PortComboEntry DiscoveredPortEntry(const PortRecord& record)
{
    QString text = QString::fromStdU16String(record.m_strName) + QStringLiteral(" [") +
                   QString::fromStdString(record.m_strAddress) + QLatin1Char(']');
    if (record.m_bDisabled)
        text += QStringLiteral(" (DISABLED)");
    return PortComboEntry{text, ParseHexPrefix(record.m_strAddress)};
}

PortComboEntry StoredCustomPortEntry(std::uint32_t customPort)
{
    return PortComboEntry{kCustomPortPrefix + QString::number(customPort, 16), customPort};
}

PortComboEntry TypedCustomPortEntry(const QString& typedText)
{
    return PortComboEntry{kCustomPortPrefix + typedText, ReadHexPrefix(typedText)};
}

} // namespace pemrix
