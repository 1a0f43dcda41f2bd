#pragma once

#include "ui/skin/CSkinDialog.h"

#include <QString>

#include <cstdint>

class QLineEdit;

namespace pemrix {

struct EepromTypeInfo;
class ProfileStore;
class UserInteraction;

// Which operands a dialog asks for; the address always comes first.
enum class HexInputFields
{
    Address,
    Data,
    AddressAndData
};

// A small dialog that asks for a cell address and/or a data cell as 1 to 4 hexadecimal
// digits (1 or 2 for data in 8-bit organisation), and closes with OK only when every field
// is valid. The stored chip type is read
// when OK is pressed, so the address is checked against the type selected at that moment.
// The caller reads the members after OK; the members of a field a dialog lacks stay empty.
class HexInputDialog : public CSkinDialog
{
    Q_OBJECT

public:
    static const QString kHexFieldMessage;
    // The data field's message in 8-bit organisation, where a cell is two digits.
    static const QString kByteFieldMessage;
    static const QString kAddressRangeMessage;
    static const QString kAddressCaption;
    static const QString kDataCaption;

    HexInputDialog(SkinWindow kind, HexInputFields fields, QString addressCaption,
                   const ProfileStore& profile, UserInteraction& interaction,
                   QWidget* parent = nullptr);

    void accept() override;

    QString m_strAddress;
    QString m_strData;
    std::uint32_t m_nAddress = 0;
    std::uint32_t m_nData = 0;
    std::uint32_t m_nType = 0;
    // The row of the type checked against, in its organisation; set once OK passed.
    const EepromTypeInfo* m_pType = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

    // Runs once every field passed, just before the dialog closes with OK.
    virtual void OnInputAccepted(const EepromTypeInfo& type);

    QLineEdit* AddressEdit() const { return m_addressEdit; }
    QLineEdit* DataEdit() const { return m_dataEdit; }

private:
    QLineEdit* AddField(const QString& name, const QString& labelImage, int index);
    // Applies the hex field rule to `text`, reporting a failure with `caption`.
    bool ParseField(const QString& text, const QString& caption, std::uint32_t& value,
                    const QString& message = kHexFieldMessage);
    void Report(const QString& text, const QString& caption);

    const ProfileStore& m_profile;
    UserInteraction& m_interaction;
    QString m_strAddressCaption;
    QLineEdit* m_addressEdit = nullptr;
    QLineEdit* m_dataEdit = nullptr;
};

} // namespace pemrix
