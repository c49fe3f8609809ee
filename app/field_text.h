#pragma once

// Conversions between the window's fields and the protocol layers' texts.
#include "codec/text.h"

#include <QLineEdit>
#include <QString>
#include <QVariant>

#include <string>

namespace app {

inline QString Text(const std::string& s) { return QString::fromStdString(s); }
inline std::string Str(const QLineEdit* e) { return e->text().toStdString(); }
// Text fields that travel as bytes use the local 8-bit encoding.
inline std::string Local8(const QLineEdit* e) { return e->text().toLocal8Bit().toStdString(); }
// One byte per character both ways, for fields whose device bytes must survive a read
// and write-back unchanged (a multi-byte encoding would replace invalid bytes).
inline std::string Latin1(const QLineEdit* e) { return e->text().toLatin1().toStdString(); }

// A device's text shown in a field, one byte per character with control bytes escaped ("\\x1B"), so that
// nothing the device sends can act on the screen.
inline void ShowDeviceText(QLineEdit* e, const std::string& bytes)
{
    e->setText(QString::fromLatin1(codec::EscapeControl(bytes)));
    e->setProperty("mhDeviceBytes", QByteArray::fromStdString(bytes));
}
// The bytes a Set writes from such a field: the device's own while the field still shows them (the escaped text
// is not the tag), else what was typed, one byte per character.
inline std::string DeviceTextBytes(const QLineEdit* e)
{
    const QVariant kept = e->property("mhDeviceBytes");
    if (kept.isValid()) {
        const std::string bytes = kept.toByteArray().toStdString();
        if (e->text() == QString::fromLatin1(codec::EscapeControl(bytes)))
            return bytes;
    }
    return Latin1(e);
}

} // namespace app
